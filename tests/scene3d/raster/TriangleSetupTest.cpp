// Triangle set-up computes the attribute planes four attributes at a time; each plane must
// be exactly what the per-attribute formula gives, for every count of attributes a draw
// uses.

#include <gtest/gtest.h>

#include <random>

#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {
namespace {

TEST(TriangleSetup, PlanesAreExactlyThePerAttributeFormula) {
    std::mt19937 random(31);
    std::uniform_int_distribution<std::int32_t> position(-40 * subpixelScale, 300 * subpixelScale);
    std::uniform_real_distribution<float> value(-2.0f, 2.0f);
    const PixelRect clip{0, 0, 256, 256};
    int checked = 0;
    for (int triangle = 0; triangle < 300; ++triangle) {
        ScreenVertex v[3];
        for (auto& vertex : v) {
            vertex.x = position(random);
            vertex.y = position(random);
            for (float& a : vertex.attributes)
                a = value(random);
        }
        const std::int64_t area = static_cast<std::int64_t>(v[1].x - v[0].x) * (v[2].y - v[0].y) -
                                  static_cast<std::int64_t>(v[1].y - v[0].y) * (v[2].x - v[0].x);
        if (area < 0) std::swap(v[1], v[2]);
        for (const int used : {attributesNeeded(false, false), attributesNeeded(true, false), attributesNeeded(true, true)}) {
            TriangleSetup t;
            if (!setupTriangle(v[0], v[1], v[2], clip, used, t)) continue;
            const float toPixels = 1.0f / subpixelScale;
            const float ex1 = static_cast<float>(v[1].x - v[0].x) * toPixels;
            const float ey1 = static_cast<float>(v[1].y - v[0].y) * toPixels;
            const float ex2 = static_cast<float>(v[2].x - v[0].x) * toPixels;
            const float ey2 = static_cast<float>(v[2].y - v[0].y) * toPixels;
            const std::int64_t area2 = static_cast<std::int64_t>(v[1].x - v[0].x) * (v[2].y - v[0].y) -
                                       static_cast<std::int64_t>(v[1].y - v[0].y) * (v[2].x - v[0].x);
            const float inverseArea =
                static_cast<float>(subpixelScale * subpixelScale) / static_cast<float>(area2);
            const float toOriginX = static_cast<float>(t.originX * subpixelScale - v[0].x) * toPixels;
            const float toOriginY = static_cast<float>(t.originY * subpixelScale - v[0].y) * toPixels;
            for (int i = 0; i < used; ++i) {
                const float d1 = v[1].attributes[i] - v[0].attributes[i];
                const float d2 = v[2].attributes[i] - v[0].attributes[i];
                const float dx = (d1 * ey2 - d2 * ey1) * inverseArea;
                const float dy = (d2 * ex1 - d1 * ex2) * inverseArea;
                ASSERT_EQ(t.planes.dx[i], dx) << "triangle " << triangle << ", attribute " << i;
                ASSERT_EQ(t.planes.dy[i], dy) << "triangle " << triangle << ", attribute " << i;
                ASSERT_EQ(t.planes.atOrigin[i], v[0].attributes[i] + dx * toOriginX + dy * toOriginY)
                    << "triangle " << triangle << ", attribute " << i;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
}

} // namespace
} // namespace bw::raster
