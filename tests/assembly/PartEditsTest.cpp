#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "assembly/AddCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PartEdits.h"
#include "RecordingSurface.h"

using namespace bw;
using namespace bw::assembly;
namespace codes = catalogue::codes;
using catalogue::TextField;

namespace {

catalogue::PartRecord presentRecord(std::string partName = {}) {
    catalogue::PartRecord record;
    record.present = true;
    record.partName = std::move(partName);
    return record;
}

class Editing : public ::testing::Test {
protected:
    void SetUp() override {
        enclosure.tower();
        edits.markSaved();
    }

    QStringList childKeys(const char* category) const {
        QStringList keys;
        const QTreeWidgetItem* node = tree.node(category);
        for (int i = 0; node && i < node->childCount(); ++i)
            keys << InventoryTree::keyOf(node->child(i));
        return keys;
    }
    catalogue::PartRecord record(catalogue::PartCode code) const { return state.store.record(1, code); }

    DesignState state;
    InventoryTree tree{nullptr};
    fakes::RecordingSurface surface;
    PartEdits edits{state, tree, surface};
    AddCommands add{state, edits};
    EnclosureCommands enclosure{state, tree, surface, edits};
};

} // namespace

TEST_F(Editing, AddRemoveAndDetailsAreUndoneAndRedoneWithTheirNames) {
    QUndoStack& history = edits.history();
    ASSERT_TRUE(add.addSlot("IntelProcessor"));
    EXPECT_EQ(history.undoText(), "Add Intel");
    EXPECT_TRUE(edits.storeDetails(codes::IntelProcessor, {"Intel", "Intel Corp.", "i7", ""}));
    EXPECT_EQ(history.undoText(), "Edit Intel");
    EXPECT_FALSE(record(codes::IntelProcessor).cost.has_value()) << "an empty cost is no cost";
    const catalogue::PartRecord detailed = record(codes::IntelProcessor);

    // Storing what is already stored is no step.
    EXPECT_FALSE(edits.storeDetails(codes::IntelProcessor, {"Intel", "Intel Corp.", "i7", ""}));
    EXPECT_EQ(history.count(), 2);

    ASSERT_TRUE(add.addSlot("MemoryCard2"));
    ASSERT_TRUE(edits.remove(codes::IntelProcessor));
    EXPECT_EQ(history.undoText(), "Remove Intel");
    EXPECT_EQ(record(codes::IntelProcessor), catalogue::PartRecord{}) << "details go with the part";
    EXPECT_EQ(tree.node("5b node"), nullptr);
    EXPECT_EQ(state.partCode, codes::MemoryCard2) << "the editor stays on the part it showed";

    history.undo(); // the removal
    EXPECT_EQ(record(codes::IntelProcessor), detailed);
    EXPECT_NE(tree.node("5b node"), nullptr);
    EXPECT_EQ(state.partCode, codes::IntelProcessor);
    history.undo(); // the memory card
    EXPECT_FALSE(record(codes::MemoryCard2).present);
    EXPECT_EQ(tree.node("6b node"), nullptr);
    history.undo(); // the details
    EXPECT_EQ(record(codes::IntelProcessor).manufacturer, "");
    history.undo(); // the processor
    EXPECT_EQ(record(codes::IntelProcessor), catalogue::PartRecord{});
    EXPECT_FALSE(history.canUndo());

    for (int i = 0; i < 4; ++i)
        history.redo();
    EXPECT_FALSE(record(codes::IntelProcessor).present);
    EXPECT_TRUE(record(codes::MemoryCard2).present);
    EXPECT_EQ(childKeys("6 node"), QStringList{"6b node"});
}

TEST_F(Editing, ARemovedPartCanBeAddedAgainAsIfNeverAdded) {
    ASSERT_TRUE(add.addSlot("NorthBridge"));
    const catalogue::PartRecord fresh = record(codes::NorthBridge);
    edits.storeDetails(codes::NorthBridge, {"North Bridge", "VIA", "KT133", "12"});
    ASSERT_TRUE(edits.remove(codes::NorthBridge));
    EXPECT_FALSE(edits.remove(codes::NorthBridge)) << "not present any more";
    surface.label = "unchanged";
    ASSERT_TRUE(add.addSlot("NorthBridge"));
    EXPECT_EQ(record(codes::NorthBridge), fresh);
    EXPECT_EQ(surface.label, "North Bridge");
    EXPECT_EQ(childKeys("51 node"), QStringList{"51a node"});
}

TEST_F(Editing, RemovingHidesOnlyFramesNoPresentPartStillShows) {
    ASSERT_TRUE(add.addSlot("KeyboardUsb1"));
    ASSERT_TRUE(add.addSlot("MouseUsb1"));
    surface.shown.clear();
    const int hides = surface.hideAllCount;
    ASSERT_TRUE(edits.remove(codes::KeyboardUsb1));
    EXPECT_EQ(surface.hideAllCount, hides + 1);
    // Everything still present is shown again, the mouse (and so the plug they share) too.
    EXPECT_EQ(surface.shown, (std::vector<catalogue::PartCode>{codes::Baseboard, codes::MouseUsb1}));
}

TEST_F(Editing, TheEnclosureAndCategoriesCannotBeRemoved) {
    EXPECT_FALSE(edits.remove(codes::Enclosure));
    EXPECT_TRUE(record(codes::Enclosure).present);
    EXPECT_FALSE(InventoryTree::partOf(tree.node("37a node")));
    EXPECT_FALSE(InventoryTree::partOf(tree.node("4 node")));
    EXPECT_FALSE(InventoryTree::partOf(tree.node("1 node")));
    EXPECT_EQ(InventoryTree::partOf(tree.node("4b node")), codes::Baseboard);

    // The tree asks for a removal on Delete, for part nodes only.
    std::vector<catalogue::PartCode> asked;
    QObject::connect(&tree, &InventoryTree::removeRequested,
                     [&asked](catalogue::PartCode code) { asked.push_back(code); });
    for (const char* key : {"37a node", "4 node", "4b node"}) {
        tree.setCurrentItem(tree.node(key));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(&tree, &press);
    }
    EXPECT_EQ(asked, std::vector<catalogue::PartCode>{codes::Baseboard});
}

TEST_F(Editing, UnsavedChangesFollowTheHistoryAndNewSystems) {
    EXPECT_FALSE(edits.hasUnsavedChanges());
    add.addSlot("NorthBridge");
    EXPECT_TRUE(edits.hasUnsavedChanges());
    edits.markSaved();
    EXPECT_FALSE(edits.hasUnsavedChanges());
    edits.history().undo();
    EXPECT_TRUE(edits.hasUnsavedChanges());
    edits.history().redo();
    EXPECT_FALSE(edits.hasUnsavedChanges()) << "back where it was saved";
    enclosure.laptop();
    EXPECT_TRUE(edits.hasUnsavedChanges());
    EXPECT_FALSE(edits.history().canUndo()) << "a new system starts the history afresh";
}

TEST_F(Editing, AnOpenedDesignShowsItsFirstSystemFinishedAndSaved) {
    catalogue::SystemStore opened;
    opened.addSystem();
    opened.addSystem();
    catalogue::PartRecord laptop = presentRecord();
    laptop.extraInteger = catalogue::enclosure::Laptop;
    opened.setRecord(1, codes::Enclosure, laptop);
    for (const catalogue::PartCode code : {codes::MouseUsb1, codes::NorthBridge, codes::Baseboard})
        opened.setRecord(1, code, {true, 0, "5", "Part", "Maker", "Model"});
    opened.setRecord(1, codes::OperatingSystem, presentRecord("7 (64 bit)"));
    opened.setRecord(2, codes::IntelProcessor, presentRecord());
    state.store = opened;
    add.addSlot("NorthBridge"); // unsaved history that the opened design replaces
    state.store = opened;
    edits.showOpenedDesign();

    EXPECT_EQ(state.store.currentSystem(), 1);
    EXPECT_EQ(state.enclosureType, catalogue::enclosure::Laptop);
    EXPECT_EQ(state.designStage, DesignStage::Finished);
    EXPECT_EQ(state.partCode, catalogue::kNoPart);
    EXPECT_FALSE(edits.history().canUndo());
    EXPECT_FALSE(edits.hasUnsavedChanges());
    EXPECT_EQ(childKeys("37 node"), QStringList{"37c node"});
    EXPECT_EQ(childKeys("4 node"), QStringList{"4b node"});
    EXPECT_EQ(childKeys("51 node"), QStringList{"51a node"});
    EXPECT_EQ(childKeys("3 node"), QStringList{"3b node"});
    EXPECT_EQ(childKeys("32 node"), QStringList{"32d node"});
    EXPECT_EQ(tree.node("5b node"), nullptr) << "system 2's parts are not shown";
    EXPECT_EQ(surface.shown.back(), codes::MouseUsb1);

    // With no system at all, everything is as at start-up.
    state.store.clear();
    edits.showOpenedDesign();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(state.designStage, DesignStage::NoEnclosure);
    EXPECT_EQ(state.enclosureType, catalogue::enclosure::None);
}
