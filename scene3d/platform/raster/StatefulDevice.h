#pragma once
// A device whose state between draws lives in a DeviceStateBlock: the Set/Get calls of the
// device interface are answered by the block, the drawing is left to the device.

#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/raster/DeviceStateBlock.h"

namespace bw::raster {

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

protected:
    DeviceStateBlock state_;
};

} // namespace bw::raster
