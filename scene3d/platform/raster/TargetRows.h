#pragma once
// A band's rows of one plane of the render target, colours or depths: the buffer's own, or a
// band's worth of scratch.

#include <cstddef>
#include <cstdint>

namespace bw::raster {

template <typename Value> struct TargetRows {
    Value* top = nullptr; // row topRow; none without the buffer
    int topRow = 0;
    int width = 0;

    bool exists() const { return top != nullptr; }
    Value* row(int y) const { return top + static_cast<std::ptrdiff_t>(y - topRow) * width; }
};

using ColourRows = TargetRows<std::uint32_t>;
using DepthRows = TargetRows<float>;

} // namespace bw::raster
