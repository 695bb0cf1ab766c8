#pragma once
// The picture buttons of the main window's panels, one row per button: where it sits,
// what it shows and what a click does.

#include <span>
#include <string_view>

namespace bw::assembly {

enum class PaletteAction {
    OpenPopup,   // target: the popup's name
    AddSlot,     // target: the slot's name
    AddNextFree, // target: the family's name
    ToggleBase,
    ToggleAxes,
    ToggleLights,
    ShowColorDialog,
    ToggleDetails,
    ZoomIn,
    ZoomOut,
};

struct PaletteButton {
    std::string_view array; // control array: "Picture4", "Picture5" or "picbut"
    int index;
    int panel; // index in the Picture3 panel array
    std::string_view toolTip;
    std::string_view caption;
    std::string_view icon;
    PaletteAction action;
    std::string_view target;
};

// In panel order, top to bottom within each panel.
std::span<const PaletteButton> paletteButtons();

// The panels that hold one design stage's buttons, by stage 1..11 (11: laptop only).
inline constexpr int kStagePanels[] = {2, 9, 16, 14, 0, 4, 3, 1, 12, 5, 8};
inline constexpr int kViewPanel = 7;
inline constexpr int kZoomPanel = 10;
inline constexpr int kPanPanel = 13;

} // namespace bw::assembly
