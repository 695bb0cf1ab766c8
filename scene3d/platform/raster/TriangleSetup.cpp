#include "scene3d/platform/raster/TriangleSetup.h"

#include <emmintrin.h>

#include <algorithm>

namespace bw::raster {

namespace {

// Pixel centres exactly on an edge belong to the triangle only if the edge is a top edge
// (horizontal, with the triangle below it) or a left edge. For a clockwise triangle on a
// y-down screen those are the edges running right (dy = 0, dx > 0) or up (dy < 0).
EdgeFunction edgeFunction(const ScreenVertex& a, const ScreenVertex& b, std::int64_t originX,
                          std::int64_t originY) {
    const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dy = static_cast<std::int64_t>(b.y) - a.y;
    EdgeFunction edge;
    edge.stepX = -dy * subpixelScale;
    edge.stepY = dx * subpixelScale;
    edge.atOrigin = dx * (originY - a.y) - dy * (originX - a.x);
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    if (!topLeft) edge.atOrigin -= 1;
    return edge;
}

// Attributes i .. i + 3 of the vertex, those from used on as 0 (so that their planes are 0).
__m128 attributeGroup(const ScreenVertex& v, int i, int used) {
    if (i + 4 <= used) return _mm_loadu_ps(v.attributes + i);
    // The vertex's last group has three attributes: no load may reach past them.
    static_assert(attributeCount % 4 == 3);
    const float* last = v.attributes + attributeCount - 3;
    const __m128 group = i + 4 <= attributeCount ? _mm_loadu_ps(v.attributes + i)
                                                 : _mm_setr_ps(last[0], last[1], last[2], 0.0f);
    const __m128i lanes = _mm_cmpgt_epi32(_mm_set1_epi32(used - i), _mm_setr_epi32(0, 1, 2, 3));
    return _mm_and_ps(group, _mm_castsi128_ps(lanes));
}

} // namespace

bool setupTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                   const PixelRect& clip, int attributesUsed, TriangleSetup& out) {
    PixelRect bounds;
    bounds.x0 = std::max(clip.x0, firstPixelAtOrAfter(std::min({v0.x, v1.x, v2.x})));
    bounds.x1 = std::min(clip.x1, lastPixelAtOrBefore(std::max({v0.x, v1.x, v2.x})) + 1);
    bounds.y0 = std::max(clip.y0, firstPixelAtOrAfter(std::min({v0.y, v1.y, v2.y})));
    bounds.y1 = std::min(clip.y1, lastPixelAtOrBefore(std::max({v0.y, v1.y, v2.y})) + 1);
    if (bounds.x0 >= bounds.x1 || bounds.y0 >= bounds.y1) return false;

    out.originX = bounds.x0;
    out.originY = bounds.y0;
    const std::int64_t originX = static_cast<std::int64_t>(bounds.x0) * subpixelScale;
    const std::int64_t originY = static_cast<std::int64_t>(bounds.y0) * subpixelScale;
    const EdgeFunction edges[3] = {edgeFunction(v0, v1, originX, originY),
                                   edgeFunction(v1, v2, originX, originY),
                                   edgeFunction(v2, v0, originX, originY)};

    // Fixed-point positions are exact in float; the plane gradients come from the edge
    // vectors of vertex 0, the value at the origin from vertex 0 itself.
    constexpr float toPixels = 1.0f / subpixelScale;
    const float ex1 = static_cast<float>(v1.x - v0.x) * toPixels;
    const float ey1 = static_cast<float>(v1.y - v0.y) * toPixels;
    const float ex2 = static_cast<float>(v2.x - v0.x) * toPixels;
    const float ey2 = static_cast<float>(v2.y - v0.y) * toPixels;
    const std::int64_t area2 = static_cast<std::int64_t>(v1.x - v0.x) * (v2.y - v0.y) -
                               static_cast<std::int64_t>(v1.y - v0.y) * (v2.x - v0.x);
    if (area2 <= 0 || !rowCoverageOf(edges, bounds, out.rows)) return false;
    const float inverseArea = static_cast<float>(subpixelScale * subpixelScale) / static_cast<float>(area2);
    const float toOriginX = static_cast<float>(originX - v0.x) * toPixels;
    const float toOriginY = static_cast<float>(originY - v0.y) * toPixels;

    // Four attributes at a time, each lane exactly as the formula for one: no fused
    // multiply-add, the same order of operations.
    const __m128 edgeY2 = _mm_set1_ps(ey2), edgeY1 = _mm_set1_ps(ey1);
    const __m128 edgeX1 = _mm_set1_ps(ex1), edgeX2 = _mm_set1_ps(ex2);
    const __m128 inverse = _mm_set1_ps(inverseArea);
    const __m128 originDx = _mm_set1_ps(toOriginX), originDy = _mm_set1_ps(toOriginY);
    AttributePlanes& planes = out.planes;
    for (int i = 0; i < attributesUsed; i += 4) {
        const __m128 a0 = attributeGroup(v0, i, attributesUsed);
        const __m128 d1 = _mm_sub_ps(attributeGroup(v1, i, attributesUsed), a0);
        const __m128 d2 = _mm_sub_ps(attributeGroup(v2, i, attributesUsed), a0);
        const __m128 dx = _mm_mul_ps(_mm_sub_ps(_mm_mul_ps(d1, edgeY2), _mm_mul_ps(d2, edgeY1)), inverse);
        const __m128 dy = _mm_mul_ps(_mm_sub_ps(_mm_mul_ps(d2, edgeX1), _mm_mul_ps(d1, edgeX2)), inverse);
        AttributePlaneGroup& group = planes.groups[i / 4];
        _mm_storeu_ps(group.dx, dx);
        _mm_storeu_ps(group.dy, dy);
        _mm_storeu_ps(group.atOrigin,
                      _mm_add_ps(_mm_add_ps(a0, _mm_mul_ps(dx, originDx)), _mm_mul_ps(dy, originDy)));
    }
    return true;
}

} // namespace bw::raster
