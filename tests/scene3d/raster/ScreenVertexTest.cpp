// Which pixels' sample points a subpixel span covers: the rounding both the binning of
// triangles into bands and triangle set-up rely on.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "scene3d/platform/raster/ScreenVertex.h"
#include "scene3d/platform/raster/ViewportMapping.h"

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

// The viewport mapping works on x, y, z and the varyings four at a time; each value must be
// what its own formula gives, rounding half-way positions to even as lrint does.
TEST(ViewportMapping, EachCoordinateIsItsOwnFormulaExactly) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> coordinate(-3.0f, 3.0f), weight(0.01f, 4.0f);
    const ViewportMapping mapping = viewportMappingFor({16, 8, 1000, 700, 0.1f, 0.9f});
    for (int i = 0; i < 2000; ++i) {
        fixedfunction::ClipVertex v;
        v.w = weight(random);
        // Some positions land exactly half way between subpixels.
        v.x = i % 7 == 0
                  ? ((static_cast<float>(i) + 0.5f) / subpixelScale - mapping.offsetX) / mapping.scaleX * v.w
                  : coordinate(random);
        v.y = coordinate(random);
        v.z = coordinate(random);
        for (float& varying : v.varyings)
            varying = coordinate(random);
        const ScreenVertex s = toScreen(v, mapping);
        const float invW = 1.0f / v.w;
        ASSERT_EQ(s.x, static_cast<std::int32_t>(
                           std::lrint((v.x * invW * mapping.scaleX + mapping.offsetX) * subpixelScale)));
        ASSERT_EQ(s.y, static_cast<std::int32_t>(
                           std::lrint((v.y * invW * mapping.scaleY + mapping.offsetY) * subpixelScale)));
        ASSERT_EQ(s.attributes[attributeDepth], v.z * invW * mapping.scaleZ + mapping.offsetZ);
        ASSERT_EQ(s.attributes[attributeInvW], invW);
        for (int k = 0; k < fixedfunction::varyingCount; ++k)
            ASSERT_EQ(s.attributes[attributeVaryings + k], v.varyings[k] * invW) << k;
    }
}

} // namespace
} // namespace bw::raster
