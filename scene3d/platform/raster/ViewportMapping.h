#pragma once
// Perspective divide and viewport mapping. Pixel centres sit on integer coordinates, as
// in Direct3D 8: x = -1 maps to the viewport's left edge X, which is also the centre of
// its first pixel column.

#include <xmmintrin.h>

#include <cmath>

#include "scene3d/math/Viewport.h"
#include "scene3d/platform/fixedfunction/PipelineVertex.h"
#include "scene3d/platform/raster/ScreenVertex.h"

namespace bw::raster {

struct ViewportMapping {
    float scaleX = 0.0f;
    float offsetX = 0.0f;
    float scaleY = 0.0f;
    float offsetY = 0.0f;
    float scaleZ = 0.0f;
    float offsetZ = 0.0f;
};

inline ViewportMapping viewportMappingFor(const Viewport& viewport) {
    const float halfWidth = static_cast<float>(viewport.width) * 0.5f;
    const float halfHeight = static_cast<float>(viewport.height) * 0.5f;
    return {halfWidth,
            static_cast<float>(viewport.x) + halfWidth,
            -halfHeight,
            static_cast<float>(viewport.y) + halfHeight,
            viewport.maxZ - viewport.minZ,
            viewport.minZ};
}

// Rounds to nearest, ties to even, as lrint does in the default rounding mode, without
// a library call; the guard band keeps positions well inside the int32 range.
inline std::int32_t roundToSubpixel(float value) { return _mm_cvtss_si32(_mm_set_ss(value)); }

// v must have passed the clipper's w test. The varyings come out divided by w, ready to be
// interpolated linearly on screen.
inline ScreenVertex toScreen(const fixedfunction::ClipVertex& v, const ViewportMapping& mapping) {
    ScreenVertex s;
    const float invW = 1.0f / v.w;
    const float x = (v.x * invW * mapping.scaleX + mapping.offsetX) * subpixelScale;
    const float y = (v.y * invW * mapping.scaleY + mapping.offsetY) * subpixelScale;
    s.x = roundToSubpixel(x);
    s.y = roundToSubpixel(y);
    s.attributes[attributeDepth] = v.z * invW * mapping.scaleZ + mapping.offsetZ;
    s.attributes[attributeInvW] = invW;
    for (int i = 0; i < fixedfunction::varyingCount; ++i)
        s.attributes[attributeVaryings + i] = v.varyings[i] * invW;
    return s;
}

} // namespace bw::raster
