#include "app/DetailsPanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "assembly/DesignState.h"
#include "assembly/PartEdits.h"
#include "catalogue/PartDetails.h"
#include "ui/Look.h"
#include "ui/ValueLabel.h"

namespace bw::app {
namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

// Leaves a box that already shows the value alone, so that its cursor stays where it is.
void showValue(QLineEdit* box, const std::string& value) {
    const QString text = fromStd(value);
    if (box->text() != text) box->setText(text);
}

} // namespace

DetailsPanel::DetailsPanel(assembly::DesignState& state, QWidget* parent)
    : ui::Panel("Picture7", "Part details", ui::look::overlayPanel(), parent), state_(state) {
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
    ui::makeValueLabel(*lblpart_, "Part");
    lblpart_->setMinimumWidth(180);
    ui::makeBold(*lblpart_);
    auto makeBox = [this](const char* name, const char* accessible) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setAccessibleName(accessible);
        // Enter and leaving the box both end an edit.
        connect(box, &QLineEdit::editingFinished, this, &DetailsPanel::stdetails);
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
    if (watched == txtCost_ && event->type() == QEvent::MouseButtonPress) stdetails();
    return ui::Panel::eventFilter(watched, event);
}

void DetailsPanel::stdetails() {
    if (!edits_) return;
    edits_->storeDetails(state_.partCode, {lblpart_->text().toStdString(), txtmanuf_->text().toStdString(),
                                           txtModel_->text().toStdString(), txtCost_->text().toStdString()});
    // The store keeps each value on one line; the boxes show what it kept.
    create_find();
}

void DetailsPanel::create_find() {
    const auto details =
        catalogue::recordedDetails(state_.store, state_.store.currentSystem(), state_.partCode);
    if (!details) return;
    showValue(txtCost_, details->cost);
    ui::showValue(*lblpart_, fromStd(details->partName));
    showValue(txtmanuf_, details->manufacturer);
    showValue(txtModel_, details->model);
}

void DetailsPanel::startNewPart(const QString& partName) {
    ui::showValue(*lblpart_, partName);
    clearBoxes();
}

void DetailsPanel::clearBoxes() {
    txtmanuf_->clear();
    txtModel_->clear();
    txtCost_->clear();
}

} // namespace bw::app
