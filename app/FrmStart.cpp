#include "app/FrmStart.h"

#include <QLabel>
#include <QScreen>

#include "ui/Box.h"
#include "ui/ControlName.h"
#include "ui/TransientPicture.h"
#include "ui/Twips.h"
#include "ui/ValueLabel.h"

namespace bw::app {
namespace {

// Twips, as the splash was designed.
constexpr QSize kWindowTwips{7200, 5850};
constexpr QRect kPictureTwips{0, 0, 7200, 4500};
constexpr QRect kVersionTwips{5160, 4620, 1920, 330};
constexpr QRect kLineTwips{240, 4560, 6720, 15};
constexpr QRect kMessageTwips{690, 4860, 4320, 330};
constexpr int kBlockTop = 5235;
constexpr int kBlockSize = 255;
constexpr int kBlockLeft[FrmStart::kBlockCount] = {690, 1050, 1410, 1770, 2130};
const QColor kLineColour{0x4d, 0xb6, 0xac};
const QColor kBlockColour{0x26, 0xa6, 0x9a};
const QColor kBlockBorderColour{0x80, 0xcb, 0xc4};

} // namespace

FrmStart::FrmStart(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("FrmStart");
    setWindowTitle("Boardwright");
    setAccessibleName("Boardwright is starting");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x1c, 0x2b));
    pal.setColor(QPalette::WindowText, QColor(0xe0, 0xf2, 0xf1));
    setPalette(pal);

    const double dpi = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    auto px = [dpi](const QRect& r) { return ui::twipsToPixels(r, dpi); };
    setFixedSize(ui::twipsToPixels(kWindowTwips.width(), dpi), ui::twipsToPixels(kWindowTwips.height(), dpi));

    picture_ = new ui::TransientPicture("splash", this);
    picture_->setObjectName("Picture1");
    picture_->setAccessibleName("Boardwright");
    picture_->setGeometry(px(kPictureTwips));

    version_ = new QLabel("Version 1.00", this);
    version_->setObjectName("Label2");
    version_->setAccessibleName(version_->text());
    version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version_->setGeometry(px(kVersionTwips));

    line_ = new ui::Box(this, {kLineColour, {}, 0, false});
    line_->setObjectName("Line1");
    line_->setGeometry(px(kLineTwips).adjusted(0, 0, 0, 1));

    message_ = new QLabel(this);
    message_->setObjectName("Label1");
    ui::makeValueLabel(*message_, "Progress");
    message_->setGeometry(px(kMessageTwips));

    for (int i = 0; i < kBlockCount; ++i) {
        auto* block = new ui::Box(this, {kBlockColour, kBlockBorderColour, 0, false});
        block->setObjectName(ui::controlName("Shape1", i));
        block->setGeometry(px(QRect(kBlockLeft[i], kBlockTop, kBlockSize, kBlockSize)));
        block->setVisible(i == 0);
        blocks_[static_cast<std::size_t>(i)] = block;
    }
    if (screen()) move(screen()->availableGeometry().center() - rect().center());
}

void FrmStart::lightBlock(int index) {
    if (index < 0 || index >= kBlockCount) return;
    blocks_[static_cast<std::size_t>(index)]->setVisible(true);
    emit blockLit(index);
}

void FrmStart::setMessage(const QString& text) {
    ui::showValue(*message_, text);
    emit messageShown(text);
}

bool FrmStart::isBlockLit(int index) const {
    return index >= 0 && index < kBlockCount && !blocks_[static_cast<std::size_t>(index)]->isHidden();
}

QString FrmStart::message() const { return message_->text(); }

} // namespace bw::app
