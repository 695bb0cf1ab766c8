#pragma once
// A device window of a fixed size that takes each finished picture as the 3D view would,
// and drops it, so that a benchmark pays for the hand-over but draws nowhere.

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
        picture.forEachRun([&](int, int rowCount, const std::uint32_t* pixels) {
            benchmark::DoNotOptimize(pixels[static_cast<std::size_t>(picture.width()) * rowCount - 1]);
        });
        ++presented_;
    }
    int presentedCount() const { return presented_; }

private:
    int width_;
    int height_;
    int presented_ = 0;
};

} // namespace bench
