#include "app/DisplayDensity.h"

#include <cmath>

namespace bw::app {

namespace {
constexpr double kNormalDpi = 96.0;
// Half-way between normal (96) and large (120) fonts, as the layout has always counted.
constexpr double kLargeFontThreshold = 105.0;
} // namespace

double deviceDpi(double logicalDpi, double devicePixelRatio) {
    const double dpi = logicalDpi * devicePixelRatio;
    return std::isfinite(dpi) && logicalDpi > 0 && devicePixelRatio > 0 ? dpi : kNormalDpi;
}

std::int16_t largeFontFlagFor(double logicalDpi, double devicePixelRatio) {
    return deviceDpi(logicalDpi, devicePixelRatio) > kLargeFontThreshold ? 0 : 1;
}

} // namespace bw::app
