#pragma once
// The add popups, one row per line of a menu: items, separators and submenus.

#include <span>
#include <string_view>

namespace bw::assembly {

enum class MenuLine {
    AddSlot,     // target: the slot's name
    AddNextFree, // target: the family's name
    AddOs,       // target: the operating-system menu name (its key and text)
    Separator,
    Submenu,     // the header of the submenu that the following SubmenuItem lines fill
    SubmenuItem, // target: the slot's name
};

struct PopupMenuLine {
    std::string_view popup;
    MenuLine kind;
    std::string_view name; // the item's control name; empty for separators
    std::string_view caption;
    std::string_view target;
};

std::span<const PopupMenuLine> popupMenuLines();

} // namespace bw::assembly
