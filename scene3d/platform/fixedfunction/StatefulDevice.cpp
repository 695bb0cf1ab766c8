#include "scene3d/platform/fixedfunction/StatefulDevice.h"

#include <algorithm>

namespace bw::fixedfunction {

ResultCode StatefulDevice::SetTransform(TransformStateType type, const Matrix& matrix) {
    return state_.setTransform(type, matrix);
}

ResultCode StatefulDevice::GetTransform(TransformStateType type, Matrix& matrix) {
    return state_.getTransform(type, matrix);
}

ResultCode StatefulDevice::SetViewport(const Viewport& viewport) { return state_.setViewport(viewport); }

ResultCode StatefulDevice::GetViewport(Viewport& viewport) {
    viewport = state_.viewport();
    return D3D_OK;
}

ResultCode StatefulDevice::SetLight(std::uint32_t index, const Light& light) {
    return state_.setLight(index, light);
}

ResultCode StatefulDevice::GetLight(std::uint32_t index, Light& light) {
    return state_.getLight(index, light);
}

ResultCode StatefulDevice::LightEnable(std::uint32_t index, bool enable) {
    return state_.lightEnable(index, enable);
}

ResultCode StatefulDevice::GetLightEnable(std::uint32_t index, bool& enabled) {
    return state_.getLightEnable(index, enabled);
}

ResultCode StatefulDevice::SetMaterial(const Material& material) {
    state_.setMaterial(material);
    return D3D_OK;
}

ResultCode StatefulDevice::GetMaterial(Material& material) {
    material = state_.material();
    return D3D_OK;
}

ResultCode StatefulDevice::SetRenderState(RenderStateType type, std::uint32_t value) {
    return state_.setRenderState(type, value);
}

ResultCode StatefulDevice::GetRenderState(RenderStateType type, std::uint32_t& value) {
    return state_.getRenderState(type, value);
}

ResultCode StatefulDevice::SetTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) {
    return state_.setTexture(stage, std::move(texture));
}

ResultCode StatefulDevice::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

ResultCode StatefulDevice::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

std::optional<std::pair<int, int>> StatefulDevice::backBufferSize(const PresentParameters& parameters,
                                                                  const DeviceWindow* focusWindow,
                                                                  int maxSize) {
    const auto limit = static_cast<std::uint32_t>(maxSize) + 1;
    int width = static_cast<int>(std::min<std::uint32_t>(parameters.backBufferWidth, limit));
    int height = static_cast<int>(std::min<std::uint32_t>(parameters.backBufferHeight, limit));
    const DeviceWindow* window = parameters.deviceWindow ? parameters.deviceWindow : focusWindow;
    if ((width == 0 || height == 0) && window) {
        const WindowRect client = window->clientRect();
        if (width == 0) width = std::max(1, client.width());
        if (height == 0) height = std::max(1, client.height());
    }
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) return std::nullopt;
    return std::make_pair(width, height);
}

DeviceWindow* StatefulDevice::presentationWindow(const DeviceCreation& creation,
                                                 DeviceWindow* overrideWindow) {
    if (overrideWindow) return overrideWindow;
    return creation.parameters.deviceWindow ? creation.parameters.deviceWindow : creation.focusWindow;
}

} // namespace bw::fixedfunction
