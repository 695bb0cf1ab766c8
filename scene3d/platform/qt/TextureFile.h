#pragma once
// Textures from image files, read with QImage (any format Qt reads: BMP, PNG, JPEG, ...).

#include <memory>
#include <string>

#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/device/TextureLoader.h"

namespace bw {

// The texture of the image file at path, used as given; empty when the file is missing,
// unreadable or not an image. Throws PlatformError (outOfMemory) for an image wider or
// taller than maxTextureSide, read from the file's header before anything is decoded.
std::shared_ptr<Texture> loadTextureFile(const std::string& path);

// The program's texture loader: image files through loadTextureFile.
class ImageFileTextureLoader : public TextureLoader {
public:
    std::shared_ptr<Texture> load(const std::string& path) const override { return loadTextureFile(path); }
};

} // namespace bw
