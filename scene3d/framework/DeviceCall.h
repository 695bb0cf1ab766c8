#pragma once
// The scene classes raise device failures to their callers instead of passing result codes
// on; this turns a failed call into the platform's error.

#include <string>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/device/ResultCodes.h"

namespace bw {

inline void throwIfFailed(ResultCode code, const char* operation) {
    if (failed(code)) throw PlatformError(code, std::string(operation) + " failed");
}

} // namespace bw
