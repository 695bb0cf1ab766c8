#pragma once
// Reads texture files for the scene. The program hands the concrete reader in at start-up
// (the Qt one, scene3d/platform/qt/TextureFile.h), so the scene framework needs no
// image library.

#include <memory>
#include <string>

#include "scene3d/platform/device/Texture.h"

namespace bw {

class TextureLoader {
public:
    virtual ~TextureLoader() = default;

    // The texture of the file at path, used as given; empty when the file is missing,
    // unreadable or not an image.
    virtual std::shared_ptr<Texture> load(const std::string& path) const = 0;
};

} // namespace bw
