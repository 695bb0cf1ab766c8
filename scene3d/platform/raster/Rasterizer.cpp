#include "scene3d/platform/raster/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "scene3d/platform/raster/FragmentStage.h"
#include "scene3d/platform/raster/Sampler.h"
#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {

using namespace fixedfunction;

namespace {

struct Span {
    int begin;
    int end;
};

bool covers(const TriangleSetup& t, const std::int64_t rowEdges[3], int x) {
    const std::int64_t dx = x - t.originX;
    return rowEdges[0] + t.edges[0].stepX * dx >= 0 && rowEdges[1] + t.edges[1].stepX * dx >= 0 &&
           rowEdges[2] + t.edges[2].stepX * dx >= 0;
}

// Triangles at most this many pixels wide find their spans by stepping the edge
// functions across the bounds, which is cheaper than solving for them.
constexpr int narrowTriangle = 16;

Span scanRow(const TriangleSetup& t, const std::int64_t rowEdges[3]) {
    const int width = t.bounds.x1 - t.bounds.x0;
    const std::int64_t offset = t.bounds.x0 - t.originX;
    std::int64_t e0 = rowEdges[0] + t.edges[0].stepX * offset;
    std::int64_t e1 = rowEdges[1] + t.edges[1].stepX * offset;
    std::int64_t e2 = rowEdges[2] + t.edges[2].stepX * offset;
    int x = 0;
    for (; x < width && (e0 | e1 | e2) < 0; ++x) {
        e0 += t.edges[0].stepX;
        e1 += t.edges[1].stepX;
        e2 += t.edges[2].stepX;
    }
    const int begin = x;
    for (; x < width && (e0 | e1 | e2) >= 0; ++x) {
        e0 += t.edges[0].stepX;
        e1 += t.edges[1].stepX;
        e2 += t.edges[2].stepX;
    }
    return {t.bounds.x0 + begin, t.bounds.x0 + x};
}

// 1 / stepX of each edge (0 for vertical ones): where a row crosses the edge, without a
// division per row.
struct EdgeCrossings {
    double inverseStepX[3] = {};

    explicit EdgeCrossings(const TriangleSetup& t) {
        for (int i = 0; i < 3; ++i)
            if (t.edges[i].stepX != 0) inverseStepX[i] = 1.0 / static_cast<double>(t.edges[i].stepX);
    }
};

// Each edge bounds the span from one side; the bound is estimated in floating point,
// widened by far more than the estimate's rounding error, and then corrected with the
// exact edge functions (the estimate can only be one pixel too generous).
Span solveRow(const TriangleSetup& t, const EdgeCrossings& crossings, const std::int64_t rowEdges[3]) {
    int begin = t.bounds.x0;
    int end = t.bounds.x1;
    for (int i = 0; i < 3; ++i) {
        const EdgeFunction& edge = t.edges[i];
        if (edge.stepX == 0) {
            if (rowEdges[i] < 0) return {0, 0};
            continue;
        }
        const double offset = -static_cast<double>(rowEdges[i]) * crossings.inverseStepX[i];
        const double slack = 1e-9 * (1.0 + std::fabs(offset));
        if (edge.stepX > 0) {
            const double first = std::ceil(offset - slack) + t.originX;
            if (first > begin) begin = first >= end ? end : static_cast<int>(first);
        } else {
            const double last = std::floor(offset + slack) + t.originX;
            if (last + 1 < end) end = last < begin ? begin : static_cast<int>(last) + 1;
        }
    }
    while (begin < end && !covers(t, rowEdges, begin))
        ++begin;
    while (end > begin && !covers(t, rowEdges, end - 1))
        --end;
    return {begin, end};
}

// The vertex with the colours of the first vertex instead of its own (flat shading).
ScreenVertex withColoursOf(const ScreenVertex& first, ScreenVertex vertex) {
    const float scale = vertex.attributes[attributeInvW] / first.attributes[attributeInvW];
    for (const Varying colour : colourVaryings)
        vertex.attributes[attributeOf(colour)] = first.attributes[attributeOf(colour)] * scale;
    return vertex;
}

// The covered pixels of row y; crossings only for triangles wider than narrowTriangle.
Span spanOfRow(const TriangleSetup& t, const std::optional<EdgeCrossings>& crossings, int y) {
    const std::int64_t dy = y - t.originY;
    const std::int64_t rowEdges[3] = {t.edges[0].atOrigin + t.edges[0].stepY * dy,
                                      t.edges[1].atOrigin + t.edges[1].stepY * dy,
                                      t.edges[2].atOrigin + t.edges[2].stepY * dy};
    return crossings ? solveRow(t, *crossings, rowEdges) : scanRow(t, rowEdges);
}

} // namespace

void rasterizeBand(const FrameQueue& queue, int band, FrameBuffer& frame, DepthBuffer& depth) {
    const int bandTop = band * FrameQueue::bandHeight;
    const int bandBottom = std::min(bandTop + FrameQueue::bandHeight, frame.height());
    TriangleSetup setup;

    for (const std::uint32_t index : queue.band(band)) {
        const QueuedTriangle& triangle = queue.triangle(index);
        const DrawState& state = queue.drawState(triangle.drawState);
        const ScreenVertex& v0 = queue.vertex(triangle.vertex[0]);
        const ScreenVertex& v1 = queue.vertex(triangle.vertex[1]);
        const ScreenVertex& v2 = queue.vertex(triangle.vertex[2]);
        const int attributes = attributesNeeded(state.texture != nullptr, state.specular);
        const bool set = state.flatShading ? setupTriangle(v0, withColoursOf(v0, v1), withColoursOf(v0, v2),
                                                           state.clip, attributes, setup)
                                           : setupTriangle(v0, v1, v2, state.clip, attributes, setup);
        if (!set) continue;

        std::optional<Sampler> sampler;
        if (state.texture) sampler.emplace(*state.texture);
        const SpanContext context{&setup, &state, sampler ? &*sampler : nullptr};
        const SpanShader shader = spanShaderFor(state, depth.exists());

        std::optional<EdgeCrossings> crossings;
        if (setup.bounds.x1 - setup.bounds.x0 > narrowTriangle) crossings.emplace(setup);
        const int rowEnd = std::min(setup.bounds.y1, bandBottom);
        for (int y = std::max(setup.bounds.y0, bandTop); y < rowEnd; ++y) {
            const Span span = spanOfRow(setup, crossings, y);
            if (span.begin >= span.end) continue;
            const SpanTarget target{frame.row(y), depth.exists() ? depth.row(y) : nullptr, frame.width()};
            shadeSpan(shader, context, target, y, span.begin, span.end);
        }
    }
}

} // namespace bw::raster
