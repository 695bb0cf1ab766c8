#include "scene3d/platform/raster/DepthBuffer.h"

#include <algorithm>

namespace bw::raster {

void DepthBuffer::resize(int width, int height) {
    release();
    width_ = width;
    height_ = height;
}

void DepthBuffer::release() {
    width_ = 0;
    height_ = 0;
    depths_.clear();
    depths_.shrink_to_fit();
}

void DepthBuffer::ensureAllocated() {
    if (depths_.empty() && exists())
        depths_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 1.0f);
}

void DepthBuffer::clear(float depth) { std::fill(depths_.begin(), depths_.end(), depth); }

void DepthBuffer::clearRows(int y0, int y1, float depth) {
    const DepthRows band = rows(y0);
    std::fill(band.row(y0), band.row(y1), depth);
}

DepthRows DepthBuffer::rows(int topRow) {
    if (!exists()) return {};
    return {depths_.data() + static_cast<std::size_t>(topRow) * static_cast<std::size_t>(width_), topRow,
            width_};
}

DepthRows scratchRows(int y0, int y1, int width, float depth) {
    static thread_local std::vector<float> scratch;
    const auto count = static_cast<std::size_t>(y1 - y0) * static_cast<std::size_t>(width);
    if (scratch.size() < count) scratch.resize(count);
    std::fill_n(scratch.begin(), count, depth);
    return {scratch.data(), y0, width};
}

} // namespace bw::raster
