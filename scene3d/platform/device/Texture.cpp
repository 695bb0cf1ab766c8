#include "scene3d/platform/device/Texture.h"

#include "scene3d/platform/device/ResultCodes.h"

namespace bw {

Texture::Texture(int width, int height, std::vector<std::uint32_t> texels)
    : width_(width), height_(height), texels_(std::move(texels)) {
    if (width <= 0 || height <= 0 ||
        texels_.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw PlatformError(D3DERR_INVALIDCALL, "texture size does not match its texels");
}

} // namespace bw
