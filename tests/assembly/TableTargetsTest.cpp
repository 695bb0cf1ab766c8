#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assembly/PaletteTable.h"
#include "assembly/PopupMenuTable.h"
#include "catalogue/PartCatalogue.h"

using namespace bw;
using namespace bw::assembly;

namespace {

bool isOsMenu(std::string_view name) {
    for (const catalogue::OsVersion& os : catalogue::osVersions())
        if (os.menuName == name) return true;
    return false;
}

} // namespace

// The palettes and popups name the slots and families they add by name; a misspelt name
// would leave its button or menu item doing nothing without a word.
TEST(TableTargets, EveryPopupLineAddsSomethingThatExists) {
    for (const PopupMenuLine& line : popupMenuLines()) {
        SCOPED_TRACE(std::string(line.name));
        switch (line.kind) {
        case MenuLine::AddSlot:
        case MenuLine::SubmenuItem:
            EXPECT_NE(catalogue::findSlot(line.target), nullptr);
            break;
        case MenuLine::AddNextFree:
            EXPECT_NE(catalogue::findFamily(line.target), nullptr);
            break;
        case MenuLine::AddOs:
            EXPECT_TRUE(isOsMenu(line.target));
            break;
        case MenuLine::Separator:
        case MenuLine::Submenu:
            EXPECT_TRUE(line.target.empty());
            break;
        }
    }
}

TEST(TableTargets, EveryPaletteButtonAddsOrOpensSomethingThatExists) {
    std::set<std::string_view> popups;
    for (const PopupMenuLine& line : popupMenuLines())
        popups.insert(line.popup);
    for (const PaletteButton& button : paletteButtons()) {
        SCOPED_TRACE(std::string(button.array) + "(" + std::to_string(button.index) + ")");
        switch (button.action) {
        case PaletteAction::OpenPopup:
            EXPECT_EQ(popups.count(button.target), 1u);
            break;
        case PaletteAction::AddSlot:
            EXPECT_NE(catalogue::findSlot(button.target), nullptr);
            break;
        case PaletteAction::AddNextFree:
            EXPECT_NE(catalogue::findFamily(button.target), nullptr);
            break;
        default:
            EXPECT_TRUE(button.target.empty());
            break;
        }
    }
}
