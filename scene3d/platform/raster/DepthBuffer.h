#pragma once
// 32-bit float depth, one value per pixel of the render target. The values are allocated
// when first needed, so a device that never draws (a trial one) costs no memory for them,
// nor one whose frames keep depth only for the band being drawn (DepthRows).

#include <cstddef>
#include <vector>

#include "scene3d/platform/raster/TargetRows.h"

namespace bw::raster {

class DepthBuffer {
public:
    // Every value starts at 1 (the far plane).
    void resize(int width, int height);
    void release();
    // Before the first rows() or clear.
    void ensureAllocated();
    void clear(float depth);
    // Rows y0 .. y1 - 1 only.
    void clearRows(int y0, int y1, float depth);

    bool exists() const { return width_ > 0 && height_ > 0; }
    // Rows from topRow down, of the allocated values; none without a depth buffer.
    DepthRows rows(int topRow);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<float> depths_;
};

// Rows y0 .. y1 - 1 of a width-wide target, every value `depth`, in memory of the calling
// thread's own that the next call on that thread reuses.
DepthRows scratchRows(int y0, int y1, int width, float depth);

} // namespace bw::raster
