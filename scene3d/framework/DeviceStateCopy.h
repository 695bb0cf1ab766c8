#pragma once
// What a device's Reset sets back to its start values, read through the device's own
// interface so that it can be put back afterwards: transforms, render states, lights and
// the material. Textures are not kept: meshes set their own on every draw.

#include <array>
#include <optional>
#include <vector>

#include "scene3d/math/Matrix.h"
#include "scene3d/platform/device/Direct3DDevice8.h"

namespace bw {

class DeviceStateCopy {
public:
    static DeviceStateCopy capture(IDirect3DDevice8& dev);
    // Sets every kept state again; a failing call throws PlatformError.
    void apply(IDirect3DDevice8& dev) const;

    Matrix projection;

private:
    Matrix world_, view_;
    std::vector<std::pair<RenderStateType, std::uint32_t>> renderStates_;
    std::array<std::optional<Light>, deviceLightCount> lights_;
    std::array<bool, deviceLightCount> lightEnabled_{};
    Material material_;
};

} // namespace bw
