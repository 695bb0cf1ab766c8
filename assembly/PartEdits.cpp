#include "assembly/PartEdits.h"

#include "assembly/DesignState.h"
#include "assembly/DesignSurface.h"
#include "assembly/InventoryTree.h"
#include "catalogue/SingleLine.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

using ui::text;

} // namespace

// One slot's record before and after a step; the system is the one shown when it was made.
class PartEdits::RecordChange : public QUndoCommand {
public:
    RecordChange(PartEdits& edits, catalogue::PartCode code, catalogue::PartRecord before,
                 catalogue::PartRecord after, TreeEntry entry, const QString& text)
        : QUndoCommand(text), edits_(edits), code_(code), before_(std::move(before)),
          after_(std::move(after)), entry_(std::move(entry)) {}

    void redo() override { edits_.apply(code_, after_, entry_); }
    void undo() override { edits_.apply(code_, before_, entry_); }

private:
    PartEdits& edits_;
    catalogue::PartCode code_;
    catalogue::PartRecord before_, after_;
    TreeEntry entry_;
};

PartEdits::PartEdits(DesignState& state, InventoryTree& tree, DesignSurface& surface)
    : state_(state), tree_(tree), surface_(surface) {
    connect(&history_, &QUndoStack::indexChanged, this, &PartEdits::unsavedChangesChanged);
    connect(&history_, &QUndoStack::cleanChanged, this, &PartEdits::unsavedChangesChanged);
}

void PartEdits::startAfresh(bool unsaved) {
    history_.clear();
    changedOutsideHistory_ = unsaved;
    emit unsavedChangesChanged();
}

void PartEdits::markSaved() {
    history_.setClean();
    changedOutsideHistory_ = false;
    emit unsavedChangesChanged();
}

void PartEdits::beforeSelectionChange() const {
    if (storeTyped_) storeTyped_();
}

TreeEntry PartEdits::treeEntryFor(catalogue::PartCode code, const catalogue::PartRecord& record) {
    if (code == catalogue::codes::OperatingSystem) {
        const auto versions = catalogue::osVersions();
        for (const catalogue::OsVersion& os : versions)
            if (os.text == record.partName) return {text(os.itemKey), text(os.text)};
        // A name the user changed still shows, under the first version's node.
        return {text(versions.front().itemKey), record.partName.empty()
                                                    ? text(versions.front().text)
                                                    : QString::fromStdString(record.partName)};
    }
    const catalogue::PartSlot& slot = catalogue::slotAt(code);
    return {text(slot.itemKey), text(slot.itemText)};
}

void PartEdits::push(catalogue::PartCode code, const catalogue::PartRecord& after, const QString& label) {
    const int system = state_.store.currentSystem();
    catalogue::PartRecord before = state_.store.record(system, code);
    const TreeEntry entry = treeEntryFor(code, after.present ? after : before);
    history_.push(new RecordChange(*this, code, std::move(before), after, entry, label));
}

bool PartEdits::add(catalogue::PartCode code, const QString& partName) {
    const catalogue::SystemStore& store = state_.store;
    const int system = store.currentSystem();
    if (!store.isValidSystem(system) || store.isPresent(system, code)) return false;
    beforeSelectionChange();
    catalogue::PartRecord after = store.record(system, code);
    after.present = true;
    after.partName = partName.toStdString();
    push(code, after, QStringLiteral("Add %1").arg(treeEntryFor(code, after).text));
    return true;
}

bool PartEdits::remove(catalogue::PartCode code) {
    const int system = state_.store.currentSystem();
    if (code == catalogue::codes::Enclosure || !state_.store.isPresent(system, code)) return false;
    beforeSelectionChange();
    const TreeEntry entry = treeEntryFor(code, state_.store.record(system, code));
    push(code, catalogue::PartRecord{}, QStringLiteral("Remove %1").arg(entry.text));
    return true;
}

bool PartEdits::storeDetails(catalogue::PartCode code, const catalogue::PartDetails& details) {
    const int system = state_.store.currentSystem();
    if (!catalogue::isSelectableCode(code) || !state_.store.isValidSystem(system)) return false;
    const catalogue::PartRecord before = state_.store.record(system, code);
    catalogue::PartRecord after = before;
    // As the store keeps them, so that a break turned into a space is no change.
    after.partName = catalogue::onOneLine(details.partName);
    after.manufacturer = catalogue::onOneLine(details.manufacturer);
    after.model = catalogue::onOneLine(details.model);
    after.cost = details.cost.empty() ? std::nullopt : std::optional(catalogue::onOneLine(details.cost));
    if (after == before) return false;
    push(code, after, QStringLiteral("Edit %1").arg(treeEntryFor(code, before).text));
    return true;
}

void PartEdits::apply(catalogue::PartCode code, const catalogue::PartRecord& record, const TreeEntry& entry) {
    catalogue::SystemStore& store = state_.store;
    const int system = store.currentSystem();
    const bool wasPresent = store.isPresent(system, code);
    store.setRecord(system, code, record);
    const catalogue::PartSlot& slot = catalogue::slotAt(code);
    if (record.present && !wasPresent) {
        surface_.showPartFrames(code);
        surface_.renderScene();
        if (slot.hasItemNode())
            tree_.addPartNode(code, text(slot.categoryKey), entry.key, entry.text, text(slot.imageKey));
    } else if (!record.present && wasPresent) {
        tree_.removePartNode(code);
        showPresentParts(); // frames the part shares with one still present stay shown
        surface_.renderScene();
    }
    if (wasPresent && !record.present) {
        // A removed part leaves the editor empty rather than showing nothing as something.
        if (state_.partCode == code) {
            state_.partCode = catalogue::kNoPart;
            surface_.startNewPart(QString());
        }
        return;
    }
    state_.partCode = code;
    if (record.present && !wasPresent) surface_.startNewPart(QString::fromStdString(record.partName));
    surface_.showDetails();
}

void PartEdits::showPresentParts() {
    const catalogue::SystemStore& store = state_.store;
    surface_.hideAllPartFrames();
    // As adding shows them: the enclosure's choice shows no frames of its own.
    for (const catalogue::PartSlot& slot : catalogue::allSlots())
        if (slot.code != catalogue::codes::Enclosure && store.isPresent(store.currentSystem(), slot.code))
            surface_.showPartFrames(slot.code);
}

void PartEdits::showOpenedDesign() {
    catalogue::SystemStore& store = state_.store;
    store.setCurrentSystem(store.systemCount() > 0 ? 1 : 0);
    const int system = store.currentSystem();
    const bool enclosed = store.isPresent(system, catalogue::codes::Enclosure);
    state_.enclosureType =
        enclosed ? store.extraInteger(system, catalogue::codes::Enclosure) : catalogue::enclosure::None;
    if (system == 0)
        tree_.removeAllNodes();
    else
        tree_.build_tree(state_.enclosureType);
    if (const catalogue::EnclosureItem* item =
            enclosed ? catalogue::findEnclosureItem(state_.enclosureType) : nullptr)
        tree_.addNode(text(catalogue::kEnclosureCategoryKey), text(item->itemKey), text(item->itemText),
                      text(item->image));
    for (const catalogue::PartSlot& slot : catalogue::allSlots()) {
        if (slot.code == catalogue::codes::Enclosure || !slot.hasItemNode() ||
            !store.isPresent(system, slot.code))
            continue;
        const TreeEntry entry = treeEntryFor(slot.code, store.record(system, slot.code));
        tree_.addPartNode(slot.code, text(slot.categoryKey), entry.key, entry.text, text(slot.imageKey));
    }
    showPresentParts();
    surface_.renderScene();
    state_.partCode = catalogue::kNoPart;
    surface_.startNewPart(QString());
    state_.designStage = store.systemCount() > 0 ? DesignStage::Finished : DesignStage::NoEnclosure;
    startAfresh(false);
}

} // namespace bw::assembly
