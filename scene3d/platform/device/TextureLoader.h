#pragma once
// Reads texture files for the scene. The program hands the concrete reader in at start-up
// (the Qt one, scene3d/platform/qt/TextureFile.h), so the scene framework needs no
// image library.

#include <memory>
#include <string>

#include "scene3d/platform/device/Texture.h"

namespace bw {

// The largest width and height a texture may have: a model's textures are far smaller, and
// one of this size already takes 64 MiB decoded.
inline constexpr int maxTextureSide = 4096;

class TextureLoader {
public:
    virtual ~TextureLoader() = default;

    // The texture of the file at path, used as given; empty when the file is missing,
    // unreadable or not an image. An image wider or taller than maxTextureSide is refused,
    // before it is decoded where the format tells its size first: PlatformError with
    // result::outOfMemory.
    virtual std::shared_ptr<Texture> load(const std::string& path) const = 0;
};

} // namespace bw
