#include "DesignInvariants.h"

#include <algorithm>
#include <cmath>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>

#include "app/FirstStageHint.h"
#include "app/Frmmain.h"
#include "assembly/DesignState.h"
#include "assembly/HoverHighlight.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "assembly/StageWizard.h"
#include "modelview/FrameTable.h"
#include "modelview/IdentificationTable.h"
#include "modelview/ModelView.h"
#include "ui/ControlName.h"
#include "ui/PictureButton.h"

namespace bw::tests {
namespace {

using catalogue::PartCode;

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool isOsItemKey(const QString& key) {
    return std::ranges::any_of(catalogue::osVersions(),
                               [&](const catalogue::OsVersion& os) { return text(os.itemKey) == key; });
}

bool isKnownCaption(const QString& caption) {
    return std::ranges::any_of(modelview::identifications(), [&](const modelview::Identification& id) {
        return text(id.caption) == caption;
    });
}

// Visible as far as its own flag goes.
bool shown(const app::Frmmain& window, const QString& name) {
    const auto* w = window.findChild<QWidget*>(name);
    return w && !w->isHidden();
}

} // namespace

DesignInvariants::DesignInvariants(app::Frmmain& window)
    : window_(window), codesOfFrame_(modelview::partFrames().size()) {
    for (PartCode code = 0; code < catalogue::kSlotCount; ++code)
        for (std::size_t frame : modelview::framesShowing(code))
            codesOfFrame_.at(frame).push_back(code);
}

QStringList DesignInvariants::check() {
    QStringList broken;
    const catalogue::SystemStore& store = window_.state().store;
    const int count = store.systemCount();
    PartSet present;
    for (PartCode code = 0; code < catalogue::kSlotCount; ++code)
        present[code] = store.isPresent(count, code);

    checkStoreAndStage(broken);
    checkEnclosure(broken);
    followAdditions(present, broken);
    checkInventory(broken);
    checkModelFrames(present, broken);
    checkWindow(broken);
    return broken;
}

void DesignInvariants::checkStoreAndStage(QStringList& broken) const {
    const assembly::DesignState& state = window_.state();
    const int count = state.store.systemCount();
    const int current = state.store.currentSystem();
    if (count < systemCount_)
        broken << QStringLiteral("system count fell from %1 to %2").arg(systemCount_).arg(count);
    // The Design dialog comes back only while no enclosure is chosen, so one run makes one system.
    if (count > 1) broken << QStringLiteral("%1 systems in one run").arg(count);
    if (current < 0 || current > count || (count > 0 && current != count))
        broken << QStringLiteral("current system %1 with %2 systems").arg(current).arg(count);
    if (state.partCode < 0 || state.partCode >= catalogue::kSlotCount)
        broken << QStringLiteral("part code %1 outside the catalogue").arg(state.partCode);

    const assembly::DesignStage stage = state.designStage;
    const int number = assembly::stageNumber(stage);
    if (!(stage == assembly::DesignStage::NoEnclosure ||
          (stage >= assembly::DesignStage::EnclosureChosen && stage <= assembly::DesignStage::Finished)))
        broken << QStringLiteral("design stage %1").arg(number);
    if ((stage == assembly::DesignStage::NoEnclosure) != (count == 0))
        broken << QStringLiteral("design stage %1 with %2 systems").arg(number).arg(count);
    const QWidget* design = window_.findChild<QWidget*>("frm1");
    if (design && design->isVisible() && stage != assembly::DesignStage::NoEnclosure)
        broken << QStringLiteral("the Design dialog is open at stage %1").arg(number);
}

void DesignInvariants::checkEnclosure(QStringList& broken) const {
    const assembly::DesignState& state = window_.state();
    const int count = state.store.systemCount();
    const bool agpOffered = window_.findChild<QAction*>("mnuagp")->isVisible();
    if (count == 0) {
        if (state.enclosureType != catalogue::enclosure::None)
            broken << QStringLiteral("enclosure type %1 without a system").arg(state.enclosureType);
        if (!agpOffered) broken << "AGP hidden before any system";
        return;
    }
    const int type = state.enclosureType;
    if (type != catalogue::enclosure::Tower && type != catalogue::enclosure::Laptop)
        broken << QStringLiteral("enclosure type %1").arg(type);
    if (state.store.extraInteger(count, catalogue::codes::Enclosure) != type)
        broken << "the system's enclosure differs from the window's";
    if (!state.store.isPresent(count, catalogue::codes::Enclosure) ||
        !state.store.isPresent(count, catalogue::codes::Baseboard))
        broken << "a system without its enclosure or motherboard";
    if (agpOffered == (type == catalogue::enclosure::Laptop))
        broken << QStringLiteral("AGP %1 for enclosure %2").arg(agpOffered ? "offered" : "hidden").arg(type);
}

void DesignInvariants::followAdditions(const PartSet& present, QStringList& broken) {
    const assembly::DesignState& state = window_.state();
    const int count = state.store.systemCount();
    if (count != systemCount_) {
        added_.clear();
        present_.reset();
    }
    if ((present_ & ~present).any()) {
        broken << "a present flag was cleared";
        std::erase_if(added_, [&](PartCode code) { return !present[code]; });
    }

    // Within one event the parts come in code order (a double click on a next-free button).
    std::vector<PartCode> fresh;
    for (PartCode code = 0; code < catalogue::kSlotCount; ++code)
        if (present[code] && !present_[code]) fresh.push_back(code);
    added_.insert(added_.end(), fresh.begin(), fresh.end());

    if (!fresh.empty()) {
        // The last part added is the one the details editor shows, with empty boxes.
        const PartCode last = fresh.back();
        if (state.partCode != last)
            broken
                << QStringLiteral("part %1 was added but the part code is %2").arg(last).arg(state.partCode);
        const auto* label = window_.findChild<QLabel*>("lblpart");
        const QString stored =
            QString::fromStdString(state.store.text(count, last, catalogue::TextField::PartName));
        if (label->text() != stored)
            broken << QStringLiteral("lblpart shows \"%1\", the stored name is \"%2\"")
                          .arg(label->text(), stored);
        for (const char* box : {"txtmanuf", "txtModel", "txtCost"})
            if (!window_.findChild<QLineEdit*>(box)->text().isEmpty())
                broken << QStringLiteral("%1 not emptied by the add").arg(box);
    }
    systemCount_ = count;
    present_ = present;
}

void DesignInvariants::checkInventory(QStringList& broken) const {
    const assembly::InventoryTree& tree = *window_.findChild<assembly::InventoryTree*>("TrView1");
    const bool title = shown(window_, "Label1");
    if (shown(window_, "TrView1") != title || shown(window_, "Picture15") != title)
        broken << "the inventory's tree, close button and title differ in visibility";

    const int count = window_.state().store.systemCount();
    if (count == 0) {
        if (tree.topLevelItemCount() != 0) broken << "inventory nodes before any system";
        return;
    }
    if (tree.topLevelItemCount() != 1 || assembly::InventoryTree::keyOf(tree.topLevelItem(0)) != "1 node") {
        broken << "the inventory has no single root \"1 node\"";
        return;
    }

    // What each category should hold: the item nodes of its parts, in the order added.
    const std::int16_t enclosure = window_.state().store.extraInteger(count, catalogue::codes::Enclosure);
    QMap<QString, QStringList> expected;
    for (PartCode code : added_) {
        const catalogue::PartSlot& slot = catalogue::slotAt(code);
        if (!slot.hasItemNode()) continue;
        QString key = text(slot.itemKey);
        if (code == catalogue::codes::Enclosure) key = text(catalogue::findEnclosureItem(enclosure)->itemKey);
        if (code == catalogue::codes::OperatingSystem) key = "any operating system";
        expected[text(slot.categoryKey)] << key;
    }

    const QTreeWidgetItem* root = tree.topLevelItem(0);
    int row = 0;
    for (const catalogue::Category& category : catalogue::categories()) {
        const std::string_view image = catalogue::categoryImage(category, enclosure);
        if (image.empty()) continue;
        const QString key = text(category.key);
        const QTreeWidgetItem* node = row < root->childCount() ? root->child(row) : nullptr;
        ++row;
        if (!node || assembly::InventoryTree::keyOf(node) != key ||
            assembly::InventoryTree::imageKeyOf(node) != text(image)) {
            broken << QStringLiteral("category %1 missing or out of place").arg(key);
            continue;
        }
        QStringList keys;
        for (int i = 0; i < node->childCount(); ++i) {
            const QTreeWidgetItem* item = node->child(i);
            const QString itemKey = assembly::InventoryTree::keyOf(item);
            keys << (key == "32 node" && isOsItemKey(itemKey) ? "any operating system" : itemKey);
            if (item->childCount() != 0) broken << QStringLiteral("item %1 has children").arg(itemKey);
        }
        if (keys != expected.value(key))
            broken << QStringLiteral("%1 holds [%2], the parts added were [%3]")
                          .arg(key, keys.join(", "), expected.value(key).join(", "));
    }
    if (root->childCount() != row)
        broken << QStringLiteral("%1 categories, not %2").arg(root->childCount()).arg(row);
}

void DesignInvariants::checkModelFrames(const PartSet& present, QStringList& broken) const {
    modelview::ModelView& view = window_.modelView();
    const modelview::PcModel& model = view.model();
    const auto& frames = modelview::partFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        bool wanted = false;
        if (frames[i].name == modelview::kAxesFrame)
            wanted = view.axesShown();
        else if (frames[i].name == modelview::kBaseFrame)
            wanted = view.baseShown();
        else
            // A PCI card whose lower cards are missing stays switched on; the chain just
            // does not draw it.
            wanted = std::ranges::any_of(codesOfFrame_[i], [&](PartCode code) { return present[code]; });
        if (model.frame(i)->Enabled != wanted)
            broken << QStringLiteral("frame %1 is %2")
                          .arg(QString::fromStdString(frames[i].name),
                               wanted ? "off but its part is present" : "on but shows nothing present");
    }
    if (shown(window_, "imgbot(0)") != view.axesShown() || shown(window_, "imgbot(1)") != view.baseShown() ||
        shown(window_, "imgbot(2)") != view.lightsOn())
        broken << "an indicator disagrees with its view toggle";
    const Vector3 eye = view.cameraEye();
    if (!std::isfinite(eye.x) || !std::isfinite(eye.y) || !std::isfinite(eye.z))
        broken << "the camera eye is not a finite point";
}

void DesignInvariants::checkWindow(QStringList& broken) const {
    if (window_.isExiting() || !window_.isVisible()) broken << "the main window closed";

    int stagePanels = 0;
    for (int panel : assembly::kStagePanels)
        stagePanels += shown(window_, ui::controlName("Picture3", panel));
    if (stagePanels > 1) broken << QStringLiteral("%1 stage panels at once").arg(stagePanels);
    if (shown(window_, ui::controlName("Picture3", assembly::kStagePanels[10])) &&
        window_.state().enclosureType != catalogue::enclosure::Laptop)
        broken << "the laptop panel in a tower";
    for (int panel : {assembly::kViewPanel, assembly::kZoomPanel, assembly::kPanPanel})
        if (!shown(window_, ui::controlName("Picture3", panel)))
            broken << QStringLiteral("panel %1 hidden").arg(panel);

    // The hover reset has something to do exactly when a button is lit.
    const bool lit = std::ranges::any_of(window_.findChildren<ui::PictureButton*>(),
                                         [](const ui::PictureButton* b) { return b->isHighlighted(); });
    if (window_.findChild<assembly::HoverHighlight*>()->isActive() != lit)
        broken << QStringLiteral("highlight flag %1 while %2 button is lit").arg(!lit).arg(lit ? "a" : "no");

    const QString hint = window_.findChild<QLabel*>("Label8")->text();
    if (!(hint.isEmpty() || hint == "Next Stage" || hint == "Back" || isKnownCaption(hint) ||
          hint == app::FirstStageHint::text()))
        broken << QStringLiteral("Label8 shows \"%1\"").arg(hint);
    if (hint == app::FirstStageHint::text() && !app::isFirstStage(window_.state().designStage))
        broken << QStringLiteral("the first stage's hint at stage %1")
                      .arg(assembly::stageNumber(window_.state().designStage));

    if (window_.backgroundColour() < 0 || window_.backgroundColour() > 0xFFFFFF)
        broken << QStringLiteral("background colour %1").arg(window_.backgroundColour());

    // Dialogs are made once and reused.
    QMap<QString, int> windows;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (!w->objectName().isEmpty() && (w->windowType() == Qt::Dialog || w->windowType() == Qt::Window))
            ++windows[w->objectName()];
    for (auto it = windows.cbegin(); it != windows.cend(); ++it)
        if (it.value() > 1) broken << QStringLiteral("%1 windows named %2").arg(it.value()).arg(it.key());
}

} // namespace bw::tests
