#pragma once
// The rendering device, shaped like the platform's IDirect3DDevice8: every operation
// returns a result code, and state set here holds for every later draw until changed.

#include <cstdint>
#include <memory>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Viewport.h"
#include "scene3d/platform/device/DeviceCaps.h"
#include "scene3d/platform/device/IndexedTriangles.h"
#include "scene3d/platform/device/Light.h"
#include "scene3d/platform/device/Material.h"
#include "scene3d/platform/device/Picture.h"
#include "scene3d/platform/device/PresentParameters.h"
#include "scene3d/platform/device/RenderStates.h"
#include "scene3d/platform/device/ResultCodes.h"
#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/device/TransformState.h"

namespace bw {

class DeviceWindow;

// Clear flags.
inline constexpr std::uint32_t D3DCLEAR_TARGET = 1;
inline constexpr std::uint32_t D3DCLEAR_ZBUFFER = 2;
inline constexpr std::uint32_t D3DCLEAR_STENCIL = 4;

// Light slots a device offers; all of them may be enabled at once.
inline constexpr std::uint32_t deviceLightCount = 8;

class IDirect3DDevice8 {
public:
    virtual ~IDirect3DDevice8() = default;

    virtual ResultCode SetTransform(TransformStateType state, const Matrix& matrix) = 0;
    virtual ResultCode GetTransform(TransformStateType state, Matrix& matrix) = 0;
    virtual ResultCode SetViewport(const Viewport& viewport) = 0;
    virtual ResultCode GetViewport(Viewport& viewport) = 0;

    // Slots 0 .. deviceLightCount - 1. Getting a light that was never set is an invalid
    // call; enabling one gives it defaultLight().
    virtual ResultCode SetLight(std::uint32_t index, const Light& light) = 0;
    virtual ResultCode GetLight(std::uint32_t index, Light& light) = 0;
    virtual ResultCode LightEnable(std::uint32_t index, bool enable) = 0;
    virtual ResultCode GetLightEnable(std::uint32_t index, bool& enabled) = 0;

    virtual ResultCode SetMaterial(const Material& material) = 0;
    virtual ResultCode GetMaterial(Material& material) = 0;
    virtual ResultCode SetRenderState(RenderStateType state, std::uint32_t value) = 0;
    virtual ResultCode GetRenderState(RenderStateType state, std::uint32_t& value) = 0;
    // Stage 0 only; an empty texture clears the stage.
    virtual ResultCode SetTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) = 0;

    // 0 while drawing is possible; D3DERR_DEVICELOST while the device is lost;
    // D3DERR_DEVICENOTRESET once a Reset can bring it back.
    virtual ResultCode TestCooperativeLevel() = 0;
    // New back buffers for these parameters; every state returns to its start value.
    virtual ResultCode Reset(const PresentParameters& parameters) = 0;
    // Clears the whole render target and/or depth buffer. colour is 0xAARRGGBB.
    virtual ResultCode Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) = 0;
    virtual ResultCode BeginScene() = 0;
    virtual ResultCode EndScene() = 0;
    // Shows the back buffer in the device window, or in overrideWindow when given.
    virtual ResultCode Present(DeviceWindow* overrideWindow = nullptr) = 0;
    virtual ResultCode GetDeviceCaps(DeviceCaps& caps) = 0;

    // Draws triangles with the current state. A subset of a mesh is one call.
    virtual ResultCode DrawIndexedTriangles(const IndexedTriangles& triangles) = 0;

    // The back buffer as drawn so far (every draw issued before the call included).
    virtual ResultCode GetBackBufferPicture(Picture& picture) = 0;
};

} // namespace bw
