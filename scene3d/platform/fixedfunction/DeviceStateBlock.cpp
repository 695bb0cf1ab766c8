#include "scene3d/platform/fixedfunction/DeviceStateBlock.h"

namespace bw::fixedfunction {

namespace {

bool validLightType(LightType type) {
    return type == D3DLIGHT_POINT || type == D3DLIGHT_SPOT || type == D3DLIGHT_DIRECTIONAL;
}

bool unitRange(float value) {
    return value >= 0.0f && value <= 1.0f; // false for NaN
}

} // namespace

void DeviceStateBlock::reset(int targetWidth, int targetHeight, bool hasDepthBuffer) {
    targetWidth_ = targetWidth;
    targetHeight_ = targetHeight;
    state_ = FixedFunctionState{};
    state_.renderStates = defaultRenderStates(hasDepthBuffer);
    state_.viewport = {
        0, 0, static_cast<std::uint32_t>(targetWidth), static_cast<std::uint32_t>(targetHeight), 0.0f, 1.0f};
}

ResultCode DeviceStateBlock::setTransform(TransformStateType type, const Matrix& matrix) {
    switch (type) {
    case D3DTS_WORLD:
        state_.world = matrix;
        return D3D_OK;
    case D3DTS_VIEW:
        state_.view = matrix;
        return D3D_OK;
    case D3DTS_PROJECTION:
        state_.projection = matrix;
        return D3D_OK;
    }
    return D3DERR_INVALIDCALL;
}

ResultCode DeviceStateBlock::getTransform(TransformStateType type, Matrix& matrix) const {
    switch (type) {
    case D3DTS_WORLD:
        matrix = state_.world;
        return D3D_OK;
    case D3DTS_VIEW:
        matrix = state_.view;
        return D3D_OK;
    case D3DTS_PROJECTION:
        matrix = state_.projection;
        return D3D_OK;
    }
    return D3DERR_INVALIDCALL;
}

ResultCode DeviceStateBlock::setViewport(const Viewport& viewport) {
    const std::uint64_t right = std::uint64_t{viewport.x} + viewport.width;
    const std::uint64_t bottom = std::uint64_t{viewport.y} + viewport.height;
    if (viewport.width == 0 || viewport.height == 0 || right > static_cast<std::uint64_t>(targetWidth_) ||
        bottom > static_cast<std::uint64_t>(targetHeight_) || !unitRange(viewport.minZ) ||
        !unitRange(viewport.maxZ))
        return D3DERR_INVALIDCALL;
    state_.viewport = viewport;
    return D3D_OK;
}

ResultCode DeviceStateBlock::setLight(std::uint32_t index, const Light& light) {
    if (index >= deviceLightCount || !validLightType(light.type)) return D3DERR_INVALIDCALL;
    state_.lights[index].light = light;
    state_.lights[index].set = true;
    return D3D_OK;
}

ResultCode DeviceStateBlock::getLight(std::uint32_t index, Light& light) const {
    if (index >= deviceLightCount || !state_.lights[index].set) return D3DERR_INVALIDCALL;
    light = state_.lights[index].light;
    return D3D_OK;
}

ResultCode DeviceStateBlock::lightEnable(std::uint32_t index, bool enable) {
    if (index >= deviceLightCount) return D3DERR_INVALIDCALL;
    LightSlot& slot = state_.lights[index];
    if (!slot.set) {
        slot.light = defaultLight();
        slot.set = true;
    }
    slot.enabled = enable;
    return D3D_OK;
}

ResultCode DeviceStateBlock::getLightEnable(std::uint32_t index, bool& enabled) const {
    if (index >= deviceLightCount || !state_.lights[index].set) return D3DERR_INVALIDCALL;
    enabled = state_.lights[index].enabled;
    return D3D_OK;
}

ResultCode DeviceStateBlock::setRenderState(RenderStateType type, std::uint32_t value) {
    if (type >= renderStateCount) return D3DERR_INVALIDCALL;
    state_.renderStates[type] = value;
    return D3D_OK;
}

ResultCode DeviceStateBlock::getRenderState(RenderStateType type, std::uint32_t& value) const {
    if (type >= renderStateCount) return D3DERR_INVALIDCALL;
    value = state_.renderStates[type];
    return D3D_OK;
}

ResultCode DeviceStateBlock::setTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) {
    if (stage != 0) return D3DERR_INVALIDCALL;
    state_.texture = std::move(texture);
    return D3D_OK;
}

} // namespace bw::fixedfunction
