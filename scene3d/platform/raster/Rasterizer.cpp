#include "scene3d/platform/raster/Rasterizer.h"

#include <xmmintrin.h>

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

// Floor of a / s for s > 0, exactly: a double estimate (truncated, so up to one too
// high for negative quotients), corrected in integers. Also gives the remainder
// a - s floor(a / s), in [0, s).
std::int64_t floorDivide(std::int64_t a, std::int64_t s, double inverseS, std::int64_t& remainder) {
    auto quotient = static_cast<std::int64_t>(static_cast<double>(a) * inverseS);
    remainder = a - s * quotient;
    while (remainder < 0)
        remainder += s, --quotient;
    while (remainder >= s)
        remainder -= s, ++quotient;
    return quotient;
}

// The covered pixels of each row of a triangle, row after row downwards, exactly and in
// a few integer steps per row whatever the triangle's shape.
//
// With E(x) = rowE + stepX x on a row (x counted from originX) and s = |stepX|, an edge
// with stepX > 0 covers x >= -floor(rowE / s) and one with stepX < 0 covers
// x <= floor(rowE / s). From one row to the next rowE grows by stepY = A s + B
// (0 <= B < s), so floor(rowE / s) grows by A, or A + 1 when the remainder passes s.
// Edges with stepX = 0 cover a whole row or none of it.
class RowSpans {
public:
    RowSpans(const TriangleSetup& t, int firstRow) : t_(t) {
        const std::int64_t dy = firstRow - t.originY;
        for (int i = 0; i < 3; ++i) {
            const EdgeFunction& edge = t.edges[i];
            Edge& e = edges_[i];
            e.rowE = edge.atOrigin + edge.stepY * dy;
            e.stepY = edge.stepY;
            e.direction = edge.stepX > 0 ? -1 : edge.stepX < 0 ? 1 : 0;
            if (e.direction == 0) {
                e.s = 1;
                e.quotient = e.remainder = e.quotientStep = e.remainderStep = 0;
                continue;
            }
            e.s = edge.stepX > 0 ? edge.stepX : -edge.stepX;
            const double inverseS = 1.0 / static_cast<double>(e.s);
            e.quotient = floorDivide(e.rowE, e.s, inverseS, e.remainder);
            e.quotientStep = floorDivide(edge.stepY, e.s, inverseS, e.remainderStep);
        }
    }

    // The current row's span; then moves down a row.
    Span next() {
        std::int64_t first = t_.bounds.x0 - t_.originX;
        std::int64_t last = t_.bounds.x1 - 1 - t_.originX;
        bool outside = false;
        for (Edge& e : edges_) {
            if (e.direction < 0)
                first = std::max(first, -e.quotient);
            else if (e.direction > 0)
                last = std::min(last, e.quotient);
            else
                outside |= e.rowE < 0;
            e.rowE += e.stepY;
            e.remainder += e.remainderStep;
            e.quotient += e.quotientStep;
            if (e.remainder >= e.s) e.remainder -= e.s, ++e.quotient;
        }
        if (outside || first > last) return {0, 0};
        return {t_.originX + static_cast<int>(first), t_.originX + static_cast<int>(last) + 1};
    }

private:
    // Every field set by the constructor: a triangle's rows are too few to pay for
    // clearing them first.
    struct Edge {
        std::int64_t rowE;
        std::int64_t stepY;
        int direction; // -1: bounds the span's start, 1: its end, 0: the whole row
        std::int64_t s;
        std::int64_t quotient; // floor(rowE / s)
        std::int64_t remainder;
        std::int64_t quotientStep; // floor(stepY / s)
        std::int64_t remainderStep;
    };

    const TriangleSetup& t_;
    Edge edges_[3];
};

// The vertex with the colours of the first vertex instead of its own (flat shading).
ScreenVertex withColoursOf(const ScreenVertex& first, ScreenVertex vertex) {
    const float scale = vertex.attributes[attributeInvW] / first.attributes[attributeInvW];
    for (const Varying colour : colourVaryings)
        vertex.attributes[attributeOf(colour)] = first.attributes[attributeOf(colour)] * scale;
    return vertex;
}

// A band's triangles are in submission order, their vertices spread over the frame's
// whole vertex store: fetching them ahead hides most of the memory latency.
constexpr std::size_t prefetchDistance = 8;

void prefetchVertices(const FrameQueue& queue, const QueuedTriangle& triangle) {
    for (const std::uint32_t index : triangle.vertex) {
        const char* vertex = reinterpret_cast<const char*>(&queue.vertex(index));
        _mm_prefetch(vertex, _MM_HINT_T0);
        _mm_prefetch(vertex + sizeof(ScreenVertex) - 1, _MM_HINT_T0);
    }
}

} // namespace

void rasterizeBand(const FrameQueue& queue, int band, FrameBuffer& frame, DepthBuffer& depth) {
    const int bandTop = band * FrameQueue::bandHeight;
    const int bandBottom = std::min(bandTop + FrameQueue::bandHeight, frame.height());
    TriangleSetup setup;

    const std::vector<std::uint32_t>& triangles = queue.band(band);
    for (std::size_t position = 0; position < triangles.size(); ++position) {
        if (position + prefetchDistance < triangles.size())
            prefetchVertices(queue, queue.triangle(triangles[position + prefetchDistance]));
        const QueuedTriangle& triangle = queue.triangle(triangles[position]);
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

        const int rowBegin = std::max(setup.bounds.y0, bandTop);
        const int rowEnd = std::min(setup.bounds.y1, bandBottom);
        RowSpans rows(setup, rowBegin);
        for (int y = rowBegin; y < rowEnd; ++y) {
            const Span span = rows.next();
            if (span.begin >= span.end) continue;
            const SpanTarget target{frame.row(y), depth.exists() ? depth.row(y) : nullptr, frame.width()};
            shadeSpan(shader, context, target, y, span.begin, span.end);
        }
    }
}

} // namespace bw::raster
