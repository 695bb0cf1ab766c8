#pragma once
// Render-state codes and their values, with the platform's numbers, and the state a device
// starts with.

#include <array>
#include <cstdint>

namespace bw {

enum RenderStateType : std::uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_FILLMODE = 8,
    D3DRS_SHADEMODE = 9,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_ALPHATESTENABLE = 15,
    D3DRS_LASTPIXEL = 16,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHAREF = 24,
    D3DRS_ALPHAFUNC = 25,
    D3DRS_DITHERENABLE = 26,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_CLIPPING = 136,
    D3DRS_LIGHTING = 137,
    D3DRS_AMBIENT = 139,
    D3DRS_COLORVERTEX = 141,
    D3DRS_LOCALVIEWER = 142,
    D3DRS_NORMALIZENORMALS = 143,
    D3DRS_DIFFUSEMATERIALSOURCE = 145,
    D3DRS_SPECULARMATERIALSOURCE = 146,
    D3DRS_AMBIENTMATERIALSOURCE = 147,
    D3DRS_EMISSIVEMATERIALSOURCE = 148,
};

// Render-state codes are below this.
inline constexpr std::uint32_t renderStateCount = 256;

// D3DRS_ZENABLE
inline constexpr std::uint32_t D3DZB_FALSE = 0;
inline constexpr std::uint32_t D3DZB_TRUE = 1;
// D3DRS_FILLMODE
inline constexpr std::uint32_t D3DFILL_POINT = 1;
inline constexpr std::uint32_t D3DFILL_WIREFRAME = 2;
inline constexpr std::uint32_t D3DFILL_SOLID = 3;
// D3DRS_SHADEMODE
inline constexpr std::uint32_t D3DSHADE_FLAT = 1;
inline constexpr std::uint32_t D3DSHADE_GOURAUD = 2;
// D3DRS_SRCBLEND, D3DRS_DESTBLEND
inline constexpr std::uint32_t D3DBLEND_ZERO = 1;
inline constexpr std::uint32_t D3DBLEND_ONE = 2;
inline constexpr std::uint32_t D3DBLEND_SRCCOLOR = 3;
inline constexpr std::uint32_t D3DBLEND_INVSRCCOLOR = 4;
inline constexpr std::uint32_t D3DBLEND_SRCALPHA = 5;
inline constexpr std::uint32_t D3DBLEND_INVSRCALPHA = 6;
inline constexpr std::uint32_t D3DBLEND_DESTALPHA = 7;
inline constexpr std::uint32_t D3DBLEND_INVDESTALPHA = 8;
inline constexpr std::uint32_t D3DBLEND_DESTCOLOR = 9;
inline constexpr std::uint32_t D3DBLEND_INVDESTCOLOR = 10;
// D3DRS_CULLMODE
inline constexpr std::uint32_t D3DCULL_NONE = 1;
inline constexpr std::uint32_t D3DCULL_CW = 2;
inline constexpr std::uint32_t D3DCULL_CCW = 3;
// D3DRS_ZFUNC, D3DRS_ALPHAFUNC
inline constexpr std::uint32_t D3DCMP_NEVER = 1;
inline constexpr std::uint32_t D3DCMP_LESS = 2;
inline constexpr std::uint32_t D3DCMP_EQUAL = 3;
inline constexpr std::uint32_t D3DCMP_LESSEQUAL = 4;
inline constexpr std::uint32_t D3DCMP_GREATER = 5;
inline constexpr std::uint32_t D3DCMP_NOTEQUAL = 6;
inline constexpr std::uint32_t D3DCMP_GREATEREQUAL = 7;
inline constexpr std::uint32_t D3DCMP_ALWAYS = 8;
// D3DRS_*MATERIALSOURCE
inline constexpr std::uint32_t D3DMCS_MATERIAL = 0;
inline constexpr std::uint32_t D3DMCS_COLOR1 = 1;
inline constexpr std::uint32_t D3DMCS_COLOR2 = 2;

using RenderStateTable = std::array<std::uint32_t, renderStateCount>;

// The render states of a freshly created or reset device. Depth testing starts on only
// when the device has a depth buffer of its own.
RenderStateTable defaultRenderStates(bool hasAutoDepthBuffer);

} // namespace bw
