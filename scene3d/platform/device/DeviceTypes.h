#pragma once
// Device kinds and the behaviour flags of device creation.

#include <cstdint>

namespace bw {

enum DeviceType : std::uint32_t {
    D3DDEVTYPE_HAL = 1, // the hardware device
    D3DDEVTYPE_REF = 2, // the reference rasterizer
    D3DDEVTYPE_SW = 3,
};

inline constexpr std::uint32_t D3DCREATE_FPU_PRESERVE = 0x02;
inline constexpr std::uint32_t D3DCREATE_MULTITHREADED = 0x04;
inline constexpr std::uint32_t D3DCREATE_PUREDEVICE = 0x10;
inline constexpr std::uint32_t D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr std::uint32_t D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
inline constexpr std::uint32_t D3DCREATE_MIXED_VERTEXPROCESSING = 0x80;

} // namespace bw
