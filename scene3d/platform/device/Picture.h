#pragma once

#include <cstdint>
#include <vector>

namespace bw {

// A rendered picture: rows from the top, each pixel 0xAARRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace bw
