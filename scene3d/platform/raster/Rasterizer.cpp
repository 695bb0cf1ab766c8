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

// The covered pixels of each row of a triangle, row after row downwards. Each edge bounds
// a row from one side; where the row crosses it is estimated in floating point, widened
// by far more than the estimate's rounding error, and then corrected with the exact edge
// functions (the estimate can only be one pixel too generous).
class RowSpans {
public:
    RowSpans(const TriangleSetup& t, int firstRow) : t_(t) {
        const std::int64_t dy = firstRow - t.originY;
        for (int i = 0; i < 3; ++i) {
            const EdgeFunction& edge = t.edges[i];
            rowEdges_[i] = edge.atOrigin + edge.stepY * dy;
            inverseStepX_[i] = edge.stepX != 0 ? 1.0 / static_cast<double>(edge.stepX) : 0.0;
        }
    }

    // The current row's span; then moves down a row.
    Span next() {
        const Span span = solve();
        for (int i = 0; i < 3; ++i)
            rowEdges_[i] += t_.edges[i].stepY;
        return span;
    }

private:
    bool covers(int x) const {
        const std::int64_t dx = x - t_.originX;
        return rowEdges_[0] + t_.edges[0].stepX * dx >= 0 && rowEdges_[1] + t_.edges[1].stepX * dx >= 0 &&
               rowEdges_[2] + t_.edges[2].stepX * dx >= 0;
    }

    Span solve() const {
        int begin = t_.bounds.x0;
        int end = t_.bounds.x1;
        for (int i = 0; i < 3; ++i) {
            const std::int64_t stepX = t_.edges[i].stepX;
            if (stepX == 0) {
                if (rowEdges_[i] < 0) return {0, 0};
                continue;
            }
            const double offset = -static_cast<double>(rowEdges_[i]) * inverseStepX_[i];
            const double slack = 1e-9 * (1.0 + std::fabs(offset));
            if (stepX > 0) {
                const double first = std::ceil(offset - slack) + t_.originX;
                if (first > begin) begin = first >= end ? end : static_cast<int>(first);
            } else {
                const double last = std::floor(offset + slack) + t_.originX;
                if (last + 1 < end) end = last < begin ? begin : static_cast<int>(last) + 1;
            }
        }
        while (begin < end && !covers(begin))
            ++begin;
        while (end > begin && !covers(end - 1))
            --end;
        return {begin, end};
    }

    const TriangleSetup& t_;
    std::int64_t rowEdges_[3];
    double inverseStepX_[3];
};

// The vertex with the colours of the first vertex instead of its own (flat shading).
ScreenVertex withColoursOf(const ScreenVertex& first, ScreenVertex vertex) {
    const float scale = vertex.attributes[attributeInvW] / first.attributes[attributeInvW];
    for (const Varying colour : colourVaryings)
        vertex.attributes[attributeOf(colour)] = first.attributes[attributeOf(colour)] * scale;
    return vertex;
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
