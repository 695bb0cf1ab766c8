#include "app/FrmColor.h"

#include <algorithm>
#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/NumberReader.h"
#include "app/Spectrum.h"
#include "ui/ControlName.h"
#include "ui/DialogPlacement.h"
#include "ui/ValueLabel.h"

namespace bw::app {

namespace {

// 1530 hue units over 306 columns: five units a column.
constexpr QSize kSpectrumSize(306, 170);
constexpr int kInitialGreyLevel = 85;

QLabel* newLabel(QWidget* parent, const QString& name, const QString& text, const QString& accessibleName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(accessibleName);
    return label;
}

QFrame* newSwatch(QWidget* parent, const QString& name, const QString& description, QSize size) {
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(name);
    swatch->setAccessibleName(description);
    swatch->setToolTip(description);
    swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(size);
    return swatch;
}

void paintSwatch(QFrame* swatch, QColor colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
}

QString twoHexDigits(int value) { return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper(); }

// Painting a large spectrum can take a moment: the hourglass says so.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

FrmColor::FrmColor(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmColor");
    setWindowTitle("Background Color");
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* title = newLabel(this, ui::controlName("Label1", 4), "Backcolor", "Backcolor");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title->setFont(titleFont);

    Colors_ = newLabel(this, "Colors", QString(), "Colour spectrum");
    Colors_->setToolTip("Click a colour to pick it");
    Colors_->setFixedSize(kSpectrumSize);
    Colors_->setCursor(Qt::CrossCursor);
    Colors_->setMouseTracking(true);
    Colors_->installEventFilter(this);

    HScroll1_ = new QScrollBar(Qt::Horizontal, this);
    HScroll1_->setObjectName("HScroll1");
    HScroll1_->setAccessibleName("Grey level");
    HScroll1_->setToolTip("The grey each colour fades to at the bottom");
    HScroll1_->setRange(0, 255);
    HScroll1_->setPageStep(16);
    HScroll1_->setValue(kInitialGreyLevel);
    connect(HScroll1_, &QScrollBar::valueChanged, this, &FrmColor::HScroll1_Change);
    auto* dark = newLabel(this, ui::controlName("Label1", 3), "Dark", "Dark");
    auto* light = newLabel(this, ui::controlName("Label2", 3), "Light", "Light");
    Label3_ = newLabel(this, "Label3", QString::number(kInitialGreyLevel), QString());
    ui::makeValueLabel(*Label3_, "Grey level");
    Label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3_->setMinimumWidth(Label3_->fontMetrics().horizontalAdvance("888") + 4);

    Picture1_ = newSwatch(this, "Picture1", "Picked colour", QSize(112, 56));
    Picture2_ = newSwatch(this, "Picture2", "Colour under the pointer", QSize(112, 22));

    auto* components = new QGridLayout;
    components->setHorizontalSpacing(8);
    const std::array<const char*, 3> channelNames{"R", "G", "B"};
    const std::array<const char*, 3> channelCaptions{"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) {
        auto* caption = newLabel(this, ui::controlName("Label1", i), channelNames[i], channelCaptions[i]);
        values_[i] = newLabel(this, ui::controlName("Label2", i), QString(), QString());
        ui::makeValueLabel(*values_[i], channelCaptions[i]);
        values_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[i]->setMinimumWidth(values_[i]->fontMetrics().horizontalAdvance("8888") + 8);
        components->addWidget(caption, i, 0);
        components->addWidget(values_[i], i, 1);
    }
    components->setColumnStretch(1, 1);

    thehex_ = new QLineEdit(this);
    thehex_->setObjectName("thehex");
    thehex_->setAccessibleName("Hexadecimal colour");
    thehex_->setToolTip("The picked colour as RRGGBB");
    thehex_->setMaxLength(16);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName(ui::controlName("Command1", 0));
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName(ui::controlName("Command1", 1));
    cancel->setAccessibleName("Cancel");
    connect(cancel, &QPushButton::clicked, this, [this] { Command1_Click(1); });

    auto* greyRow = new QHBoxLayout;
    greyRow->addWidget(dark);
    greyRow->addWidget(HScroll1_, 1);
    greyRow->addWidget(light);
    greyRow->addSpacing(6);
    greyRow->addWidget(Label3_);

    auto* left = new QVBoxLayout;
    left->addWidget(title);
    left->addWidget(Colors_);
    left->addLayout(greyRow);

    auto* right = new QVBoxLayout;
    right->addSpacing(title->sizeHint().height() + left->spacing());
    right->addWidget(Picture1_);
    right->addWidget(Picture2_);
    right->addSpacing(4);
    right->addLayout(components);
    right->addStretch();
    right->addWidget(thehex_);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(10);
    top->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void FrmColor::Form_Load() {
    loaded_ = true;
    for (QLabel* value : values_)
        ui::showValue(*value, QStringLiteral("0"));
    paintSwatch(Picture2_, Qt::black);
    PaintSpectrum();
}

void FrmColor::PaintSpectrum() {
    WaitCursor wait;
    spectrum_ = paintSpectrum(Colors_->width(), Colors_->height(), HScroll1_->value());
    Colors_->setPixmap(QPixmap::fromImage(spectrum_));
}

int FrmColor::fixByte(float num) { return app::fixByte(num); }

QPoint FrmColor::insideSpectrum(QPoint position) const {
    return QPoint(std::clamp(position.x(), 0, Colors_->width() - 1),
                  std::clamp(position.y(), 0, Colors_->height() - 1));
}

void FrmColor::readColourAt(QPoint position) {
    const QPoint at = insideSpectrum(position);
    const QColor colour = spectrum_.valid(at) ? QColor(spectrum_.pixel(at)) : QColor(Qt::black);
    inverted_ = {255 - colour.red(), 255 - colour.green(), 255 - colour.blue()};
}

void FrmColor::Colors_MouseDown(Qt::MouseButton button, QPoint position) {
    if (button != Qt::LeftButton) return;
    // While the button is held Qt sends every move to the spectrum; the move handler keeps
    // the pointer inside.
    pointerConfined_ = true;
    readColourAt(position);
    updateshape();
}

void FrmColor::Colors_MouseMove(QPoint position) {
    if (pointerConfined_) {
        const QPoint inside = insideSpectrum(position);
        if (inside != position) QCursor::setPos(Colors_->mapToGlobal(inside));
        position = inside;
    }
    readColourAt(position);
    paintSwatch(Picture2_, QColor(255 - inverted_[0], 255 - inverted_[1], 255 - inverted_[2]));
}

void FrmColor::Colors_MouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton) pointerConfined_ = false;
}

void FrmColor::updateshape() {
    const QColor picked(255 - inverted_[0], 255 - inverted_[1], 255 - inverted_[2]);
    paintSwatch(Picture1_, picked);
    thehex_->setText(twoHexDigits(picked.red()) + twoHexDigits(picked.green()) + twoHexDigits(picked.blue()));
    for (int i = 0; i < 3; ++i)
        ui::showValue(*values_[i], QString::number(inverted_[i]));
}

void FrmColor::HScroll1_Change() {
    PaintSpectrum();
    ui::showValue(*Label3_, QString::number(HScroll1_->value()));
}

std::optional<qint32> FrmColor::colourFromHex(const QString& text) {
    if (text.size() != 6) return std::nullopt;
    for (QChar c : text)
        if (!QStringLiteral("0123456789ABCDEFabcdef").contains(c)) return std::nullopt;
    return readNumber(("&H" + text).toStdString());
}

void FrmColor::Command1_Click(int index) {
    // A text that is not exactly six hex digits (typed by hand) leaves the colour as it was.
    if (index == 0) {
        if (const std::optional<qint32> colour = colourFromHex(thehex_->text())) emit colourChosen(*colour);
    }
    hide();
}

void FrmColor::reject() { Command1_Click(1); }

bool FrmColor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Colors_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            Colors_MouseDown(mouse->button(), mouse->position().toPoint());
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            // A release that went elsewhere must not keep the pointer captive.
            if (!(mouse->buttons() & Qt::LeftButton)) pointerConfined_ = false;
            Colors_MouseMove(mouse->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease:
            Colors_MouseUp(static_cast<QMouseEvent*>(event)->button());
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmColor::showEvent(QShowEvent* event) {
    if (!loaded_) Form_Load();
    QDialog::showEvent(event);
    ui::centreOverParent(*this);
}

void FrmColor::hideEvent(QHideEvent* event) {
    pointerConfined_ = false;
    QDialog::hideEvent(event);
}

} // namespace bw::app
