// Which pixels' sample points a subpixel span covers: the rounding both the binning of
// triangles into bands and triangle set-up rely on.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "scene3d/platform/raster/ScreenVertex.h"

namespace bw::raster {
namespace {

TEST(PixelGrid, ASamplePointOnTheCoordinateCountsOnBothSides) {
    EXPECT_EQ(firstPixelAtOrAfter(3 * subpixelScale), 3);
    EXPECT_EQ(lastPixelAtOrBefore(3 * subpixelScale), 3);
    EXPECT_EQ(firstPixelAtOrAfter(0), 0);
    EXPECT_EQ(lastPixelAtOrBefore(0), 0);
}

TEST(PixelGrid, BetweenSamplePointsTheSpanRoundsInwards) {
    EXPECT_EQ(firstPixelAtOrAfter(3 * subpixelScale + 1), 4);
    EXPECT_EQ(lastPixelAtOrBefore(4 * subpixelScale - 1), 3);
    // A span inside one pixel's gap covers no sample point.
    EXPECT_GT(firstPixelAtOrAfter(5 * subpixelScale + 10), lastPixelAtOrBefore(5 * subpixelScale + 200));
}

TEST(PixelGrid, NegativeCoordinatesRoundTowardsTheirSidesNotTowardsZero) {
    EXPECT_EQ(firstPixelAtOrAfter(-1), 0);
    EXPECT_EQ(lastPixelAtOrBefore(-1), -1);
    EXPECT_EQ(firstPixelAtOrAfter(-subpixelScale - 1), -1);
    EXPECT_EQ(lastPixelAtOrBefore(-subpixelScale - 1), -2);
}

TEST(PixelGrid, TheWholeCoordinateRangeDoesNotOverflow) {
    constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(firstPixelAtOrAfter(top), (static_cast<std::int64_t>(top) + subpixelScale - 1) / subpixelScale);
    EXPECT_EQ(lastPixelAtOrBefore(top), top / subpixelScale);
    EXPECT_EQ(firstPixelAtOrAfter(bottom), bottom / subpixelScale);
    EXPECT_EQ(lastPixelAtOrBefore(bottom), bottom / subpixelScale);
}

} // namespace
} // namespace bw::raster
