// How loading and drawing grow with the model's triangles: the PC model as the build writes
// it, and copies with every triangle split into 4 and into 16 (modelgen --subdivide 1 and
// 2, written by the bench preset's build), each in the binary form the program ships.
//
//   BM_ScaledLoad_Boardwright/factor:F  the program's loading on one core (read-ahead off)
//   BM_ScaledLoad_Assimp/factor:F       Assimp's ReadFile of the same distinct files
//   BM_ScaledFrame/factor:F             one RenderScene of the whole model, every part on,
//                                       on the reference rasterizer at 1024 x 768
//
// Each row carries the triangles the model holds at that factor. The loading rows measure
// the CPU time of the whole process: run them pinned (taskset -c 0). The median of the
// repetitions is the figure to quote; scripts/bench.sh prints them as one table.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <QGuiApplication>
#include <string>

#include "bench/FullModelView.h"
#include "bench/ModelLoading.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace {

std::filesystem::path folderFor(std::int64_t factor) {
    if (factor == 1) return bench::modelFolder();
    return std::filesystem::path(BOARDWRIGHT_SCALED_MODELS_DIR) /
           std::string("x").append(std::to_string(factor));
}

const bench::ModelFiles& filesFor(std::int64_t factor) {
    static std::map<std::int64_t, std::unique_ptr<bench::ModelFiles>> files;
    auto& entry = files[factor];
    if (!entry) entry = std::make_unique<bench::ModelFiles>(folderFor(factor));
    return *entry;
}

// The triangles of the model at a factor, counted once per factor.
double trianglesFor(std::int64_t factor) {
    static std::map<std::int64_t, double> triangles;
    if (!triangles.count(factor)) {
        const auto device = bw::ReferenceDevice::createOffscreen(64, 64);
        bw::D3DUtil util(std::make_shared<bw::ImageFileTextureLoader>());
        bw::modelview::PcModel model;
        model.build(*device, util.textureCache(), folderFor(factor), {},
                    bw::modelview::PcModel::ReadAhead::Off);
        triangles[factor] = static_cast<double>(bench::trianglesOf(model));
        model.release();
    }
    return triangles[factor];
}

void BM_ScaledLoad_Boardwright(benchmark::State& state) {
    const std::int64_t factor = state.range(0);
    int meshes = 0;
    for (auto _ : state)
        meshes = bench::loadWithPcModel(folderFor(factor), bw::modelview::PcModel::ReadAhead::Off, state);
    state.counters["triangles"] = trianglesFor(factor);
    state.counters["parses"] = static_cast<double>(filesFor(factor).distinctInLoadOrder().size());
    if (meshes == 0) state.SkipWithError("the model folder holds no model");
}

void BM_ScaledLoad_Assimp(benchmark::State& state) {
    const std::int64_t factor = state.range(0);
    const std::vector<std::string>& files = filesFor(factor).distinctInLoadOrder();
    bench::AssimpLoad result;
    for (auto _ : state)
        result = bench::loadWithAssimp(files);
    state.counters["triangles"] = trianglesFor(factor);
    state.counters["parses"] = static_cast<double>(files.size());
    if (result.failed > 0) state.SkipWithError("Assimp could not read every model file");
}

void BM_ScaledFrame(benchmark::State& state) {
    const std::int64_t factor = state.range(0);
    std::unique_ptr<bench::FullModelView> view;
    try {
        view = std::make_unique<bench::FullModelView>(bench::DeviceKind::Reference, bench::ViewSize{},
                                                      folderFor(factor));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    for (auto _ : state)
        view->view().RenderScene();
    state.counters["triangles"] = trianglesFor(factor);
}

void factors(benchmark::internal::Benchmark* b) {
    b->ArgName("factor")->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->Repetitions(5);
    b->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_ScaledLoad_Boardwright)->Apply(factors)->MeasureProcessCPUTime();
BENCHMARK(BM_ScaledLoad_Assimp)->Apply(factors)->MeasureProcessCPUTime();
BENCHMARK(BM_ScaledFrame)->Apply(factors)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
