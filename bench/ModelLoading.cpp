#include "bench/ModelLoading.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <set>

#include "modelview/FrameTable.h"
#include "scene3d/framework/CD3DMesh.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bench {

ModelFiles::ModelFiles(std::filesystem::path folder) : folder_(std::move(folder)) {
    const auto& table = bw::modelview::partFrames();
    std::set<std::string> seen;
    for (const bw::modelview::LoadStep& step : bw::modelview::loadSequence()) {
        for (std::size_t f = step.first; f < step.first + step.count; ++f) {
            std::string path = (folder_ / table[step.frame].files[f]).string();
            if (seen.insert(path).second) distinct_.push_back(path);
            inLoadOrder_.push_back(std::move(path));
        }
    }
}

namespace {

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

std::set<const bw::CD3DMesh*> meshesOf(const bw::modelview::PcModel& model) {
    std::set<const bw::CD3DMesh*> meshes;
    collectMeshes(model.modelRoot(), meshes);
    return meshes;
}

int meshesBelow(const aiNode* node) {
    int count = static_cast<int>(node->mNumMeshes);
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        count += meshesBelow(node->mChildren[i]);
    return count;
}

} // namespace

int loadWithPcModel(const std::filesystem::path& folder, bw::modelview::PcModel::ReadAhead readAhead,
                    benchmark::State& state) {
    state.PauseTiming();
    static const auto device = bw::ReferenceDevice::createOffscreen(1024, 768);
    state.ResumeTiming();
    bw::D3DUtil util(std::make_shared<bw::ImageFileTextureLoader>());
    bw::modelview::PcModel model;
    model.build(*device, util.textureCache(), folder, {}, readAhead);
    // Counting is not loading; letting go of the model is, as Assimp's timing frees its scenes.
    state.PauseTiming();
    const auto meshes = static_cast<int>(meshesOf(model).size());
    state.ResumeTiming();
    model.release();
    return meshes;
}

int readWithXFile(const std::vector<std::string>& files) {
    int objects = 0;
    for (const std::string& path : files) {
        bw::XFile file = bw::XFile::open(path);
        while (file.nextObject())
            ++objects;
    }
    return objects;
}

AssimpLoad loadWithAssimp(const std::vector<std::string>& files) {
    Assimp::Importer importer;
    AssimpLoad result;
    for (const std::string& file : files) {
        const aiScene* scene = importer.ReadFile(file, 0);
        if (!scene || !scene->mRootNode) {
            ++result.failed;
            continue;
        }
        result.meshes += meshesBelow(scene->mRootNode);
    }
    return result;
}

std::uint64_t trianglesOf(const bw::modelview::PcModel& model) {
    std::uint64_t triangles = 0;
    for (const bw::CD3DMesh* mesh : meshesOf(model))
        if (const auto m = mesh->mesh()) triangles += m->faceCount();
    return triangles;
}

} // namespace bench
