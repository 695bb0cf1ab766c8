#pragma once
// 32-bit float depth, one value per pixel of the render target. The values are allocated
// when first needed, so a device that never draws (a trial one) costs no memory for them.

#include <vector>

namespace bw::raster {

class DepthBuffer {
public:
    // Every value starts at 1 (the far plane).
    void resize(int width, int height);
    void release();
    // Before the first row() or clear.
    void ensureAllocated();
    void clear(float depth);
    // Rows y0 .. y1 - 1 only.
    void clearRows(int y0, int y1, float depth);

    bool exists() const { return width_ > 0 && height_ > 0; }
    float* row(int y) { return depths_.data() + static_cast<std::size_t>(y) * width_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<float> depths_;
};

} // namespace bw::raster
