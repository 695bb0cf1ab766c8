#include "scene3d/platform/raster/TriangleSetup.h"

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

    AttributePlanes& planes = out.planes;
    for (int i = 0; i < attributesUsed; ++i) {
        const float d1 = v1.attributes[i] - v0.attributes[i];
        const float d2 = v2.attributes[i] - v0.attributes[i];
        const float dx = (d1 * ey2 - d2 * ey1) * inverseArea;
        const float dy = (d2 * ex1 - d1 * ex2) * inverseArea;
        planes.dx[i] = dx;
        planes.dy[i] = dy;
        planes.atOrigin[i] = v0.attributes[i] + dx * toOriginX + dy * toOriginY;
    }
    for (int i = attributesUsed; i < paddedAttributes(attributesUsed); ++i)
        planes.atOrigin[i] = planes.dx[i] = planes.dy[i] = 0.0f;
    return true;
}

} // namespace bw::raster
