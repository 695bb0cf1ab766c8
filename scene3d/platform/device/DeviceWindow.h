#pragma once
// The window a device renders for, as the 3D view widget offers it to the platform layer.

#include <cstdint>

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

class DeviceWindow {
public:
    virtual ~DeviceWindow() = default;

    // The drawing area, in pixels, relative to the window itself (left and top are 0).
    virtual WindowRect clientRect() const = 0;
    // The whole window, frame included, in screen coordinates.
    virtual WindowRect windowRect() const = 0;
    // Shows a finished picture: width x height pixels, row after row from the top,
    // each 0xAARRGGBB. The pixels are only valid during the call.
    virtual void present(int width, int height, const std::uint32_t* pixels) = 0;
};

} // namespace bw
