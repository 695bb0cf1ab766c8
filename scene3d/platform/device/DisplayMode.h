#pragma once

#include <cstdint>

namespace bw {

struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t refreshRate = 0; // Hz; 0 when the platform cannot tell
    std::uint32_t format = 0;      // a D3DFMT_ code

    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

} // namespace bw
