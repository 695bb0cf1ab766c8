#pragma once
// The state of a draw as the rasterizer's stages read it.

#include <cstdint>

#include "scene3d/platform/device/RenderStates.h"
#include "scene3d/platform/device/Texture.h"

namespace bw::raster {

// Pixels a triangle may touch: x0 <= x < x1, y0 <= y < y1.
struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What the fragment stage needs to know about the draw a triangle came from.
struct DrawState {
    const Texture* texture = nullptr;
    bool blend = false;
    std::uint32_t sourceBlend = D3DBLEND_ONE;
    std::uint32_t destinationBlend = D3DBLEND_ZERO;
    bool depthTest = false;
    bool depthWrite = false;
    std::uint32_t depthFunction = D3DCMP_LESSEQUAL;
    bool specular = false;
    bool flatShading = false; // every pixel takes the first vertex's colours
    PixelRect clip;

    friend bool operator==(const DrawState&, const DrawState&) = default;
};

} // namespace bw::raster
