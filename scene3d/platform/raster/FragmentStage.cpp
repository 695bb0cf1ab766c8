#include "scene3d/platform/raster/FragmentStage.h"

#include <algorithm>

#include "scene3d/platform/raster/FragmentPasses.h"
#include "scene3d/platform/raster/FragmentStageAvx2.h"
#include "scene3d/platform/raster/PixelQuad.h"

namespace bw::raster {

bool avx2Available() {
    static const bool available = __builtin_cpu_supports("avx2") != 0;
    return available;
}

SpanShader spanShaderFor(const DrawState& state, bool hasDepthBuffer, PixelGroups groups) {
    const bool depthTest = state.depthTest && hasDepthBuffer;
    // Both passes of a span must group pixels alike: their masks are per group.
    if (groups == PixelGroups::Widest && avx2Available()) {
        if (const SpanShader wide = avx2SpanShader(state, depthTest); wide.colour) return wide;
    }
    return {passes::depthPassFor<Quad>(depthTest, state.depthFunction, state.depthWrite),
            passes::colourPassFor<Quad, true>(state.texture != nullptr, state.blend, state.specular)};
}

void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y,
               int xBegin, int xEnd) {
    const TriangleSetup& setup = *context.setup;
    const AttributePlanes& planes = setup.planes;
    const float dy = static_cast<float>(y - setup.originY);
    const int used = attributesNeeded(context.state->texture != nullptr, context.state->specular);
    // Each attribute at the row's origin column, four at a time: atOrigin + dy (y - originY).
    SpanRow row;
    row.step = planes.dx;
    const Quad::Floats rowOffset = Quad::broadcast(dy);
    for (int i = 0; i < used; i += Quad::lanes)
        _mm_store_ps(row.at + i, Quad::add(Quad::loadFloats(planes.atOrigin + i),
                                           Quad::mul(Quad::loadFloats(planes.dy + i), rowOffset)));

    std::uint8_t masks[passes::maxGroupsPerRun];
    for (int x = xBegin; x < xEnd; x += passes::pixelsPerRun) {
        const int count = std::min(passes::pixelsPerRun, xEnd - x);
        row.firstOffset = x - setup.originX;
        row.reach = target.rowWidth - x;
        float* depthRun = target.depthRow ? target.depthRow + x : nullptr;
        if (shader.depth(row, depthRun, count, masks))
            shader.colour(context, row, target.colourRow + x, count, masks);
    }
}

} // namespace bw::raster
