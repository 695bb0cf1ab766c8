#pragma once
// The capability record of a device type on an adapter; only the fields callers read.

#include <cstdint>

#include "scene3d/platform/device/DeviceTypes.h"

namespace bw {

inline constexpr std::uint32_t D3DDEVCAPS_EXECUTESYSTEMMEMORY = 0x00000010;
inline constexpr std::uint32_t D3DDEVCAPS_TLVERTEXSYSTEMMEMORY = 0x00000040;
inline constexpr std::uint32_t D3DDEVCAPS_TEXTURESYSTEMMEMORY = 0x00000100;
inline constexpr std::uint32_t D3DDEVCAPS_DRAWPRIMTLVERTEX = 0x00000400;
inline constexpr std::uint32_t D3DDEVCAPS_CANRENDERAFTERFLIP = 0x00000800;
inline constexpr std::uint32_t D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x00010000;
inline constexpr std::uint32_t D3DDEVCAPS_HWRASTERIZATION = 0x00080000;

struct DeviceCaps {
    DeviceType deviceType = D3DDEVTYPE_REF;
    std::uint32_t adapterOrdinal = 0;
    std::uint32_t devCaps = 0;
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    std::uint32_t maxActiveLights = 0;
    std::uint32_t maxSimultaneousTextures = 0;
    std::uint32_t maxPrimitiveCount = 0;
    std::uint32_t maxVertexIndex = 0;

    friend bool operator==(const DeviceCaps&, const DeviceCaps&) = default;
};

} // namespace bw
