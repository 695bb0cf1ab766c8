#pragma once
// Clipping in homogeneous clip space. Every triangle is clipped against the near and far
// planes; x and y are left to the rasterizer's scissor as long as the vertices stay inside
// a guard band, and clipped against the band's edges otherwise, so that screen positions
// always fit the fixed-point rasterizer.

#include <xmmintrin.h>

#include <cstddef>
#include <cstdint>

#include "scene3d/platform/fixedfunction/PipelineVertex.h"

namespace bw::raster {

// Outcodes of a clip-space vertex. The clip bits ask for clipping; the frustum bits only
// serve to reject triangles that lie wholly outside one side of the view.
enum ClipCode : std::uint32_t {
    clipNear = 1u << 0,
    clipFar = 1u << 1,
    clipBehindEye = 1u << 2,
    clipGuardLeft = 1u << 3,
    clipGuardRight = 1u << 4,
    clipGuardTop = 1u << 5,
    clipGuardBottom = 1u << 6,
    outsideLeft = 1u << 7,
    outsideRight = 1u << 8,
    outsideBottom = 1u << 9,
    outsideTop = 1u << 10,
    clipInvalid = 1u << 11, // a coordinate is not a finite number: the triangle is dropped
};

inline constexpr std::uint32_t clipPlaneCount = 7;
inline constexpr std::uint32_t clipBitsMask = (1u << clipPlaneCount) - 1;
// Each plane can add one vertex to the polygon.
inline constexpr int maxClippedVertices = 3 + clipPlaneCount;

struct GuardBand {
    // |x / w| and |y / w| the rasterizer accepts, in normalised device coordinates.
    float xLimit = 1.0f;
    float yLimit = 1.0f;
};

// A guard band that keeps screen positions within guardPixels of the viewport.
GuardBand guardBandFor(std::uint32_t viewportWidth, std::uint32_t viewportHeight);

// Smallest w kept, so that the perspective divide stays finite.
inline constexpr float minimumW = 1e-5f;

// Four comparisons at once (SSE2): a vertex's outcode costs no more than its transform.
inline std::uint32_t clipCodeOf(const fixedfunction::ClipVertex& v, const GuardBand& band) {
    static_assert(offsetof(fixedfunction::ClipVertex, w) == 3 * sizeof(float));
    const __m128 position = _mm_loadu_ps(&v.x);
    // x - x is 0 for finite x, NaN for infinities and NaN.
    const __m128 zero = _mm_setzero_ps();
    if (_mm_movemask_ps(_mm_cmpeq_ps(_mm_sub_ps(position, position), zero)) != 0xF) return clipInvalid;
    const __m128 w = _mm_shuffle_ps(position, position, _MM_SHUFFLE(3, 3, 3, 3));
    // x < -limit w is -x > limit w, exactly: negation rounds nothing.
    const __m128 xxyy = _mm_shuffle_ps(position, position, _MM_SHUFFLE(1, 1, 0, 0));
    const __m128 signedXY = _mm_xor_ps(xxyy, _mm_setr_ps(-0.0f, 0.0f, 0.0f, -0.0f)); // -x, x, y, -y
    const __m128 guard = _mm_mul_ps(_mm_setr_ps(band.xLimit, band.xLimit, band.yLimit, band.yLimit), w);
    const int guardBits = _mm_movemask_ps(_mm_cmpgt_ps(signedXY, guard));
    const __m128 outside = _mm_xor_ps(xxyy, _mm_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f)); // -x, x, -y, y
    const int outsideBits = _mm_movemask_ps(_mm_cmpgt_ps(outside, w));
    const int depthBits = _mm_movemask_ps(
        _mm_cmpgt_ps(_mm_setr_ps(0.0f, v.z, minimumW, 0.0f), _mm_setr_ps(v.z, v.w, v.w, 0.0f)));
    return static_cast<std::uint32_t>(depthBits | guardBits << 3 | outsideBits << 7);
}

// Clips the triangle a, b, c against the planes named by planes (clip bits); writes the
// resulting convex polygon to out and returns its vertex count (0 when nothing is left).
int clipTriangle(const fixedfunction::ClipVertex& a, const fixedfunction::ClipVertex& b,
                 const fixedfunction::ClipVertex& c, std::uint32_t planes, const GuardBand& band,
                 fixedfunction::ClipVertex out[maxClippedVertices]);

} // namespace bw::raster
