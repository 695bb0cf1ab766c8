#pragma once
// Runs what a palette button's row of the palette table says a click does: open a popup,
// add a part, or change the view.

#include <string_view>

namespace bw::assembly {

class AddCommands;
class PopupMenus;
class ViewControls;
struct PaletteButton;

class PaletteDispatch {
public:
    PaletteDispatch(AddCommands& commands, PopupMenus& popups, ViewControls& view)
        : commands_(commands), popups_(popups), view_(view) {}

    void run(const PaletteButton& button);
    // The button of control array `array` ("Picture4", "Picture5", "picbut") at `index`;
    // false when the table has no such button.
    bool click(std::string_view array, int index);

private:
    AddCommands& commands_;
    PopupMenus& popups_;
    ViewControls& view_;
};

} // namespace bw::assembly
