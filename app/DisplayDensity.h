#pragma once
// Desktops set for large fonts (120 dots per inch and more) use the compact main-window
// layout. Under Qt 6 such a desktop usually reports 96 logical dots per inch and a
// device-pixel ratio of 1.25 (QT_FONT_DPI=120, QT_SCALE_FACTOR=1.25, Xft.dpi 120); with
// Qt's scaling off, or a rounding policy that keeps the ratio at 1, it reports 120 logical
// dots per inch instead. The density that decides is their product, the dots per inch on
// the device.

#include <cstdint>

namespace bw::app {

// Logical dots per inch times the device-pixel ratio; 96 for input that makes no sense.
double deviceDpi(double logicalDpi, double devicePixelRatio);

// 1 for normal density, 0 for large fonts: above 105 device dots per inch.
std::int16_t largeFontFlagFor(double logicalDpi, double devicePixelRatio = 1.0);

} // namespace bw::app
