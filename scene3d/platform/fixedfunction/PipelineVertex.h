#pragma once
// The vertex as vertex processing hands it on: in clip space, with the values that are
// interpolated across a triangle.

#include <cstdint>

namespace bw::fixedfunction {

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

} // namespace bw::fixedfunction
