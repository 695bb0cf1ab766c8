#include "scene3d/platform/raster/StatefulDevice.h"

namespace bw::raster {

ResultCode StatefulDevice::SetTransform(TransformStateType type, const Matrix& matrix) {
    return state_.setTransform(type, matrix);
}

ResultCode StatefulDevice::GetTransform(TransformStateType type, Matrix& matrix) {
    return state_.getTransform(type, matrix);
}

ResultCode StatefulDevice::SetViewport(const Viewport& viewport) {
    return state_.setViewport(viewport);
}

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

} // namespace bw::raster
