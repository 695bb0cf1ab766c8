#pragma once
// Fragment stage: shades the pixels of one span of a triangle. Depth test, texture stage 0
// (texture colour times diffuse, alpha from the texture), specular add, blending and the
// writes to the colour and depth buffers. Pixels go four or eight at a time (SSE2, or
// AVX2 where the processor has it), in two passes over each run of a span: the depth pass
// tests and writes depth and notes which pixels passed, the colour pass shades only those.
// Each pass is specialised (depth function and write; texture, blending and specular) so
// that its loop carries no tests for the draw's state.

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
    int firstOffset = 0;         // column of the run's first pixel less the triangle's originX
    // Pixels from the run's first that lie in its row. Pixels of the row beyond the span
    // are this thread's too, so a group of four may read them and write them back
    // unchanged; beyond the row they may be another thread's.
    int reach = 0;
};

// Pixels per run of a span: the masks of a run live on the stack.
inline constexpr int pixelsPerRun = 256;
inline constexpr int maxGroupsPerRun = pixelsPerRun / 4;

// Bits of the pixels of each group (of four or eight) that passed the depth test.
using GroupMasks = std::uint8_t*;

// Tests the depth of pixels [0, count) of the run (writing it where it passed and the draw
// writes depth) and fills one mask per group of four; false when no pixel passed.
using DepthPass = bool (*)(const SpanRow& row, float* depthRun, int count, GroupMasks masks);
// Shades the pixels of the run that the masks name.
using ColourPass = void (*)(const SpanContext& context, const SpanRow& row, std::uint32_t* colourRun,
                            int count, const std::uint8_t* masks);

struct SpanShader {
    DepthPass depth = nullptr;
    ColourPass colour = nullptr;
};

// How many pixels the passes take at once: the most this processor allows (eight with
// AVX2, else four), or four whatever it allows (to compare the two). The pictures are the
// same either way.
enum class PixelGroups { Widest, Four };

SpanShader spanShaderFor(const DrawState& state, bool hasDepthBuffer,
                         PixelGroups groups = PixelGroups::Widest);

// Shades pixels xBegin .. xEnd - 1 of row y (SpanShading.h shades a triangle's spans).
void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y,
               int xBegin, int xEnd);

} // namespace bw::raster
