#pragma once
// The fragment stage for the spans of one triangle, row after row. Not for
// FragmentStageAvx2.cpp: it is inline code built for any processor.

#include <cstdint>

#include "scene3d/platform/raster/FragmentStage.h"
#include "scene3d/platform/raster/PixelQuad.h"

namespace bw::raster {

// The spans of one triangle: what they share is looked up once, and the rasterizer's row
// loop calls shade inline, spans being short (a dozen pixels on average in a full model).
class SpanShading {
public:
    SpanShading(const SpanShader& shader, const SpanContext& context)
        : shader_(shader), context_(context), planes_(context.setup->planes),
          originX_(context.setup->originX), originY_(context.setup->originY),
          used_(attributesNeeded(context.state->texture != nullptr, context.state->specular)) {}

    // Shades pixels xBegin .. xEnd - 1 of row y.
    void shade(const SpanTarget& target, int y, int xBegin, int xEnd) const {
        // Each attribute at the row's origin column, four at a time: atOrigin + dy (y - originY).
        SpanRow row;
        row.step = planes_.dx;
        const Quad::Floats rowOffset = Quad::broadcast(static_cast<float>(y - originY_));
        for (int i = 0; i < used_; i += Quad::lanes)
            _mm_store_ps(row.at + i, Quad::add(Quad::loadFloats(planes_.atOrigin + i),
                                               Quad::mul(Quad::loadFloats(planes_.dy + i), rowOffset)));

        row.firstOffset = xBegin - originX_;
        row.reach = target.rowWidth - xBegin;
        float* depthRun = target.depthRow ? target.depthRow + xBegin : nullptr;
        shader_(context_, row, target.colourRow + xBegin, depthRun, xEnd - xBegin);
    }

private:
    SpanShader shader_;
    SpanContext context_;
    const AttributePlanes& planes_;
    int originX_;
    int originY_;
    int used_;
};

} // namespace bw::raster
