#pragma once
// Pixel format codes, with the platform's numbers.

#include <cstdint>

namespace bw {

inline constexpr std::uint32_t D3DFMT_UNKNOWN = 0;
inline constexpr std::uint32_t D3DFMT_A8R8G8B8 = 21;
inline constexpr std::uint32_t D3DFMT_X8R8G8B8 = 22;
inline constexpr std::uint32_t D3DFMT_R5G6B5 = 23;
inline constexpr std::uint32_t D3DFMT_D16 = 80;
inline constexpr std::uint32_t D3DFMT_D32 = 71;
inline constexpr std::uint32_t D3DFMT_D24S8 = 75;

// The display format of a screen with this many bits per pixel; unknown for depths the
// platform had no format for.
constexpr std::uint32_t displayFormatForDepth(int bitsPerPixel) {
    if (bitsPerPixel == 24 || bitsPerPixel == 32) return D3DFMT_X8R8G8B8;
    if (bitsPerPixel == 16) return D3DFMT_R5G6B5;
    return D3DFMT_UNKNOWN;
}

} // namespace bw
