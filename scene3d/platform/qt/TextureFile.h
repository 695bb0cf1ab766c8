#pragma once
// Textures from image files, read with QImage (any format Qt reads: BMP, PNG, JPEG, ...).

#include <memory>
#include <string>

#include "scene3d/platform/device/Texture.h"

namespace bw {

// The texture of the image file at path, used as given; empty when the file is missing,
// unreadable or not an image.
std::shared_ptr<Texture> loadTextureFile(const std::string& path);

} // namespace bw
