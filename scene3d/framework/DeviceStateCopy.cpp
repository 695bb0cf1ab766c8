#include "scene3d/framework/DeviceStateCopy.h"

#include "scene3d/framework/DeviceCall.h"

namespace bw {

DeviceStateCopy DeviceStateCopy::capture(IDirect3DDevice8& dev) {
    DeviceStateCopy copy;
    throwIfFailed(dev.GetTransform(D3DTS_WORLD, copy.world_), "GetTransform");
    throwIfFailed(dev.GetTransform(D3DTS_VIEW, copy.view_), "GetTransform");
    throwIfFailed(dev.GetTransform(D3DTS_PROJECTION, copy.projection), "GetTransform");
    // A device answers only for the states it knows.
    for (std::uint32_t state = 0; state < renderStateCount; ++state) {
        std::uint32_t value = 0;
        if (!failed(dev.GetRenderState(static_cast<RenderStateType>(state), value)))
            copy.renderStates_.emplace_back(static_cast<RenderStateType>(state), value);
    }
    for (std::uint32_t index = 0; index < deviceLightCount; ++index) {
        // A slot never set has nothing to ask for and nothing to put back.
        Light light;
        if (failed(dev.GetLight(index, light))) continue;
        copy.lights_[index] = light;
        throwIfFailed(dev.GetLightEnable(index, copy.lightEnabled_[index]), "GetLightEnable");
    }
    throwIfFailed(dev.GetMaterial(copy.material_), "GetMaterial");
    return copy;
}

void DeviceStateCopy::apply(IDirect3DDevice8& dev) const {
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, world_), "SetTransform");
    throwIfFailed(dev.SetTransform(D3DTS_VIEW, view_), "SetTransform");
    throwIfFailed(dev.SetTransform(D3DTS_PROJECTION, projection), "SetTransform");
    for (const auto& [state, value] : renderStates_)
        throwIfFailed(dev.SetRenderState(state, value), "SetRenderState");
    for (std::uint32_t index = 0; index < deviceLightCount; ++index) {
        if (!lights_[index]) continue;
        throwIfFailed(dev.SetLight(index, *lights_[index]), "SetLight");
        throwIfFailed(dev.LightEnable(index, lightEnabled_[index]), "LightEnable");
    }
    throwIfFailed(dev.SetMaterial(material_), "SetMaterial");
}

} // namespace bw
