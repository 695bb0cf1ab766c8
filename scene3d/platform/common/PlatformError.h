#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace bw {

// Result codes of the 3D platform layer, with the values the Direct3D 8 family used.
using ResultCode = std::uint32_t;

namespace result {
inline constexpr ResultCode ok = 0;
inline constexpr ResultCode outOfMemory = 0x8007000E;
inline constexpr ResultCode invalidArgument = 0x80070057;
inline constexpr ResultCode invalidCall = 0x8876086C;      // D3DERR_INVALIDCALL
inline constexpr ResultCode invalidMesh = 0x88760B55;      // D3DXERR_INVALIDMESH
inline constexpr ResultCode invalidData = 0x88760B59;      // D3DXERR_INVALIDDATA
inline constexpr ResultCode badObject = 0x88760352;        // DXFILEERR_BADOBJECT
inline constexpr ResultCode badValue = 0x88760353;         // DXFILEERR_BADVALUE
inline constexpr ResultCode badType = 0x88760354;          // DXFILEERR_BADTYPE
inline constexpr ResultCode notFound = 0x88760357;         // DXFILEERR_NOTFOUND
inline constexpr ResultCode fileNotFound = 0x88760359;     // DXFILEERR_FILENOTFOUND
inline constexpr ResultCode badFileType = 0x8876035D;      // DXFILEERR_BADFILETYPE
inline constexpr ResultCode badFileVersion = 0x8876035E;   // DXFILEERR_BADFILEVERSION
inline constexpr ResultCode badFileFloatSize = 0x8876035F; // DXFILEERR_BADFILEFLOATSIZE
inline constexpr ResultCode badFile = 0x88760361;          // DXFILEERR_BADFILE
inline constexpr ResultCode parseError = 0x88760362;       // DXFILEERR_PARSEERROR
inline constexpr ResultCode noTemplate = 0x88760363;       // DXFILEERR_NOTEMPLATE
inline constexpr ResultCode badArraySize = 0x88760364;     // DXFILEERR_BADARRAYSIZE
inline constexpr ResultCode badDataReference = 0x88760365; // DXFILEERR_BADDATAREFERENCE
} // namespace result

// The one error type of the platform layer: an operation that cannot complete throws it
// with the code the platform would have returned.
class PlatformError : public std::runtime_error {
public:
    PlatformError(ResultCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ResultCode code() const { return code_; }

private:
    ResultCode code_;
};

} // namespace bw
