#pragma once
// The vertex in screen space, after the viewport mapping, and the pixel grid it lies on.

#include <cstdint>

#include "scene3d/platform/fixedfunction/PipelineVertex.h"

namespace bw::raster {

// Screen position in 1/256 pixel units: the pixel (i, j) is sampled at (256 i, 256 j).
inline constexpr int subpixelBits = 8;
inline constexpr int subpixelScale = 1 << subpixelBits;

// Smallest n with n * subpixelScale >= value: the first pixel sampled at or after it.
constexpr int firstPixelAtOrAfter(std::int32_t value) {
    return static_cast<int>((static_cast<std::int64_t>(value) + subpixelScale - 1) >> subpixelBits);
}

// Largest n with n * subpixelScale <= value: the last pixel sampled at or before it.
constexpr int lastPixelAtOrBefore(std::int32_t value) { return static_cast<int>(value >> subpixelBits); }

// What set-up interpolates across a screen triangle: depth, 1/w and the varyings.
enum ScreenAttribute : int {
    attributeDepth,    // in the viewport's depth range
    attributeInvW,     // 1 / clip w, for perspective-correct interpolation
    attributeVaryings, // first varying; varying i is attribute attributeVaryings + i
    attributeCount = attributeVaryings + fixedfunction::varyingCount
};

constexpr int attributeOf(fixedfunction::Varying varying) {
    return attributeVaryings + static_cast<int>(varying);
}

struct ScreenVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    float attributes[attributeCount] = {};
};

} // namespace bw::raster
