#pragma once
// The fixed-function state of the reference device, as plain structs that the stages read.

#include <array>
#include <cstdint>
#include <memory>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Viewport.h"
#include "scene3d/platform/device/Direct3DDevice8.h"

namespace bw::raster {

struct LightSlot {
    Light light;
    bool set = false;
    bool enabled = false;
};

struct FixedFunctionState {
    Matrix world = identityMatrix();
    Matrix view = identityMatrix();
    Matrix projection = identityMatrix();
    Viewport viewport;
    std::array<LightSlot, deviceLightCount> lights;
    Material material;
    RenderStateTable renderStates{};
    std::shared_ptr<const Texture> texture;
};

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
