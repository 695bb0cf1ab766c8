#pragma once

#include <cstdint>

namespace bw {

// The matrices of the fixed-function pipeline a device keeps.
enum TransformStateType : std::uint32_t {
    D3DTS_VIEW = 2,
    D3DTS_PROJECTION = 3,
    D3DTS_WORLD = 256,
};

} // namespace bw
