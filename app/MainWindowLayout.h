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

// The properties the compact layout changes (-1: left unchanged).
struct CompactChange {
    QString control; // "" is the window itself
    int left = -1, top = -1, width = -1, height = -1;
};
const std::vector<CompactChange>& compactLayout();

// Sizes of the picture buttons, in twips.
inline constexpr int kPaletteButtonTwips = 600;
inline constexpr int kToolbarButtonTwips = 720;

} // namespace bw::app
