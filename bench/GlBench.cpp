// Frame time of the OpenGL device at 1024 x 768, the frame of RasterBench (see
// BenchScene.h): Clear, the draws, Present with the picture read back for a window. The
// median of the repetitions is the figure to quote beside the reference device's.
// Needs a display with OpenGL (run it under xvfb-run); without one it says so and ends.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <QGuiApplication>

#include "bench/BenchScene.h"
#include "bench/DiscardingWindow.h"
#include "scene3d/platform/gl/OpenGLDevice.h"

namespace {

std::shared_ptr<bw::OpenGLDevice> device;
bench::DiscardingWindow window(bench::frameWidth, bench::frameHeight);

// named: the draws name their content, so the buffers stay on the GPU; otherwise every
// draw sends its data.
void drawFrames(benchmark::State& state, const bench::Geometry& geometry) {
    const bool named = state.range(0) != 0;
    for (auto _ : state) {
        bench::drawFrame(*device, geometry, named);
    }
    state.counters["triangles"] = static_cast<double>(geometry.indices.size() / 3);
}

void BM_GlRippledSheet(benchmark::State& state) { drawFrames(state, bench::sheetGeometry()); }

void BM_GlSphere(benchmark::State& state) { drawFrames(state, bench::sphereGeometry()); }

} // namespace

BENCHMARK(BM_GlRippledSheet)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_GlSphere)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QGuiApplication application(argc, argv);
    try {
        bw::DeviceCreation creation;
        creation.focusWindow = &window;
        creation.behaviourFlags = bw::D3DCREATE_HARDWARE_VERTEXPROCESSING;
        creation.parameters = bw::windowedPresentParameters(bw::D3DFMT_UNKNOWN);
        device = std::make_shared<bw::OpenGLDevice>(creation);
    } catch (const bw::PlatformError&) {
        std::puts("bench_gl skipped: no OpenGL 3.3 core context can be made here");
        return 0;
    }
    bench::setUpScene(*device);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    device.reset();
    return 0;
}
