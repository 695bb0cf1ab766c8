#pragma once
// Fragment stage: shades the pixels of one span of a triangle. Depth test, texture stage 0
// (texture colour times diffuse, alpha from the texture), specular add, blending and the
// writes to the colour and depth buffers. Pixels go four or eight at a time (SSE2, or
// AVX2 where the processor has it), in one pass over a span that tests each group's
// depth and shades the pixels that passed. The pass is specialised (texture, blending and
// specular; no depth test, the usual one or any other) so that its loop carries few tests
// for the draw's state.

#include <cstdint>

#include "scene3d/platform/raster/DrawState.h"
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

// A span's attributes at the row's origin column and their steps per column.
struct SpanRow {
    alignas(16) float at[paddedAttributeCount];
    const float* step = nullptr; // the planes' dx
    int firstOffset = 0;         // column of the span's first pixel less the triangle's originX
    // Pixels from the span's first that lie in its row. Pixels of the row beyond the span
    // are this thread's too, so a group of four may read them and write them back
    // unchanged; beyond the row they may be another thread's.
    int reach = 0;
};

// Tests and shades pixels [0, count) of a span; depthRun may be null when the pass runs no
// depth test.
using SpanShader = void (*)(const SpanContext& context, const SpanRow& row, std::uint32_t* colourRun,
                            float* depthRun, int count);

// How many pixels the pass takes at once: the most this processor allows (eight with
// AVX2, else four), or four whatever it allows (to compare the two). The pictures are the
// same either way.
enum class PixelGroups { Widest, Four };

SpanShader spanShaderFor(const DrawState& state, bool hasDepthBuffer,
                         PixelGroups groups = PixelGroups::Widest);

// Shades pixels xBegin .. xEnd - 1 of row y (SpanShading.h shades a triangle's spans).
void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y,
               int xBegin, int xEnd);

} // namespace bw::raster
