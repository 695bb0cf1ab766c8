#pragma once

#include <cstdint>

namespace bw {

// The rectangle of the render target a picture is drawn into, with its depth range.
struct Viewport {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

} // namespace bw
