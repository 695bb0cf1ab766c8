#pragma once
// Fragment stage: shades the pixels of one span of a triangle. Depth test, texture stage 0
// (texture colour times diffuse, alpha from the texture), specular add, blending and the
// writes to the colour and depth buffers. Specialised per feature set so that the pixel
// loop carries no tests for features the draw does not use.

#include <cstdint>

#include "scene3d/platform/raster/DrawState.h"
#include "scene3d/platform/raster/Sampler.h"
#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {

struct SpanTarget {
    std::uint32_t* colourRow = nullptr;
    float* depthRow = nullptr; // null without a depth buffer
};

struct SpanContext {
    const TriangleSetup* setup = nullptr;
    const DrawState* state = nullptr;
    const Sampler* sampler = nullptr; // set when the draw is textured
};

// Shades pixels xBegin .. xEnd - 1 of row y.
using SpanShader = void (*)(const SpanContext& context, const SpanTarget& target, int y, int xBegin,
                            int xEnd);

SpanShader spanShaderFor(const DrawState& state);

} // namespace bw::raster
