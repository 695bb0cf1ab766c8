// Four vertices mapped at once give what clipCodeOf and toScreen give one by one, bit for
// bit, whatever mix of kept, clipped and invalid vertices a group holds.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>

#include "scene3d/platform/raster/VertexQuad.h"

namespace bw::raster {
namespace {

using fixedfunction::ClipVertex;

bool sameBits(const ScreenVertex& a, const ScreenVertex& b) {
    if (a.x != b.x || a.y != b.y) return false;
    for (int i = 0; i < attributeCount; ++i)
        if (std::bit_cast<std::uint32_t>(a.attributes[i]) != std::bit_cast<std::uint32_t>(b.attributes[i]))
            return false;
    return true;
}

// Mostly inside the view, some past the guard band, behind the eye, past the far plane,
// on the limits exactly, or not finite.
ClipVertex randomVertex(std::mt19937& random, const GuardBand& band) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    ClipVertex v;
    v.w = std::uniform_real_distribution<float>(0.1f, 50.0f)(random);
    v.x = unit(random) * v.w;
    v.y = unit(random) * v.w;
    v.z = std::uniform_real_distribution<float>(0.0f, 1.0f)(random) * v.w;
    for (float& varying : v.varyings)
        varying = unit(random);
    // Each side of the view and of the guard band, beyond it and on it exactly.
    const float sides[] = {1.5f, -1.5f, 2.0f * band.xLimit, -2.0f * band.xLimit, band.xLimit, -1.0f};
    const float heights[] = {1.5f, -1.5f, 2.0f * band.yLimit, -2.0f * band.yLimit, -band.yLimit, 1.0f};
    const int pick = static_cast<int>(random() % 24);
    if (pick < 6) v.x = sides[pick] * v.w;
    if (pick >= 6 && pick < 12) v.y = heights[pick - 6] * v.w;
    switch (pick) {
    case 12:
        v.z = -0.5f;
        break;
    case 13:
        v.z = v.w * 1.5f;
        break;
    case 14:
        v.w = minimumW / 2;
        break;
    case 15:
        v.w = 0.0f;
        break;
    case 16:
        v.y = std::numeric_limits<float>::infinity();
        break;
    case 17:
        v.z = std::nanf("");
        break;
    default:
        break;
    }
    return v;
}

TEST(VertexQuad, CodesAndScreenVerticesMatchTheOneAtATimeMapping) {
    std::mt19937 random(21);
    int kept = 0, clipped = 0, invalid = 0;
    for (const auto& [width, height] :
         {std::pair{1024u, 768u}, std::pair{333u, 257u}, std::pair{2560u, 1440u}}) {
        const GuardBand band = guardBandFor(width, height);
        Viewport viewport;
        viewport.x = 7;
        viewport.y = 3;
        viewport.width = width;
        viewport.height = height;
        viewport.minZ = 0.25f;
        viewport.maxZ = 0.75f;
        const ViewportMapping mapping = viewportMappingFor(viewport);
        for (int round = 0; round < 2000; ++round) {
            ClipVertex group[4];
            for (ClipVertex& v : group)
                v = randomVertex(random, band);
            std::uint32_t codes[4];
            ScreenVertex screen[4];
            mapFourVertices(group, band, mapping, codes, screen);
            for (int k = 0; k < 4; ++k) {
                const std::uint32_t expected = clipCodeOf(group[k], band);
                ASSERT_EQ(codes[k], expected) << "round " << round << ", vertex " << k;
                if (expected & clipInvalid) {
                    ++invalid;
                } else if (expected & clipBitsMask) {
                    ++clipped;
                } else {
                    ++kept;
                    ASSERT_TRUE(sameBits(screen[k], toScreen(group[k], mapping)))
                        << "round " << round << ", vertex " << k;
                }
            }
        }
    }
    // Every kind of vertex was met, often.
    EXPECT_GT(kept, 5000);
    EXPECT_GT(clipped, 3000);
    EXPECT_GT(invalid, 1000);
}

TEST(VertexQuad, VerticesThatNeedClippingLeaveTheirScreenVerticesAlone) {
    const GuardBand band = guardBandFor(100, 100);
    Viewport viewport;
    viewport.width = viewport.height = 100;
    viewport.maxZ = 1.0f;
    ClipVertex group[4];
    group[1].z = -1.0f;                                   // before the near plane
    group[2].w = std::numeric_limits<float>::quiet_NaN(); // invalid
    group[3].x = 1000.0f;                                 // past the guard band
    ScreenVertex screen[4];
    for (ScreenVertex& s : screen)
        s.x = -12345;
    std::uint32_t codes[4];
    mapFourVertices(group, band, viewportMappingFor(viewport), codes, screen);
    EXPECT_EQ(codes[0], 0u);
    EXPECT_EQ(screen[0].x, 50 * subpixelScale);
    EXPECT_EQ(codes[1] & clipNear, clipNear);
    EXPECT_EQ(codes[2], clipInvalid);
    EXPECT_EQ(codes[3] & clipGuardRight, clipGuardRight);
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(screen[k].x, -12345) << k;
}

} // namespace
} // namespace bw::raster
