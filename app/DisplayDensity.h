#pragma once
// Screens denser than 105 logical dots per inch use the compact main-window layout.

#include <cstdint>
#include <QRect>

namespace bw::app {

// 1 for normal density, 0 for large fonts.
std::int16_t largeFontFlagFor(double logicalDpiX);

} // namespace bw::app
