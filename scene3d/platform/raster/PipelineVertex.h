#pragma once
// The vertex as it travels through the pipeline: in clip space after vertex processing,
// in screen space after the viewport mapping.

#include <cstdint>

namespace bw::raster {

// Values interpolated across a triangle, besides depth. Ordered by how often draws need
// them, so that set-up can stop at the last one a draw uses.
enum Varying : int {
    varyingRed,
    varyingGreen,
    varyingBlue,
    varyingAlpha,
    varyingU,
    varyingV,
    varyingSpecularRed,
    varyingSpecularGreen,
    varyingSpecularBlue,
    varyingCount
};

// The diffuse colour and the specular colour: what flat shading takes from the first vertex.
inline constexpr Varying colourVaryings[] = {varyingRed,         varyingGreen,       varyingBlue,
                                             varyingAlpha,       varyingSpecularRed, varyingSpecularGreen,
                                             varyingSpecularBlue};

struct ClipVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
    float varyings[varyingCount] = {};
};

// Screen position in 1/256 pixel units: the pixel (i, j) is sampled at (256 i, 256 j).
inline constexpr int subpixelBits = 8;
inline constexpr int subpixelScale = 1 << subpixelBits;

// What set-up interpolates across a screen triangle: depth, 1/w and the varyings.
enum ScreenAttribute : int {
    attributeDepth,    // in the viewport's depth range
    attributeInvW,     // 1 / clip w, for perspective-correct interpolation
    attributeVaryings, // first varying; varying i is attribute attributeVaryings + i
    attributeCount = attributeVaryings + varyingCount
};

constexpr int attributeOf(Varying varying) { return attributeVaryings + static_cast<int>(varying); }

struct ScreenVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    float attributes[attributeCount] = {};
};

} // namespace bw::raster
