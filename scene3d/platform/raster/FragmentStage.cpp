#include "scene3d/platform/raster/FragmentStage.h"

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
    if (groups == PixelGroups::Widest && avx2Available()) {
        if (const SpanShader wide = avx2SpanShader(state, depthTest)) return wide;
    }
    return passes::shaderFor<Quad, true>(state, depthTest);
}

void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y,
               int xBegin, int xEnd) {
    const Span span{xBegin, xEnd};
    shader(context, {&span, 1, y, target.colourRow, target.depthRow, target.rowWidth});
}

} // namespace bw::raster
