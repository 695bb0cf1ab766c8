#include "scene3d/platform/raster/Rasterizer.h"

#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
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

// The covered pixels of each row of a triangle, row after row downwards.
//
// Small triangles (the most) test every pixel of the row's bounds, four at a time: their
// edge functions fit in 32 bits there, and the covered pixels of a row are contiguous.
//
// For larger ones each edge bounds a row from one side; where the row crosses it is
// estimated in floating point, widened by far more than the estimate's rounding error,
// and then corrected with the exact edge functions (the estimate can only be one pixel
// too generous).
class RowSpans {
public:
    // Bounds and extent, in pixels, up to which a triangle counts as small: its edge
    // functions at pixels of its bounds stay below 2 x (64 x 256)^2 = 2^29.
    static constexpr int smallWidth = 64;
    static constexpr std::int64_t smallExtent = std::int64_t{64} * subpixelScale;

    RowSpans(const TriangleSetup& t, int firstRow) : t_(t) {
        const std::int64_t dy = firstRow - t.originY;
        std::int64_t extent = 0; // largest |dx| or |dy| of an edge, in subpixels
        for (int i = 0; i < 3; ++i) {
            const EdgeFunction& edge = t.edges[i];
            rowEdges_[i] = edge.atOrigin + edge.stepY * dy;
            extent = std::max({extent, std::abs(edge.stepX) / subpixelScale, std::abs(edge.stepY) / subpixelScale});
        }
        const int width = t.bounds.x1 - t.bounds.x0;
        groups_ = extent <= smallExtent && width <= smallWidth ? (width + 3) / 4 : 0;
        for (int i = 0; i < 3; ++i) {
            const auto stepX = static_cast<std::int32_t>(t.edges[i].stepX);
            if (groups_ > 0) {
                laneSteps_[i] = _mm_setr_epi32(0, stepX, 2 * stepX, 3 * stepX);
                groupSteps_[i] = _mm_set1_epi32(4 * stepX);
            } else {
                inverseStepX_[i] = t.edges[i].stepX != 0 ? 1.0 / static_cast<double>(t.edges[i].stepX) : 0.0;
            }
        }
        if (groups_ > 0) pixelBits_ = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    }

    // The current row's span; then moves down a row.
    Span next() {
        const Span span = groups_ > 0 ? test() : solve();
        for (int i = 0; i < 3; ++i)
            rowEdges_[i] += t_.edges[i].stepY;
        return span;
    }

private:
    Span test() const {
        __m128i e[3];
        for (int i = 0; i < 3; ++i)
            e[i] = _mm_add_epi32(_mm_set1_epi32(static_cast<std::int32_t>(rowEdges_[i])), laneSteps_[i]);
        std::uint64_t covered = 0;
        for (int group = 0; group < groups_; ++group) {
            // A pixel is outside when one of its edge functions is negative: its sign bit.
            const __m128i any = _mm_or_si128(_mm_or_si128(e[0], e[1]), e[2]);
            const auto outside = static_cast<std::uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(any)));
            covered |= (outside ^ 0xF) << (4 * group);
            for (int i = 0; i < 3; ++i)
                e[i] = _mm_add_epi32(e[i], groupSteps_[i]);
        }
        covered &= pixelBits_;
        if (covered == 0) return {0, 0};
        return {t_.bounds.x0 + std::countr_zero(covered), t_.bounds.x0 + 64 - std::countl_zero(covered)};
    }

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
    int groups_ = 0; // groups of four pixels a small triangle's rows test; 0 for a large one
    std::uint64_t pixelBits_ = 0;
    __m128i laneSteps_[3];
    __m128i groupSteps_[3];
    double inverseStepX_[3] = {};
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
