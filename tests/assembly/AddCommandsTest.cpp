#include <gtest/gtest.h>

#include "assembly/AddCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PartEdits.h"
#include "RecordingSurface.h"

using namespace bw;
using namespace bw::assembly;
using catalogue::TextField;

namespace {

class Designing : public ::testing::Test {
protected:
    DesignState state;
    InventoryTree tree{nullptr};
    fakes::RecordingSurface surface;
    PartEdits edits{state, tree, surface};
    AddCommands add{state, edits};
    EnclosureCommands enclosure{state, tree, surface, edits};

    QStringList childKeys(const char* category) const {
        QStringList keys;
        const QTreeWidgetItem* node = tree.node(category);
        for (int i = 0; node && i < node->childCount(); ++i)
            keys << InventoryTree::keyOf(node->child(i));
        return keys;
    }
};

} // namespace

TEST_F(Designing, NothingIsAddedBeforeTheFirstSystem) {
    EXPECT_FALSE(add.addSlot("PciSlot1"));
    EXPECT_FALSE(add.addNextFree("back USB ports"));
    EXPECT_FALSE(add.addOperatingSystem("mnuvista"));
    EXPECT_EQ(state.store.systemCount(), 0);
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_TRUE(surface.shown.empty());
}

TEST_F(Designing, TowerStartsASystemWithItsMotherboard) {
    enclosure.tower();
    EXPECT_EQ(state.store.systemCount(), 1);
    EXPECT_EQ(state.store.currentSystem(), 1);
    EXPECT_EQ(state.enclosureType, catalogue::enclosure::Tower);
    EXPECT_TRUE(state.store.isPresent(1, catalogue::codes::Enclosure));
    EXPECT_EQ(state.store.extraInteger(1, catalogue::codes::Enclosure), 1);
    EXPECT_TRUE(state.store.isPresent(1, catalogue::codes::Baseboard));
    EXPECT_EQ(state.store.text(1, catalogue::codes::Baseboard, TextField::PartName), "Baseboard");
    EXPECT_EQ(state.partCode, catalogue::codes::Baseboard);
    EXPECT_EQ(surface.label, "Baseboard");
    EXPECT_EQ(surface.hideAllCount, 1);
    EXPECT_EQ(surface.shown, std::vector<catalogue::PartCode>{catalogue::codes::Baseboard});
    EXPECT_EQ(InventoryTree::imageKeyOf(tree.node("37 node")), "tower");
    EXPECT_EQ(childKeys("37 node"), QStringList{"37a node"});
    EXPECT_EQ(childKeys("4 node"), QStringList{"4b node"});
    EXPECT_EQ(tree.node("4b node")->text(0), "Motherboard");
}

TEST_F(Designing, LaptopHidesAgpAndANewSystemStartsAFreshTree) {
    bool agpHidden = false;
    enclosure.setHideAgpItem([&] { agpHidden = true; });
    enclosure.tower();
    add.addSlot("PciSlot1");
    EXPECT_FALSE(agpHidden);
    enclosure.laptop();
    EXPECT_TRUE(agpHidden);
    EXPECT_EQ(state.store.systemCount(), 2);
    EXPECT_EQ(state.store.currentSystem(), 2);
    EXPECT_EQ(InventoryTree::imageKeyOf(tree.node("37 node")), "pc");
    EXPECT_EQ(childKeys("37 node"), QStringList{"37c node"});
    EXPECT_EQ(tree.node("7a node"), nullptr);
    EXPECT_TRUE(state.store.isPresent(1, catalogue::codes::PciSlot1)) << "the older system keeps its parts";
    EXPECT_FALSE(state.store.isPresent(2, catalogue::codes::PciSlot1));
    EXPECT_TRUE(add.addSlot("PciSlot1")) << "every command works again in the new system";
}

TEST_F(Designing, EverySlotCanBeAddedOnceWithItsNodeNameAndCode) {
    enclosure.tower();
    for (const catalogue::PartSlot& slot : catalogue::allSlots()) {
        if (slot.code == catalogue::codes::Enclosure || slot.code == catalogue::codes::OperatingSystem ||
            slot.code == catalogue::codes::Baseboard)
            continue;
        SCOPED_TRACE(slot.slotName);
        surface.shown.clear();
        ASSERT_TRUE(add.addSlot(slot.code));
        EXPECT_TRUE(state.store.isPresent(1, slot.code));
        EXPECT_EQ(surface.shown, std::vector<catalogue::PartCode>{slot.code});
        EXPECT_EQ(state.partCode, slot.code);
        EXPECT_EQ(state.store.text(1, slot.code, TextField::PartName), slot.defaultPartName);
        EXPECT_EQ(surface.label.toStdString(), slot.defaultPartName);
        if (slot.hasItemNode()) {
            const QTreeWidgetItem* node = tree.node(QString::fromStdString(slot.itemKey));
            ASSERT_NE(node, nullptr);
            EXPECT_EQ(InventoryTree::keyOf(node->parent()).toStdString(), slot.categoryKey);
            EXPECT_EQ(node->text(0).toStdString(), slot.itemText);
            EXPECT_EQ(InventoryTree::imageKeyOf(node).toStdString(), slot.imageKey);
        }
        // A second add does nothing.
        const int renders = surface.renderCount;
        state.partCode = catalogue::kNoPart;
        EXPECT_FALSE(add.addSlot(slot.code));
        EXPECT_EQ(state.partCode, catalogue::kNoPart);
        EXPECT_EQ(surface.renderCount, renders);
    }
    // Screen and PSU show only in the model.
    EXPECT_EQ(tree.node("1 node")->childCount(), 38);
}

TEST_F(Designing, OnlyOneOperatingSystemPerSystem) {
    enclosure.tower();
    EXPECT_TRUE(add.addOperatingSystem("mnuvista"));
    EXPECT_FALSE(add.addOperatingSystem("mnu764"));
    EXPECT_EQ(childKeys("32 node"), QStringList{"32a node"});
    EXPECT_EQ(state.store.text(1, catalogue::codes::OperatingSystem, TextField::PartName), "Vista (32 bit)");
    EXPECT_EQ(state.partCode, catalogue::codes::OperatingSystem);
    EXPECT_EQ(tree.node("32a node")->text(0), "Vista (32 bit)");
}

TEST_F(Designing, NextFreeGroupsFillInOrderThenDoNothing) {
    enclosure.tower();
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(add.addNextFree("front USB ports"));
    EXPECT_FALSE(add.addNextFree("front USB ports"));
    EXPECT_EQ(childKeys("52 node"), QStringList({"52a node", "52b node", "52c node", "52d node", "52e node",
                                                 "52f node", "52g node", "52h node"}));
    for (int i = 0; i < 3; ++i)
        add.addNextFree("back USB ports");
    EXPECT_EQ(state.partCode, catalogue::codes::UsbPortBack3);
    EXPECT_EQ(surface.label, "USB 3 (Back)");

    // A gap left by a directly added member is filled first.
    add.addSlot("EideConnector2");
    add.addNextFree("E-IDE connectors");
    EXPECT_EQ(state.partCode, catalogue::codes::EideConnector1);
    add.addNextFree("E-IDE connectors");
    EXPECT_EQ(state.store.text(1, catalogue::codes::EideConnector3, TextField::PartName), "E-IDE Connector ");
    EXPECT_FALSE(add.addNextFree("E-IDE connectors"));
    EXPECT_FALSE(add.addNextFree("no such family"));
}
