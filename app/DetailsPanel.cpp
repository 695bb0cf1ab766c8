#include "app/DetailsPanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "assembly/DesignState.h"
#include "catalogue/PartDetails.h"

namespace bw::app {
namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

} // namespace

DetailsPanel::DetailsPanel(assembly::DesignState& state, QWidget* parent)
    : ui::Panel("Picture7", "Part details", parent), state_(state) {
    setProperty("overlay", true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);

    struct Row {
        const char* captionName;
        const char* caption;
        QWidget* field;
    };
    lblpart_ = new QLabel(this);
    lblpart_->setObjectName("lblpart");
    lblpart_->setAccessibleName("Part");
    lblpart_->setMinimumWidth(180);
    lblpart_->setStyleSheet("font-weight: bold;");
    auto makeBox = [this](const char* name, const char* accessible) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setAccessibleName(accessible);
        return box;
    };
    txtmanuf_ = makeBox("txtmanuf", "Manufacturer");
    txtModel_ = makeBox("txtModel", "Type");
    txtCost_ = makeBox("txtCost", "Cost");
    txtCost_->setToolTip("Click the cost box to store the details");
    txtCost_->installEventFilter(this);

    const Row rows[] = {
        {"Label9", "Part", lblpart_},
        {"lblman", "Manuf.", txtmanuf_},
        {"lblmodel", "Type", txtModel_},
        {"lblcost", "Cost", txtCost_},
    };
    int row = 0;
    for (const Row& r : rows) {
        auto* caption = new QLabel(r.caption, this);
        caption->setObjectName(r.captionName);
        caption->setAccessibleName(r.caption);
        caption->setBuddy(r.field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(r.field, row, 1);
        ++row;
    }
}

bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCost_ && event->type() == QEvent::MouseButtonPress && !txtCost_->text().isEmpty())
        stdetails();
    return ui::Panel::eventFilter(watched, event);
}

void DetailsPanel::stdetails() {
    const int system = state_.store.currentSystem();
    if (!catalogue::storeDetails(state_.store, system, state_.partCode,
                                 {lblpart_->text().toStdString(), txtmanuf_->text().toStdString(),
                                  txtModel_->text().toStdString(), txtCost_->text().toStdString()}))
        return;
    // The store keeps each value on one line; the boxes show what it kept.
    const auto stored = catalogue::recordedDetails(state_.store, system, state_.partCode);
    const auto show = [](auto* box, const std::string& value) {
        const QString text = fromStd(value);
        if (box->text() != text) box->setText(text);
    };
    show(lblpart_, stored->partName);
    show(txtmanuf_, stored->manufacturer);
    show(txtModel_, stored->model);
    show(txtCost_, stored->cost);
}

void DetailsPanel::create_find() {
    const auto details =
        catalogue::recordedDetails(state_.store, state_.store.currentSystem(), state_.partCode);
    if (!details) return;
    txtCost_->setText(fromStd(details->cost));
    lblpart_->setText(fromStd(details->partName));
    txtmanuf_->setText(fromStd(details->manufacturer));
    txtModel_->setText(fromStd(details->model));
}

void DetailsPanel::startNewPart(const QString& partName) {
    lblpart_->setText(partName);
    clearBoxes();
}

void DetailsPanel::clearBoxes() {
    txtmanuf_->clear();
    txtModel_->clear();
    txtCost_->clear();
}

} // namespace bw::app
