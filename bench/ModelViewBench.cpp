// The full PC model (every part on) at 1024 x 768, or at the size --size=WIDTHxHEIGHT
// asks for: the time of one RenderScene on the reference rasterizer and on the OpenGL
// device, and the time of one pick (ViewportPick and FindNearest, as a click does) over a
// fixed 10 x 10 grid of pixels. The median of the repetitions is the figure to quote; the
// size is in each result's label and counters. Run it under xvfb-run where there is no
// display; without OpenGL the OpenGL figure is skipped with a reason.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <QGuiApplication>
#include <stdexcept>
#include <string_view>

#include "bench/FullModelView.h"
#include "scene3d/framework/CD3DPick.h"
#include "scene3d/platform/device/Picture.h"

namespace {

using bench::DeviceKind;
using bench::FullModelView;

// Built on first use and kept, so that the model loads once per device; dropped before
// the application object goes, which the OpenGL device needs.
std::map<DeviceKind, std::unique_ptr<FullModelView>> views;
std::map<DeviceKind, std::string> failures;
bench::ViewSize viewSize;

void reportSize(benchmark::State& state) {
    state.counters["width"] = viewSize.width;
    state.counters["height"] = viewSize.height;
    state.SetLabel(std::to_string(viewSize.width) + "x" + std::to_string(viewSize.height));
}

// Takes --size=WIDTHxHEIGHT out of the arguments; false when it is there but malformed.
bool takeSizeOption(int& argc, char** argv) {
    constexpr std::string_view option = "--size=";
    int kept = 1;
    bool good = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, option.size()) != option) {
            argv[kept++] = argv[i];
            continue;
        }
        const auto size = bench::parseViewSize(argument.substr(option.size()));
        if (size)
            viewSize = *size;
        else
            good = false;
    }
    argc = kept;
    argv[argc] = nullptr;
    return good;
}

FullModelView* viewFor(DeviceKind kind, benchmark::State& state) {
    if (!views.count(kind) && !failures.count(kind)) {
        try {
            views[kind] = std::make_unique<FullModelView>(kind, viewSize);
        } catch (const std::exception& error) {
            failures[kind] = error.what();
        }
    }
    if (failures.count(kind)) {
        state.SkipWithError(failures[kind].c_str());
        return nullptr;
    }
    return views[kind].get();
}

void BM_DrawFullModel(benchmark::State& state) {
    const auto kind = state.range(0) == 0 ? DeviceKind::Reference : DeviceKind::OpenGL;
    FullModelView* model = viewFor(kind, state);
    if (!model) return;
    reportSize(state);
    const int presentedBefore = model->window().presentedCount();
    for (auto _ : state)
        model->view().RenderScene();
    if (model->window().presentedCount() - presentedBefore != static_cast<int>(state.iterations()))
        state.SkipWithError("a frame was not presented");
    // The share of the picture the model covers, to see that both devices drew it all: of
    // one more frame, as presented (the back buffer is discarded at Present).
    model->window().keepNextPicture();
    model->view().RenderScene();
    const bw::Picture& picture = model->window().keptPicture();
    const auto background = picture.pixels.empty() ? 0u : picture.pixels.front();
    state.counters["covered"] =
        static_cast<double>(std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                          [&](std::uint32_t p) { return p != background; })) /
        static_cast<double>(std::max<std::size_t>(picture.pixels.size(), 1));
}

void BM_PickFullModel(benchmark::State& state) {
    FullModelView* model = viewFor(DeviceKind::Reference, state);
    if (!model) return;
    reportSize(state);
    constexpr int grid = 10;
    constexpr int picksPerPass = grid * grid;
    bw::IDirect3DDevice8& device = model->view().device();
    const bw::FramePtr& root = model->view().model().modelRoot();
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (int row = 0; row < grid; ++row) {
            for (int column = 0; column < grid; ++column) {
                const float x =
                    (static_cast<float>(column) + 0.5f) * static_cast<float>(viewSize.width) / grid;
                const float y = (static_cast<float>(row) + 0.5f) * static_cast<float>(viewSize.height) / grid;
                bw::CD3DPick pick;
                pick.ViewportPick(device, root, x, y);
                const std::int32_t nearest = pick.FindNearest();
                benchmark::DoNotOptimize(nearest);
                if (nearest >= 0) ++hits;
            }
        }
    }
    // The time per iteration is that of a pass; the script divides by picksPerPass.
    state.counters["picks"] = picksPerPass;
    state.counters["hits"] = hits;
}

} // namespace

// Argument: 0 the reference rasterizer, 1 the OpenGL device.
BENCHMARK(BM_DrawFullModel)
    ->ArgName("opengl")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PickFullModel)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    if (!takeSizeOption(argc, argv)) {
        std::cerr << "--size wants WIDTHxHEIGHT, each 1 .. 16384, as in --size=2560x1440\n";
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    views.clear();
    return 0;
}
