// Frame time of the reference rasterizer at 1024 x 768 (see BenchScene.h), per frame in
// milliseconds.

#include <benchmark/benchmark.h>

#include "bench/BenchScene.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace {

void drawFrames(benchmark::State& state, const bench::Geometry& geometry, unsigned threads) {
    auto device = bw::ReferenceDevice::createOffscreen(bench::frameWidth, bench::frameHeight, threads);
    bench::setUpScene(*device);
    for (auto _ : state)
        bench::drawFrame(*device, geometry, false);
    state.counters["triangles"] = static_cast<double>(geometry.indices.size() / 3);
}

void BM_RippledSheet(benchmark::State& state) {
    drawFrames(state, bench::sheetGeometry(), static_cast<unsigned>(state.range(0)));
}

void BM_Sphere(benchmark::State& state) {
    drawFrames(state, bench::sphereGeometry(), static_cast<unsigned>(state.range(0)));
}

} // namespace

// Argument: raster threads (0 = every core).
BENCHMARK(BM_RippledSheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sphere)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
