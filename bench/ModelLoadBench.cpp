// Model loading against the Assimp library, like for like: the same model files, the same
// number of parses, one core on each side.
//
//   BM_LoadOneCore_Boardwright  the program's loading (PcModel::build: files read, meshes,
//                               adjacency, materials) with read-ahead off, so that no other
//                               thread works for it; a file listed twice in the load order is
//                               parsed once, as the program does.
//   BM_LoadOneCore_Assimp       Assimp's ReadFile (no post-processing) of each distinct file
//                               once, in load order: as many parses as ours.
//   BM_ReadModelFiles           our .x reader alone on the same distinct files, no meshes.
//   BM_LoadStartup_Boardwright  the program's own start-up path: read-ahead on the other
//                               cores, every read of the load order; by the wall clock.
//
// The one-core benchmarks measure the CPU time of the whole process (any thread counts);
// run them pinned (taskset -c 0). The median of the repetitions is the figure to quote.

#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include "bench/ModelLoading.h"

namespace {

using bench::ModelFiles;

const ModelFiles& model() {
    static const ModelFiles files(bench::modelFolder());
    return files;
}

void BM_LoadOneCore_Boardwright(benchmark::State& state) {
    int meshes = 0;
    for (auto _ : state)
        meshes = bench::loadWithPcModel(model().folder(), bw::modelview::PcModel::ReadAhead::Off, state);
    state.counters["parses"] = static_cast<double>(model().distinctInLoadOrder().size());
    state.counters["meshes"] = meshes;
    if (meshes == 0) state.SkipWithError("the model folder holds no model");
}

void BM_LoadOneCore_Assimp(benchmark::State& state) {
    const std::vector<std::string>& files = model().distinctInLoadOrder();
    bench::AssimpLoad result;
    for (auto _ : state)
        result = bench::loadWithAssimp(files);
    state.counters["parses"] = static_cast<double>(files.size());
    state.counters["meshes"] = result.meshes;
    if (result.failed > 0) state.SkipWithError("Assimp could not read every model file");
}

void BM_ReadModelFiles(benchmark::State& state) {
    int objects = 0;
    for (auto _ : state)
        objects = bench::readWithXFile(model().distinctInLoadOrder());
    state.counters["parses"] = static_cast<double>(model().distinctInLoadOrder().size());
    state.counters["objects"] = objects;
}

void BM_LoadStartup_Boardwright(benchmark::State& state) {
    int meshes = 0;
    for (auto _ : state)
        meshes =
            bench::loadWithPcModel(model().folder(), bw::modelview::PcModel::ReadAhead::OtherCores, state);
    state.counters["reads"] = static_cast<double>(model().inLoadOrder().size());
    state.counters["parses"] = static_cast<double>(model().distinctInLoadOrder().size());
    state.counters["meshes"] = meshes;
    if (meshes == 0) state.SkipWithError("the model folder holds no model");
}

} // namespace

BENCHMARK(BM_LoadOneCore_Boardwright)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadOneCore_Assimp)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadModelFiles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadStartup_Boardwright)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
