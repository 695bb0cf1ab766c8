#pragma once
// 32-bit float depth, one value per pixel of the render target.

#include <vector>

namespace bw::raster {

class DepthBuffer {
public:
    void resize(int width, int height);
    void release();
    void clear(float depth);
    // Rows y0 .. y1 - 1 only.
    void clearRows(int y0, int y1, float depth);

    bool exists() const { return !depths_.empty(); }
    float* row(int y) { return depths_.data() + static_cast<std::size_t>(y) * width_; }

private:
    int width_ = 0;
    std::vector<float> depths_;
};

} // namespace bw::raster
