#pragma once
// Result codes of the Direct3D-shaped interfaces. Failures have the high bit set, as the
// platform's HRESULTs did, so callers may test with failed().

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

inline constexpr ResultCode D3D_OK = result::ok;
inline constexpr ResultCode D3DERR_INVALIDCALL = result::invalidCall;
inline constexpr ResultCode D3DERR_OUTOFVIDEOMEMORY = 0x8876017C;
inline constexpr ResultCode D3DERR_DRIVERINTERNALERROR = 0x88760827;
inline constexpr ResultCode D3DERR_NOTFOUND = 0x88760866;
inline constexpr ResultCode D3DERR_DEVICELOST = 0x88760868;
inline constexpr ResultCode D3DERR_DEVICENOTRESET = 0x88760869;
inline constexpr ResultCode D3DERR_NOTAVAILABLE = 0x8876086A;
inline constexpr ResultCode D3DERR_INVALIDDEVICE = 0x88760876;

constexpr bool failed(ResultCode code) { return (code & 0x80000000u) != 0; }
constexpr bool succeeded(ResultCode code) { return !failed(code); }

} // namespace bw
