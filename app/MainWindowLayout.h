#pragma once
// Where the main window's controls sit, in twips. The design-time layout is used at normal
// density; the compact layout moves the few controls that large fonts need moved.

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace bw::app {

struct Placement {
    QString control; // objectName; "" is the window itself
    QRect twips;
};

// Every control with a fixed place, at normal density.
const std::vector<Placement>& designTimeLayout();
inline constexpr QSize kDesignWindowTwips{15360, 10320};

// The stage palettes stack in one column left of the view; their height follows their buttons.
struct StageColumn {
    int left, top, width;
};
inline constexpr StageColumn kStageColumnTwips{30, 1125, 930};

// The properties the compact layout changes (-1: left unchanged).
struct CompactChange {
    QString control; // "" is the window itself
    int left = -1, top = -1, width = -1, height = -1;
};
const std::vector<CompactChange>& compactLayout();

// The kinds of picture button, each with its own picture size.
enum class ButtonKind {
    Toolbar,        // menu, inventory, back and next
    ToolbarImage,   // the four pictures that only show what the program is about
    Palette,        // the stage, view and zoom palettes
    PanArrow,       // the arrows of the pan panel
    InventoryClose, // the close button on the inventory's title
};
// The side of the button's square picture, in twips.
int pictureTwips(ButtonKind kind);

// Pixel spacing of the panels that float over the view and of the bars that frame it.
inline constexpr int kOverlayMarginPixels = 8;
inline constexpr int kViewFramePixels = 3;
// The inventory's close button keeps this gap to the right end of its title.
inline constexpr int kInventoryCloseGapPixels = 2;

} // namespace bw::app
