#pragma once
// Perspective divide and viewport mapping. Pixel centres sit on integer coordinates, as
// in Direct3D 8: x = -1 maps to the viewport's left edge X, which is also the centre of
// its first pixel column.

#include <xmmintrin.h>

#include <cmath>
#include <cstddef>

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

// 1/w and the varyings divided by w (times invW), ready to be interpolated linearly on
// screen.
inline void storeOverW(const fixedfunction::ClipVertex& v, float invW, ScreenVertex& s) {
    s.attributes[attributeInvW] = invW;
    static_assert(fixedfunction::varyingCount == 9);
    const __m128 inverse = _mm_set1_ps(invW);
    _mm_storeu_ps(s.attributes + attributeVaryings, _mm_mul_ps(_mm_loadu_ps(v.varyings), inverse));
    _mm_storeu_ps(s.attributes + attributeVaryings + 4, _mm_mul_ps(_mm_loadu_ps(v.varyings + 4), inverse));
    s.attributes[attributeVaryings + 8] = v.varyings[8] * invW;
}

// v must have passed the clipper's w test. The varyings come out divided by w, ready to be
// interpolated linearly on screen. Writes every field of s.
inline void toScreen(const fixedfunction::ClipVertex& v, const ViewportMapping& mapping, ScreenVertex& s) {
    static_assert(offsetof(fixedfunction::ClipVertex, w) == 3 * sizeof(float));
    // x, y and z at once (SSE2), in the order of (x / w) scale + offset for each; the w
    // lane's scale and offset are 0.
    const float invW = 1.0f / v.w;
    const __m128 inverse = _mm_set1_ps(invW);
    const __m128 projected = _mm_mul_ps(_mm_loadu_ps(&v.x), inverse);
    const __m128 mapped =
        _mm_add_ps(_mm_mul_ps(projected, _mm_setr_ps(mapping.scaleX, mapping.scaleY, mapping.scaleZ, 0.0f)),
                   _mm_setr_ps(mapping.offsetX, mapping.offsetY, mapping.offsetZ, 0.0f));
    const __m128 screen = _mm_mul_ps(mapped, _mm_set1_ps(static_cast<float>(subpixelScale)));
    s.x = roundToSubpixel(_mm_cvtss_f32(screen));
    s.y = roundToSubpixel(_mm_cvtss_f32(_mm_shuffle_ps(screen, screen, _MM_SHUFFLE(1, 1, 1, 1))));
    s.attributes[attributeDepth] = _mm_cvtss_f32(_mm_movehl_ps(mapped, mapped));
    storeOverW(v, invW, s);
}

inline ScreenVertex toScreen(const fixedfunction::ClipVertex& v, const ViewportMapping& mapping) {
    ScreenVertex s;
    toScreen(v, mapping, s);
    return s;
}

} // namespace bw::raster
