#pragma once

#include <cstdint>
#include <vector>

namespace bw {

// An image a device samples: width x height texels, rows from the top, each 0xAARRGGBB
// (D3DFMT_A8R8G8B8). Loaders turn files into it (see TextureLoader.h).
class Texture {
public:
    // Throws PlatformError when the size is not positive or the texel count does not match.
    Texture(int width, int height, std::vector<std::uint32_t> texels);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint32_t* texels() const { return texels_.data(); }
    std::uint32_t texel(int x, int y) const { return texels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> texels_;
};

} // namespace bw
