#include <gtest/gtest.h>

#include <QMenu>
#include <QStringList>
#include <QWidget>
#include <set>
#include <utility>

#include "assembly/AddCommands.h"
#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteDispatch.h"
#include "assembly/PaletteTable.h"
#include "assembly/PartEdits.h"
#include "assembly/PopupMenus.h"
#include "assembly/ViewControls.h"
#include "RecordingSurface.h"

using namespace bw;
using namespace bw::assembly;

namespace {

class RecordingViewControls : public ViewControls {
public:
    void toggleAxes() override { calls << "axes"; }
    void toggleBase() override { calls << "base"; }
    void toggleLights() override { calls << "lights"; }
    void zoomIn() override { calls << "zoom in"; }
    void zoomOut() override { calls << "zoom out"; }
    void toggleDetails() override { calls << "details"; }
    void showColourDialog() override { calls << "colour"; }

    QStringList calls;
};

class Palette : public ::testing::Test {
protected:
    DesignState state;
    InventoryTree tree{nullptr};
    fakes::RecordingSurface surface;
    PartEdits edits{state, tree, surface};
    AddCommands add{state, edits};
    EnclosureCommands enclosure{state, tree, surface, edits};
    QWidget owner;
    PopupMenus popups{add, &owner};
    RecordingViewControls view;
    PaletteDispatch dispatch{add, popups, view};

    QString visiblePopup() const {
        for (QMenu* menu : owner.findChildren<QMenu*>())
            if (menu->isVisible()) return menu->objectName();
        return {};
    }
    void closePopups() {
        for (QMenu* menu : owner.findChildren<QMenu*>())
            menu->hide();
    }
};

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

TEST_F(Palette, ViewButtonsReachOnlyTheirViewControl) {
    enclosure.tower();
    const int partsBefore = static_cast<int>(surface.shown.size());
    const std::pair<PaletteAction, const char*> expected[] = {
        {PaletteAction::ToggleAxes, "axes"},        {PaletteAction::ToggleBase, "base"},
        {PaletteAction::ToggleLights, "lights"},    {PaletteAction::ZoomIn, "zoom in"},
        {PaletteAction::ZoomOut, "zoom out"},       {PaletteAction::ToggleDetails, "details"},
        {PaletteAction::ShowColorDialog, "colour"},
    };
    int seen = 0;
    for (const PaletteButton& button : paletteButtons()) {
        for (const auto& [action, call] : expected) {
            if (button.action != action) continue;
            view.calls.clear();
            dispatch.run(button);
            EXPECT_EQ(view.calls, QStringList{call}) << button.toolTip;
            ++seen;
        }
    }
    EXPECT_EQ(seen, 7) << "Base, 3D, Lights, Color, Details, In and Out";
    EXPECT_EQ(static_cast<int>(surface.shown.size()), partsBefore);
    EXPECT_TRUE(visiblePopup().isEmpty());
}

TEST_F(Palette, SlotButtonsAddTheirOwnSlot) {
    enclosure.tower();
    int seen = 0;
    for (const PaletteButton& button : paletteButtons()) {
        if (button.action != PaletteAction::AddSlot) continue;
        const catalogue::PartSlot* slot = catalogue::findSlot(button.target);
        ASSERT_NE(slot, nullptr) << button.target;
        EXPECT_TRUE(dispatch.click(button.array, button.index));
        EXPECT_TRUE(state.store.isPresent(1, slot->code)) << button.toolTip;
        EXPECT_EQ(state.partCode, slot->code) << button.toolTip;
        ++seen;
    }
    EXPECT_GT(seen, 0);
    EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(Palette, FamilyButtonsAddTheNextFreeMemberEachClick) {
    enclosure.tower();
    for (const PaletteButton& button : paletteButtons()) {
        if (button.action != PaletteAction::AddNextFree) continue;
        const catalogue::Family* family = catalogue::findFamily(button.target);
        ASSERT_NE(family, nullptr) << button.target;
        std::set<catalogue::PartCode> added;
        for (int click = 0; click < family->size; ++click) {
            dispatch.run(button);
            EXPECT_TRUE(family->contains(state.partCode)) << button.toolTip;
            EXPECT_TRUE(state.store.isPresent(1, state.partCode)) << button.toolTip;
            added.insert(state.partCode);
        }
        EXPECT_EQ(static_cast<int>(added.size()), family->size) << button.toolTip;
    }
    EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(Palette, PopupButtonsOpenTheirPopupAndAddNothing) {
    enclosure.tower();
    const auto partsBefore = surface.shown.size();
    for (const PaletteButton& button : paletteButtons()) {
        if (button.action != PaletteAction::OpenPopup) continue;
        ASSERT_NE(popups.menu(text(button.target)), nullptr) << button.target;
        dispatch.run(button);
        EXPECT_EQ(visiblePopup(), text(button.target)) << button.toolTip;
        closePopups();
    }
    EXPECT_EQ(surface.shown.size(), partsBefore);
    EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(Palette, AClickFindsItsButtonByArrayAndIndexOnly) {
    // Picture5(18) is Color, Picture4(18) a SATA connector: the array tells them apart.
    ASSERT_TRUE(dispatch.click("Picture5", 18));
    EXPECT_EQ(view.calls, QStringList{"colour"});
    view.calls.clear();
    EXPECT_TRUE(dispatch.click("Picture4", 18));
    EXPECT_TRUE(view.calls.isEmpty());

    EXPECT_FALSE(dispatch.click("Picture4", 99));
    EXPECT_FALSE(dispatch.click("Picture6", 0));
    EXPECT_TRUE(view.calls.isEmpty());
    EXPECT_TRUE(visiblePopup().isEmpty());
}

TEST(PaletteTable, EveryButtonIsNamedOnce) {
    std::set<std::pair<std::string_view, int>> names;
    for (const PaletteButton& button : paletteButtons())
        EXPECT_TRUE(names.emplace(button.array, button.index).second) << button.array << button.index;
}
