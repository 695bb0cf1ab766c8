#pragma once
// A device whose state between draws lives in a DeviceStateBlock: the Set/Get calls of the
// device interface are answered by the block, and the scene bracket and the choice of back
// buffer size and window are shared; the drawing is left to the device.

#include <optional>
#include <utility>

#include "scene3d/platform/device/DeviceDriver.h"
#include "scene3d/platform/device/DeviceWindow.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/fixedfunction/DeviceStateBlock.h"

namespace bw::fixedfunction {

class StatefulDevice : public IDirect3DDevice8 {
public:
    ResultCode SetTransform(TransformStateType type, const Matrix& matrix) override;
    ResultCode GetTransform(TransformStateType type, Matrix& matrix) override;
    ResultCode SetViewport(const Viewport& viewport) override;
    ResultCode GetViewport(Viewport& viewport) override;
    ResultCode SetLight(std::uint32_t index, const Light& light) override;
    ResultCode GetLight(std::uint32_t index, Light& light) override;
    ResultCode LightEnable(std::uint32_t index, bool enable) override;
    ResultCode GetLightEnable(std::uint32_t index, bool& enabled) override;
    ResultCode SetMaterial(const Material& material) override;
    ResultCode GetMaterial(Material& material) override;
    ResultCode SetRenderState(RenderStateType type, std::uint32_t value) override;
    ResultCode GetRenderState(RenderStateType type, std::uint32_t& value) override;
    ResultCode SetTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) override;
    ResultCode BeginScene() override;
    ResultCode EndScene() override;

protected:
    // The back buffer's width and height for these parameters: theirs, or the window's
    // client area where they give 0; empty unless both lie in 1 .. maxSize.
    static std::optional<std::pair<int, int>> backBufferSize(const PresentParameters& parameters,
                                                             const DeviceWindow* focusWindow, int maxSize);
    // The window a picture is shown in: the override, else the parameters' window, else
    // the focus window.
    static DeviceWindow* presentationWindow(const DeviceCreation& creation, DeviceWindow* overrideWindow);

    DeviceStateBlock state_;
    bool inScene_ = false;
};

} // namespace bw::fixedfunction
