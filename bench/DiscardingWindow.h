#pragma once
// A device window of a fixed size that takes each finished picture as the 3D view would,
// and drops it, so that a benchmark pays for the hand-over but draws nowhere; or, when
// asked, keeps the next one whole to be looked at after the timing.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "scene3d/platform/device/DeviceWindow.h"

namespace bench {

class DiscardingWindow : public bw::DeviceWindow {
public:
    DiscardingWindow(int width, int height) : width_(width), height_(height) {}

    bw::WindowRect clientRect() const override { return {0, 0, width_, height_}; }
    bw::WindowRect windowRect() const override { return clientRect(); }
    void present(const bw::PictureRows& picture) override {
        ++presented_;
        if (keepingNext_) {
            kept_ = bw::gatherPicture(picture);
            keepingNext_ = false;
            return;
        }
        picture.forEachRun([&](int, int rowCount, const std::uint32_t* pixels) {
            benchmark::DoNotOptimize(pixels[static_cast<std::size_t>(picture.width()) * rowCount - 1]);
        });
    }
    int presentedCount() const { return presented_; }
    void keepNextPicture() { keepingNext_ = true; }
    const bw::Picture& keptPicture() const { return kept_; }

private:
    bool keepingNext_ = false;
    bw::Picture kept_;
    int width_;
    int height_;
    int presented_ = 0;
};

} // namespace bench
