#include "app/DisplayDensity.h"

namespace bw::app {

std::int16_t largeFontFlagFor(double logicalDpiX) { return logicalDpiX > 105.0 ? 0 : 1; }

} // namespace bw::app
