#pragma once
// The colour buffer the device draws into: 0xAARRGGBB pixels, rows from the top. Back
// buffers have no alpha channel of their own, so alpha is always stored as 0xFF. The pixels
// are allocated when first needed, so a device that never draws costs no memory for them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene3d/platform/raster/TargetRows.h"

namespace bw::raster {

class FrameBuffer {
public:
    // Every pixel starts opaque black.
    void resize(int width, int height);
    // Before the first row(), pixels() or clear.
    void ensureAllocated();
    void clear(std::uint32_t colour);
    // Rows y0 .. y1 - 1 only.
    void clearRows(int y0, int y1, std::uint32_t colour);

    int width() const { return width_; }
    int height() const { return height_; }
    // Rows from topRow down, of the allocated pixels.
    ColourRows rows(int topRow) {
        return {pixels_.data() + static_cast<std::size_t>(topRow) * static_cast<std::size_t>(width_), topRow,
                width_};
    }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace bw::raster
