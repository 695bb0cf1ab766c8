#pragma once
// The fixed-function state both devices keep between draws, as plain structs: the reference
// device's stages read it, the OpenGL device turns it into shader constants.

#include <array>
#include <memory>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Viewport.h"
#include "scene3d/platform/device/Direct3DDevice8.h"

namespace bw::fixedfunction {

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

} // namespace bw::fixedfunction
