#pragma once
// The state a device keeps between draws, with the checks of its Set/Get calls: transforms,
// viewport, the light slots, material, render states and texture stage 0. Both devices keep
// one: the reference device's stages read it directly, the OpenGL device turns it into
// shader constants and OpenGL state at each draw.

#include <cstdint>
#include <memory>

#include "scene3d/platform/fixedfunction/PipelineState.h"

namespace bw::fixedfunction {

class DeviceStateBlock {
public:
    // Every state back to its start value, the viewport covering the whole target.
    void reset(int targetWidth, int targetHeight, bool hasDepthBuffer);

    ResultCode setTransform(TransformStateType type, const Matrix& matrix);
    ResultCode getTransform(TransformStateType type, Matrix& matrix) const;
    // The viewport must lie within the target, its depth range within 0 .. 1.
    ResultCode setViewport(const Viewport& viewport);
    const Viewport& viewport() const { return state_.viewport; }
    ResultCode setLight(std::uint32_t index, const Light& light);
    ResultCode getLight(std::uint32_t index, Light& light) const;
    ResultCode lightEnable(std::uint32_t index, bool enable);
    ResultCode getLightEnable(std::uint32_t index, bool& enabled) const;
    void setMaterial(const Material& material) { state_.material = material; }
    const Material& material() const { return state_.material; }
    ResultCode setRenderState(RenderStateType type, std::uint32_t value);
    ResultCode getRenderState(RenderStateType type, std::uint32_t& value) const;
    ResultCode setTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture);

    const FixedFunctionState& state() const { return state_; }

private:
    FixedFunctionState state_;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
};

} // namespace bw::fixedfunction
