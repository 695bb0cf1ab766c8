#pragma once

#include "scene3d/math/ColorValue.h"

namespace bw {

// The fixed-function material record SetMaterial takes: four colours and the specular
// power. A mesh's material buffer holds the same record.
struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;

    friend bool operator==(const Material&, const Material&) = default;
};

static_assert(sizeof(Material) == 68, "Material must keep the platform's 68-byte layout");

} // namespace bw
