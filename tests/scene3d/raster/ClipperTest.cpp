// Clipping in homogeneous space, on its own.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

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

// Every plane's bit, for vertices on, near and far from each plane, infinities and NaN,
// as each plane's own inequality gives it.
TEST(Clipper, OutcodesFollowEachPlanesInequality) {
    const GuardBand band = guardBandFor(640, 480);
    auto expected = [&](const ClipVertex& v) {
        for (const float c : {v.x, v.y, v.z, v.w})
            if (!std::isfinite(c)) return std::uint32_t{clipInvalid};
        const std::pair<bool, std::uint32_t> planes[] = {
            {v.z < 0.0f, clipNear},
            {v.z > v.w, clipFar},
            {v.w < minimumW, clipBehindEye},
            {v.x < -band.xLimit * v.w, clipGuardLeft},
            {v.x > band.xLimit * v.w, clipGuardRight},
            {v.y > band.yLimit * v.w, clipGuardTop},
            {v.y < -band.yLimit * v.w, clipGuardBottom},
            {v.x < -v.w, outsideLeft},
            {v.x > v.w, outsideRight},
            {v.y < -v.w, outsideBottom},
            {v.y > v.w, outsideTop},
        };
        std::uint32_t code = 0;
        for (const auto& [outside, bit] : planes)
            if (outside) code |= bit;
        return code;
    };
    const float w = 3.0f;
    const float values[] = {0.0f,
                            -0.0f,
                            1.0f,
                            -1.0f,
                            w,
                            -w,
                            band.xLimit * w,
                            -band.xLimit * w,
                            band.yLimit * w,
                            -band.yLimit * w,
                            std::nextafter(w, 10.0f),
                            std::nextafter(-w, -10.0f),
                            1e30f,
                            -1e30f,
                            INFINITY,
                            -INFINITY,
                            std::nanf("")};
    int checked = 0;
    for (const float x : values)
        for (const float y : values)
            for (const float z : values)
                for (const float ww : {w, minimumW, 0.0f, -w, INFINITY}) {
                    const ClipVertex v = vertexAt(x, y, z, ww, 0);
                    ASSERT_EQ(clipCodeOf(v, band), expected(v)) << x << ", " << y << ", " << z << ", " << ww;
                    ++checked;
                }
    EXPECT_EQ(checked, 17 * 17 * 17 * 5);
}

} // namespace
} // namespace bw::raster
