#include "tests/scene3d/framework/SceneTestSupport.h"

#include <fstream>
#include <random>

namespace bw::scenetest {

TempFolder::TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("bw_scene_" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& text) const {
    auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder() { std::filesystem::current_path(previous_); }

std::string xText(const std::string& body) { return "xof 0302txt 0032\n" + body; }

std::string xTriangle(const std::string& name) {
    return "Mesh " + name + " { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; 3;0,1,2;; }\n";
}

std::shared_ptr<Mesh> squareMesh(float z) {
    const std::vector<float> vertices{-1, 1,  z, 0, 0, -1, 0, 0, 1,  1,  z, 0, 0, -1, 1, 0,
                                      1,  -1, z, 0, 0, -1, 1, 1, -1, -1, z, 0, 0, -1, 0, 1};
    return std::make_shared<Mesh>(fvf::positionNormalTexture, vertices,
                                  std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3},
                                  std::vector<std::uint32_t>{0, 0});
}

std::shared_ptr<Mesh> subsetMesh(int subsets) {
    std::vector<std::uint32_t> indices, attributes;
    for (int s = 0; s < subsets; ++s) {
        indices.insert(indices.end(), {0, 1, 2});
        attributes.push_back(static_cast<std::uint32_t>(s));
    }
    return std::make_shared<Mesh>(fvf::xyz, std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}, indices,
                                  attributes);
}

namespace {

// What an offscreen reference device is made with.
DeviceCreation offscreenCreation(int width, int height) {
    DeviceCreation creation;
    creation.behaviourFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    creation.parameters = ReferenceDevice::createOffscreen(width, height, 1)->presentParameters();
    return creation;
}

} // namespace

RecordingDevice::RecordingDevice(int width, int height)
    : ReferenceDevice(offscreenCreation(width, height), 1) {}

ResultCode RecordingDevice::SetMaterial(const Material& material) {
    calls.push_back("SetMaterial");
    return ReferenceDevice::SetMaterial(material);
}

ResultCode RecordingDevice::SetRenderState(RenderStateType state, std::uint32_t value) {
    calls.push_back("SetRenderState " + std::to_string(state) + " " + std::to_string(value));
    return ReferenceDevice::SetRenderState(state, value);
}

ResultCode RecordingDevice::SetTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) {
    calls.push_back(texture ? "SetTexture set" : "SetTexture none");
    textured_ = texture != nullptr;
    return ReferenceDevice::SetTexture(stage, std::move(texture));
}

ResultCode RecordingDevice::DrawIndexedTriangles(const IndexedTriangles& triangles) {
    calls.push_back("Draw " + std::to_string(triangles.firstFace) + "+" +
                    std::to_string(triangles.faceCount));
    RecordedDraw draw;
    draw.firstFace = triangles.firstFace;
    draw.faceCount = triangles.faceCount;
    draw.revision = triangles.contentRevision;
    std::uint32_t blending = 0;
    GetRenderState(D3DRS_ALPHABLENDENABLE, blending);
    draw.alphaBlending = blending != 0;
    Material material;
    GetMaterial(material);
    draw.materialAlpha = material.diffuse.a;
    draw.textured = textured_;
    GetTransform(D3DTS_WORLD, draw.world);
    draws.push_back(draw);
    return ReferenceDevice::DrawIndexedTriangles(triangles);
}

} // namespace bw::scenetest
