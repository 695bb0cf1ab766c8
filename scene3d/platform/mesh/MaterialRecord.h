#pragma once

#include <string>

#include "scene3d/platform/device/Material.h"

namespace bw {

// One entry of a loaded mesh's material buffer: the material of a subset and the texture
// file it names (empty when none).
struct MaterialRecord {
    Material material;
    std::string textureFilename;

    friend bool operator==(const MaterialRecord&, const MaterialRecord&) = default;
};

} // namespace bw
