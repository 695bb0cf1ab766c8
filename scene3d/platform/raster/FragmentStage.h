#pragma once
// Fragment stage: shades the spans of a triangle's rows. Depth test, texture stage 0
// (texture colour times diffuse, alpha from the texture), specular add, blending and the
// writes to the colour and depth buffers. Pixels go four or eight at a time (SSE2, or
// AVX2 where the processor has it), in one pass over each span that tests each group's
// depth and shades the pixels that passed. The pass is specialised (texture, blending and
// specular; no depth test, the usual one or any other) so that its loop carries few tests
// for the draw's state.

#include <cstdint>

#include "scene3d/platform/raster/DrawState.h"
#include "scene3d/platform/raster/RowSpans.h"
#include "scene3d/platform/raster/Sampler.h"
#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {

struct SpanTarget {
    std::uint32_t* colourRow = nullptr;
    float* depthRow = nullptr; // null without a depth buffer
    int rowWidth = 0;
};

struct SpanContext {
    const TriangleSetup* setup = nullptr;
    const DrawState* state = nullptr;
    const Sampler* sampler = nullptr; // set when the draw is textured
};

// Consecutive rows of one triangle, each with its span, and the buffers' rows they lie in.
struct SpanRows {
    const Span* spans = nullptr; // one per row; begin >= end where a row has none
    int rowCount = 0;
    int firstRow = 0;                   // the row of spans[0]
    std::uint32_t* colourRow = nullptr; // row firstRow of the colour buffer
    float* depthRow = nullptr;          // row firstRow of the depth buffer; null without one
    // Pixels per row of both buffers. Pixels of a row beyond its span are this thread's
    // too, so a group may read them and write them back unchanged; beyond the row they may
    // be another thread's.
    int rowWidth = 0;
};

// Tests and shades the spans of a triangle's rows: one call for all of them, so that what
// the rows share is set up once (spans being short, a dozen pixels on average in a full
// model).
using SpanShader = void (*)(const SpanContext& context, const SpanRows& rows);

// How many pixels the pass takes at once: the most this processor allows (eight with
// AVX2, else four), or four whatever it allows (to compare the two). The pictures are the
// same either way.
enum class PixelGroups { Widest, Four };

SpanShader spanShaderFor(const DrawState& state, bool hasDepthBuffer,
                         PixelGroups groups = PixelGroups::Widest);

// Shades pixels xBegin .. xEnd - 1 of row y alone.
void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y,
               int xBegin, int xEnd);

} // namespace bw::raster
