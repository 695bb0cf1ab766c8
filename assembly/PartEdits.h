#pragma once
// Every change to the parts of the shown system goes through here, as a step that can be
// undone: adding a part, removing it, storing its details. Each step replaces one slot's
// record and brings the inventory tree, the model and the details editor in line with it.

#include <functional>
#include <QString>
#include <QUndoStack>

#include "catalogue/PartCatalogue.h"
#include "catalogue/PartDetails.h"
#include "catalogue/SystemStore.h"

namespace bw::assembly {

class DesignSurface;
class InventoryTree;
struct DesignState;

// How a part appears in the inventory tree.
struct TreeEntry {
    QString key;
    QString text;
};

class PartEdits : public QObject {
    Q_OBJECT
public:
    PartEdits(DesignState& state, InventoryTree& tree, DesignSurface& surface);

    QUndoStack& history() { return history_; }
    // Forgets the history. `unsaved`: the design has changed since it was last saved, in a
    // way no history step records (a new system was started).
    void startAfresh(bool unsaved);
    bool hasUnsavedChanges() const { return changedOutsideHistory_ || !history_.isClean(); }
    void markSaved();

    // Runs before the details editor turns to another part, so that what was typed for
    // the last one is stored first.
    void setBeforeSelectionChange(std::function<void()> storeTyped) { storeTyped_ = std::move(storeTyped); }
    void beforeSelectionChange() const;

    // Adds the part to the shown system; false when there is none or the part is present.
    bool add(catalogue::PartCode code, const QString& partName);
    // Takes the part out of the shown system, details and all; false when it is not present
    // or is the enclosure.
    bool remove(catalogue::PartCode code);
    // Stores the editor's values for the part it shows; false when nothing changed.
    bool storeDetails(catalogue::PartCode code, const catalogue::PartDetails& details);

    // Shows the store's system 1 as a finished design (with no system: the empty start),
    // with tree, model and an empty editor, as saved. The history starts afresh.
    void showOpenedDesign();
    // The tree node a present part gets; the operating system's depends on the version chosen.
    static TreeEntry treeEntryFor(catalogue::PartCode code, const catalogue::PartRecord& record);

signals:
    void unsavedChangesChanged();

private:
    class RecordChange;
    // Puts `record` into the slot and makes tree, model and editor agree with it.
    void apply(catalogue::PartCode code, const catalogue::PartRecord& record, const TreeEntry& entry);
    void showPresentParts();
    void push(catalogue::PartCode code, const catalogue::PartRecord& after, const QString& text);

    DesignState& state_;
    InventoryTree& tree_;
    DesignSurface& surface_;
    QUndoStack history_;
    std::function<void()> storeTyped_;
    bool changedOutsideHistory_ = false;
};

} // namespace bw::assembly
