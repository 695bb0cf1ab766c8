#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>

#include "assembly/DesignCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteDispatch.h"
#include "assembly/PopupMenus.h"
#include "assembly/ViewControls.h"
#include "RecordingSurface.h"

using namespace bw;
using namespace bw::assembly;

namespace {

class NoViewControls : public ViewControls {
public:
    void toggleAxes() override {}
    void toggleBase() override {}
    void toggleLights() override {}
    void zoomIn() override {}
    void zoomOut() override {}
    void toggleDetails() override {}
    void showColourDialog() override {}
};

class Commands : public ::testing::Test {
protected:
    DesignState state;
    InventoryTree tree{nullptr};
    fakes::RecordingSurface surface;
    NoViewControls view;
    QWidget owner;
    DesignCommands commands{state, tree, surface, view, &owner};
};

} // namespace

TEST_F(Commands, ALaptopTakesAgpOutOfTheVideoPopupForGood) {
    QAction* agp = commands.popups().item("mnuagp");
    ASSERT_NE(agp, nullptr);
    commands.enclosure().tower();
    EXPECT_TRUE(agp->isVisible());
    commands.enclosure().laptop();
    EXPECT_FALSE(agp->isVisible());
    commands.enclosure().tower();
    EXPECT_FALSE(agp->isVisible());
}

TEST_F(Commands, PalettesAndPopupsAddToTheNewestSystem) {
    commands.enclosure().tower();
    commands.enclosure().tower();
    const catalogue::PartSlot* northBridge = catalogue::findSlot("NorthBridge");
    const catalogue::PartSlot* agpVideo = catalogue::findSlot("AgpVideo");
    ASSERT_TRUE(northBridge && agpVideo);

    ASSERT_TRUE(commands.palette().click("Picture4", 12));
    commands.popups().item("mnuagp")->trigger();
    EXPECT_TRUE(state.store.isPresent(2, northBridge->code));
    EXPECT_TRUE(state.store.isPresent(2, agpVideo->code));
    EXPECT_FALSE(state.store.isPresent(1, northBridge->code));
    EXPECT_FALSE(state.store.isPresent(1, agpVideo->code));
    EXPECT_EQ(surface.label, "AGP");
}
