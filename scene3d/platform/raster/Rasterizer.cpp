#include "scene3d/platform/raster/Rasterizer.h"

#include <algorithm>
#include <optional>

#include "scene3d/platform/raster/FragmentStage.h"
#include "scene3d/platform/raster/RowSpans.h"
#include "scene3d/platform/raster/Sampler.h"

namespace bw::raster {

namespace {

struct BandRows {
    int begin;
    int end;
};

template <int StartEdges, int EdgeCount>
void shadeRows(const SpanShader& shader, const SpanContext& context, BandRows rows, const ColourRows& colour,
               const DepthRows& depth) {
    const TriangleSetup& setup = *context.setup;
    // The band's spans first, in a loop without calls that keeps the walk in registers.
    RowSpans<StartEdges, EdgeCount> walk(setup.rows, setup.originX, setup.originY, rows.begin);
    Span spans[FrameQueue::bandHeight];
    for (int y = rows.begin; y < rows.end; ++y)
        spans[y - rows.begin] = walk.next();
    shader(context, {spans, rows.end - rows.begin, rows.begin, colour.row(rows.begin),
                     depth.exists() ? depth.row(rows.begin) : nullptr, colour.width});
}

// A band's triangles lie far apart in a queue larger than the cache: the next ones are
// fetched while this one is drawn, as far as a draw without specular reads them.
constexpr std::size_t prefetchDistance = 2;

void prefetch(const QueuedTriangle& triangle) {
    const auto* bytes = reinterpret_cast<const char*>(&triangle);
    for (std::size_t offset = 0; offset < queuedBytesWithoutSpecular; offset += 64)
        __builtin_prefetch(bytes + offset);
}

} // namespace

void rasterizeBand(const FrameQueue& queue, int band, const ColourRows& colour, const DepthRows& depth) {
    const int bandTop = queue.bandTop(band);
    const int bandBottom = queue.bandBottom(band);

    // Consecutive triangles mostly share their draw's state.
    std::uint32_t drawState = ~0u;
    SpanShader shader = nullptr;
    std::optional<Sampler> sampler;
    SpanContext context;
    const std::vector<std::uint32_t>& triangles = queue.band(band);
    for (std::size_t k = 0; k < triangles.size(); ++k) {
        if (k + prefetchDistance < triangles.size())
            prefetch(queue.triangle(triangles[k + prefetchDistance]));
        const QueuedTriangle& triangle = queue.triangle(triangles[k]);
        if (triangle.drawState != drawState) {
            drawState = triangle.drawState;
            const DrawState& state = queue.drawState(drawState);
            sampler.reset();
            if (state.texture) sampler.emplace(*state.texture);
            shader = spanShaderFor(state, depth.exists());
            context = {nullptr, &state, sampler ? &*sampler : nullptr};
        }
        context.setup = &triangle.setup;
        const RowCoverage& coverage = triangle.setup.rows;
        const BandRows rows{std::max(coverage.rowBegin, bandTop), std::min(coverage.rowEnd, bandBottom)};
        // Every triangle has an edge on each side; a horizontal one bounds rows instead.
        if (coverage.edgeCount == 2)
            shadeRows<1, 2>(shader, context, rows, colour, depth);
        else if (coverage.startEdges == 1)
            shadeRows<1, 3>(shader, context, rows, colour, depth);
        else
            shadeRows<2, 3>(shader, context, rows, colour, depth);
    }
}

} // namespace bw::raster
