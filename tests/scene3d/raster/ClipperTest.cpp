// Clipping in homogeneous space, on its own.

#include <gtest/gtest.h>

#include <cmath>

#include "scene3d/platform/raster/Clipper.h"

namespace bw::raster {
namespace {

using fixedfunction::ClipVertex;
using fixedfunction::varyingRed;

ClipVertex vertexAt(float x, float y, float z, float w, float red) {
    ClipVertex v;
    v.x = x;
    v.y = y;
    v.z = z;
    v.w = w;
    v.varyings[varyingRed] = red;
    return v;
}

TEST(Clipper, NearPlaneCutsATriangleIntoAQuadAndInterpolatesItsVaryings) {
    const GuardBand band = guardBandFor(100, 100);
    const ClipVertex behind = vertexAt(0, 0, -1, 1, 0.0f);
    const ClipVertex a = vertexAt(-0.5f, 0, 1, 2, 1.0f);
    const ClipVertex b = vertexAt(0.5f, 0, 1, 2, 1.0f);
    const std::uint32_t planes =
        (clipCodeOf(behind, band) | clipCodeOf(a, band) | clipCodeOf(b, band)) & clipBitsMask;
    ASSERT_EQ(planes, clipNear);

    ClipVertex out[maxClippedVertices];
    const int count = clipTriangle(behind, a, b, planes, band, out);
    ASSERT_EQ(count, 4);
    int onPlane = 0;
    for (int i = 0; i < count; ++i) {
        EXPECT_GE(out[i].z, -1e-6f);
        if (std::fabs(out[i].z) < 1e-6f) {
            ++onPlane;
            EXPECT_FLOAT_EQ(out[i].varyings[varyingRed], 0.5f); // half way from behind to a or b
            EXPECT_FLOAT_EQ(out[i].w, 1.5f);
        }
    }
    EXPECT_EQ(onPlane, 2);
}

TEST(Clipper, OutcodesTellInsideOutsideAndInvalidVertices) {
    const GuardBand band = guardBandFor(64, 64); // limits 1 + 8192 / 32 = 257
    EXPECT_EQ(clipCodeOf(vertexAt(0, 0, 0.5f, 1, 0), band), 0u);
    EXPECT_EQ(clipCodeOf(vertexAt(2, 0, 0.5f, 1, 0), band), std::uint32_t{outsideRight});
    EXPECT_EQ(clipCodeOf(vertexAt(300, 0, 0.5f, 1, 0), band), std::uint32_t{outsideRight | clipGuardRight});
    EXPECT_EQ(clipCodeOf(vertexAt(0, 0, 2, 1, 0), band), std::uint32_t{clipFar});
    EXPECT_EQ(clipCodeOf(vertexAt(0, std::nanf(""), 0.5f, 1, 0), band), std::uint32_t{clipInvalid});

    // Wholly behind the near plane: nothing is left.
    ClipVertex out[maxClippedVertices];
    EXPECT_EQ(clipTriangle(vertexAt(0, 0, -1, 1, 0), vertexAt(1, 0, -1, 1, 0), vertexAt(0, 1, -2, 1, 0),
                           clipNear, band, out),
              0);
}

} // namespace
} // namespace bw::raster
