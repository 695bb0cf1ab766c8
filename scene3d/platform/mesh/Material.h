#pragma once

#include <string>

#include "scene3d/math/ColorValue.h"

namespace bw {

// The fixed-function material record: four colours and the specular power.
struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;

    friend bool operator==(const Material&, const Material&) = default;
};

// One entry of a loaded mesh's material buffer: the material of a subset and the texture
// file it names (empty when none).
struct MaterialRecord {
    Material material;
    std::string textureFilename;

    friend bool operator==(const MaterialRecord&, const MaterialRecord&) = default;
};

} // namespace bw
