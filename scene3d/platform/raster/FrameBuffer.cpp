#include "scene3d/platform/raster/FrameBuffer.h"

#include <algorithm>

namespace bw::raster {

void FrameBuffer::resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.clear();
    pixels_.shrink_to_fit();
}

void FrameBuffer::ensureAllocated() {
    if (pixels_.empty())
        pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0xFF000000u);
}

void FrameBuffer::clear(std::uint32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour | 0xFF000000u);
}

} // namespace bw::raster

namespace bw::raster {

void FrameBuffer::clearRows(int y0, int y1, std::uint32_t colour) {
    const ColourRows band = rows(y0);
    std::fill(band.row(y0), band.row(y1), colour | 0xFF000000u);
}

} // namespace bw::raster
