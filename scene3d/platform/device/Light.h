#pragma once

#include <cstdint>

#include "scene3d/math/ColorValue.h"
#include "scene3d/math/Vector3.h"

namespace bw {

enum LightType : std::uint32_t {
    D3DLIGHT_POINT = 1,
    D3DLIGHT_SPOT = 2,
    D3DLIGHT_DIRECTIONAL = 3,
};

struct Light {
    LightType type = D3DLIGHT_DIRECTIONAL;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    Vector3 position;
    Vector3 direction;
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    float theta = 0.0f;
    float phi = 0.0f;

    friend bool operator==(const Light&, const Light&) = default;
};

// The light a slot holds when it is enabled without having been set: white, directional,
// pointing along +z.
inline Light defaultLight() {
    Light light;
    light.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.direction = {0.0f, 0.0f, 1.0f};
    return light;
}

} // namespace bw
