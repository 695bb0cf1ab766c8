// Model loading: every model file read into the frame tree as start-up reads them, against
// the Assimp library importing the same files, in the same order, with no post-processing.
// Both read each file as often as start-up does. The median of the repetitions is the
// figure to quote.

#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "modelview/FrameTable.h"
#include "modelview/PcModel.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/xfile/XFile.h"

namespace {

std::filesystem::path modelFolder() { return BOARDWRIGHT_MODELS_DIR; }

// Every file start-up reads, in its order.
std::vector<std::string> filesInLoadOrder() {
    const auto& table = bw::modelview::partFrames();
    std::vector<std::string> files;
    for (const bw::modelview::LoadStep& step : bw::modelview::loadSequence())
        for (std::size_t f = step.first; f < step.first + step.count; ++f)
            files.push_back((modelFolder() / table[step.frame].files[f]).string());
    return files;
}

// The meshes below frame; a shared frame (the PCI card chain) counts once.
void collectMeshes(const bw::FramePtr& frame, std::set<const bw::CD3DMesh*>& meshes) {
    if (!frame) return;
    bw::CD3DFrame::WalkGuard guard(*frame);
    if (!guard) return;
    for (std::int32_t i = 0; i < frame->GetChildMeshCount(); ++i)
        if (const bw::MeshPtr mesh = frame->GetChildMesh(i)) meshes.insert(mesh.get());
    for (std::int32_t i = 0; i < frame->GetChildFrameCount(); ++i)
        collectMeshes(frame->GetChildFrame(i), meshes);
}

void BM_LoadBoardwright(benchmark::State& state) {
    auto device = bw::ReferenceDevice::createOffscreen(1024, 768);
    int meshes = 0;
    for (auto _ : state) {
        bw::D3DUtil util(std::make_shared<bw::ImageFileTextureLoader>());
        bw::modelview::PcModel model;
        model.build(*device, util.textureCache(), modelFolder(), {});
        state.PauseTiming();
        std::set<const bw::CD3DMesh*> loaded;
        collectMeshes(model.modelRoot(), loaded);
        meshes = static_cast<int>(loaded.size());
        model.release();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(filesInLoadOrder().size());
    state.counters["meshes"] = meshes;
    if (meshes == 0) state.SkipWithError("the model folder holds no model");
}

// The reading of the files alone (the .x parser, no meshes made), on this thread: the
// share of loading that start-up spreads over the cores.
void BM_ReadModelFiles(benchmark::State& state) {
    const std::vector<std::string> files = filesInLoadOrder();
    int objects = 0;
    for (auto _ : state) {
        objects = 0;
        for (const std::string& path : files) {
            bw::XFile file = bw::XFile::open(path);
            while (file.nextObject())
                ++objects;
        }
    }
    state.counters["objects"] = objects;
}

int meshesBelow(const aiNode* node) {
    int count = static_cast<int>(node->mNumMeshes);
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        count += meshesBelow(node->mChildren[i]);
    return count;
}

void BM_LoadAssimp(benchmark::State& state) {
    const std::vector<std::string> files = filesInLoadOrder();
    int meshes = 0;
    int failed = 0;
    for (auto _ : state) {
        Assimp::Importer importer;
        meshes = 0;
        failed = 0;
        for (const std::string& file : files) {
            const aiScene* scene = importer.ReadFile(file, 0);
            if (!scene || !scene->mRootNode) {
                ++failed;
                continue;
            }
            meshes += meshesBelow(scene->mRootNode);
        }
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["meshes"] = meshes;
    if (failed > 0) state.SkipWithError("Assimp could not read every model file");
}

} // namespace

BENCHMARK(BM_LoadBoardwright)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadModelFiles)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadAssimp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
