#include "scene3d/platform/raster/FrameBuffer.h"

#include <algorithm>

namespace bw::raster {

void FrameBuffer::resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
}

void FrameBuffer::clear(std::uint32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour | 0xFF000000u);
}

} // namespace bw::raster

namespace bw::raster {

void FrameBuffer::clearRows(int y0, int y1, std::uint32_t colour) {
    std::fill(row(y0), row(y1), colour | 0xFF000000u);
}

} // namespace bw::raster
