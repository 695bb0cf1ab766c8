#pragma once
// The window a device renders for, as the 3D view widget offers it to the platform layer.

#include <algorithm>
#include <cstdint>
#include <functional>

#include "scene3d/platform/device/Picture.h"

namespace bw {

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// A finished picture, width x height pixels each 0xAARRGGBB, handed to the window a run of
// rows at a time, so that the device need not hold the whole of it at once.
class PictureRows {
public:
    using ShowRows = std::function<void(int top, int rowCount, const std::uint32_t* pixels)>;

    PictureRows(int width, int height) : width_(width), height_(height) {}
    virtual ~PictureRows() = default;
    PictureRows(const PictureRows&) = delete;
    PictureRows& operator=(const PictureRows&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Calls show for runs of whole rows from the top down that together make the picture;
    // the pixels of a run (rowCount rows of width() each) are valid only during its call.
    virtual void forEachRun(const ShowRows& show) const = 0;

private:
    int width_;
    int height_;
};

// A picture the device holds whole: one run.
class HeldPicture final : public PictureRows {
public:
    HeldPicture(int width, int height, const std::uint32_t* pixels)
        : PictureRows(width, height), pixels_(pixels) {}
    void forEachRun(const ShowRows& show) const override {
        if (width() > 0 && height() > 0) show(0, height(), pixels_);
    }

private:
    const std::uint32_t* pixels_;
};

// The whole of a picture, gathered from its runs.
inline Picture gatherPicture(const PictureRows& rows) {
    Picture picture{rows.width(), rows.height(), {}};
    picture.pixels.resize(static_cast<std::size_t>(rows.width()) * static_cast<std::size_t>(rows.height()));
    rows.forEachRun([&](int top, int rowCount, const std::uint32_t* pixels) {
        std::copy_n(pixels, static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(rows.width()),
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(top) * rows.width());
    });
    return picture;
}

class DeviceWindow {
public:
    virtual ~DeviceWindow() = default;

    // The drawing area, in pixels, relative to the window itself (left and top are 0).
    virtual WindowRect clientRect() const = 0;
    // The whole window, frame included, in screen coordinates.
    virtual WindowRect windowRect() const = 0;
    // Shows a finished picture. Its rows can be taken only during the call.
    virtual void present(const PictureRows& picture) = 0;
};

} // namespace bw
