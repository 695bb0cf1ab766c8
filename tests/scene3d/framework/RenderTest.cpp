#include <gtest/gtest.h>

#include <algorithm>

#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XFile.h"
#include "tests/scene3d/framework/SceneTestSupport.h"

namespace bw {
namespace {

using scenetest::RecordingDevice;

Material withAlpha(float alpha) {
    Material m;
    m.diffuse = {0.2f, 0.4f, 0.6f, alpha};
    return m;
}

// One face per alpha value, each subset with its own material.
MeshPtr meshWithAlphas(const std::vector<float>& alphas) {
    auto mesh = std::make_shared<CD3DMesh>();
    mesh->InitFromD3DXMesh(scenetest::subsetMesh(static_cast<int>(alphas.size())));
    mesh->SetMaterialCount(static_cast<std::int32_t>(alphas.size()));
    for (std::size_t i = 0; i < alphas.size(); ++i)
        mesh->SetMaterial(static_cast<std::int32_t>(i), withAlpha(alphas[i]));
    mesh->Init();
    return mesh;
}

TEST(CD3DFrameRender, OpaqueSubsetsFirstThenTransparentOnesWithBlending) {
    RecordingDevice device;
    auto root = CD3DFrame::Create();
    root->SetMatrix(translationMatrix(3, 0, 0));
    auto child = CD3DFrame::Create();
    child->SetMatrix(translationMatrix(0, 4, 0));
    root->AddChild(child);
    child->AddMesh(meshWithAlphas({1.0f, 0.5f, 1.0001f})); // opaque, transparent, never drawn
    std::vector<std::string> callbacks;
    child->SetPreRenderCallback([&](std::int32_t id) { callbacks.push_back("pre " + std::to_string(id)); },
                                7);
    child->SetPostRenderCallback([&](std::int32_t id) { callbacks.push_back("post " + std::to_string(id)); },
                                 8);

    root->Render(device);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].firstFace, 0u);
    EXPECT_FALSE(device.draws[0].alphaBlending);
    EXPECT_EQ(device.draws[1].firstFace, 1u);
    EXPECT_TRUE(device.draws[1].alphaBlending);
    EXPECT_EQ(device.draws[1].materialAlpha, 0.5f);
    for (const auto& draw : device.draws)
        EXPECT_EQ(draw.world, translationMatrix(0, 4, 0) * translationMatrix(3, 0, 0));
    const auto blendOn = std::find(device.calls.begin(), device.calls.end(), "SetRenderState 27 1");
    ASSERT_LE(blendOn + 3, device.calls.end());
    EXPECT_EQ(*(blendOn + 1) + "," + *(blendOn + 2), "SetRenderState 19 5,SetRenderState 20 6");
    EXPECT_EQ(device.calls.back(), "SetRenderState 27 0");
    Matrix world;
    device.GetTransform(D3DTS_WORLD, world);
    EXPECT_EQ(world, identityMatrix());
    EXPECT_EQ(callbacks, (std::vector<std::string>{"pre 7", "post 8", "pre 7", "post 8"}));

    // A disabled frame hides its whole subtree, callbacks included, in both passes.
    device.forget();
    callbacks.clear();
    auto top = CD3DFrame::Create();
    top->AddChild(root);
    root->Enabled = false;
    top->Render(device);
    EXPECT_TRUE(device.draws.empty());
    EXPECT_TRUE(callbacks.empty());
}

// Without callbacks the transparent pass draws the meshes the opaque pass noted instead of
// walking the tree again: the same draws in the same order and worlds as the walk, a frame
// shared by two parents drawn once under each.
TEST(CD3DFrameRender, TransparentPassFromTheOpaquePassNotesDrawsAsASecondWalk) {
    auto root = CD3DFrame::Create();
    auto left = CD3DFrame::Create();
    auto right = CD3DFrame::Create();
    auto shared = CD3DFrame::Create();
    auto hidden = CD3DFrame::Create();
    left->SetMatrix(translationMatrix(-2, 0, 0));
    right->SetMatrix(rotationYMatrix(0.5f));
    shared->SetMatrix(translationMatrix(0, 1, 0));
    root->AddChild(left);
    root->AddChild(right);
    root->AddChild(hidden);
    left->AddChild(shared);
    right->AddChild(shared);
    root->AddMesh(meshWithAlphas({0.25f, 1.0f}));
    left->AddMesh(meshWithAlphas({1.0f})); // opaque only
    shared->AddMesh(meshWithAlphas({0.5f, 1.0f, 0.75f}));
    right->AddMesh(nullptr);
    auto overridden = std::make_shared<CD3DMesh>();
    overridden->InitFromD3DXMesh(scenetest::subsetMesh(1));
    overridden->SetMaterialOverride(withAlpha(0.5f));
    right->AddMesh(overridden);
    hidden->AddMesh(meshWithAlphas({0.5f}));
    hidden->Enabled = false;

    auto drawsOf = [&](RecordingDevice& device) {
        device.forget();
        root->Render(device);
        std::vector<std::string> draws;
        for (const auto& draw : device.draws) {
            std::string text = std::to_string(draw.revision) + ":" + std::to_string(draw.firstFace) +
                               (draw.alphaBlending ? " blended " : " ") + std::to_string(draw.materialAlpha);
            for (const auto& row : draw.world.m)
                for (const float value : row)
                    text += " " + std::to_string(value);
            draws.push_back(text);
        }
        Matrix world;
        device.GetTransform(D3DTS_WORLD, world);
        EXPECT_EQ(world, identityMatrix());
        EXPECT_EQ(device.calls.back(), "SetRenderState 27 0");
        return draws;
    };
    RecordingDevice device;
    const auto noted = drawsOf(device);
    int called = 0;
    root->SetPreRenderCallback([&](std::int32_t) { ++called; }, 0);
    const auto walked = drawsOf(device);
    EXPECT_EQ(called, 2) << "walked twice";
    EXPECT_EQ(noted, walked);
    EXPECT_EQ(
        std::count_if(noted.begin(), noted.end(),
                      [](const std::string& draw) { return draw.find("blended") != std::string::npos; }),
        1 + 2 * 2 + 1);
}

TEST(CD3DFrameRender, MaterialsOverrideAndPlainDrawing) {
    RecordingDevice device;
    auto plain = std::make_shared<CD3DMesh>();
    plain->InitFromD3DXMesh(scenetest::subsetMesh(1));
    // Neither materials nor override: drawn once, in the opaque pass, with the current state.
    plain->RenderEx(device, true, true);
    EXPECT_EQ(device.calls, std::vector<std::string>{"Draw 0+1"});
    device.forget();
    plain->SetMaterialOverride(withAlpha(0.5f));
    plain->RenderEx(device, true, true);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].materialAlpha, 0.5f);

    // The override does nothing while the mesh has its own materials; a subset without a
    // texture clears stage 0.
    device.forget();
    auto own = meshWithAlphas({1.0f});
    own->SetMaterialOverride(withAlpha(0.5f));
    own->RenderEx(device, true, true);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"SetMaterial", "SetTexture none", "Draw 0+1"}));
    EXPECT_EQ(device.draws[0].materialAlpha, 1.0f);

    // An empty mesh draws nothing and SetFVF leaves it so; the other operations refuse it.
    device.forget();
    auto empty = std::make_shared<CD3DMesh>();
    empty->RenderEx(device, true, true);
    empty->SetFVF(device, fvf::positionNormalTexture);
    EXPECT_TRUE(device.calls.empty());
    EXPECT_THROW(empty->Optimize(), PlatformError);
    EXPECT_THROW(empty->FlipNormals(), PlatformError);
}

TEST(CD3DMesh, VertexOperationsChangeTheLayoutTheyKnowAndRenameTheContent) {
    RecordingDevice device;
    auto frame = CD3DFrame::Create();
    const MeshPtr square = frame->AddD3DXMesh(scenetest::squareMesh());
    const MeshPtr plain = frame->AddD3DXMesh(scenetest::subsetMesh(1)); // positions only
    const auto drawnRevision = [&] {
        device.forget();
        square->Render(device);
        return device.draws.at(0).revision;
    };
    const std::uint64_t loaded = drawnRevision();
    EXPECT_EQ(drawnRevision(), loaded);

    frame->FlipNormals();
    EXPECT_EQ(square->mesh()->normal(0), (Vector3{0, 0, 1}));
    EXPECT_NE(drawnRevision(), loaded);
    const auto plainData = [&] {
        return std::vector<float>(plain->mesh()->vertexData().begin(), plain->mesh()->vertexData().end());
    };
    const std::vector<float> plainBefore = plainData();
    frame->FlipNormals();
    EXPECT_EQ(square->mesh()->normal(0), (Vector3{0, 0, -1}));
    EXPECT_EQ(plainData(), plainBefore);

    square->Translate(1, 2, 3);
    frame->ComputeBoundingVolumes();
    EXPECT_EQ(square->SphereCenter(), (Vector3{1, 2, 3}));
    EXPECT_NEAR(square->SphereRadius, std::sqrt(2.0f), 1e-5);

    const std::uint64_t translated = drawnRevision();
    frame->SetFVF(device, fvf::xyz | fvf::normal);
    EXPECT_EQ(square->mesh()->fvf(), fvf::xyz | fvf::normal);
    EXPECT_NE(drawnRevision(), translated);
}

TEST(CD3DMesh, LoadingSetsUpMaterialsAndTexturesThroughTheCache) {
    scenetest::TempFolder folder;
    RecordingDevice device;
    int loads = 0;
    TextureCache textures(scenetest::textureLoader([&](const std::string&) -> std::shared_ptr<Texture> {
        ++loads;
        return std::make_shared<Texture>(1, 1, std::vector<std::uint32_t>{0});
    }));
    const auto file =
        folder.write("m.x", scenetest::xText(R"(Mesh Two { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;
      2; 3;0,1,2;, 3;0,2,1;; MeshMaterialList { 2; 2; 0, 1;;
      Material { 0.1;0.2;0.3;0.5;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { "wood.bmp"; } }
      Material { 0.7;0.8;0.9;1.0;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; } } })"));

    CD3DMesh mesh;
    mesh.ObjectName = "kept";
    ASSERT_TRUE(mesh.InitFromFile(device, textures, file));
    EXPECT_EQ(mesh.ObjectName, "kept");
    ASSERT_EQ(mesh.GetMaterialCount(), 2);
    EXPECT_EQ(mesh.GetMaterial(0).ambient, (ColorValue{0.1f, 0.2f, 0.3f, 0.5f}));
    EXPECT_NE(mesh.GetMaterialTexture(0), nullptr);
    EXPECT_EQ(mesh.GetMaterialTexture(1), nullptr);
    EXPECT_EQ(mesh.GetMaterialTexture(2), nullptr); // the spare entry
    EXPECT_THROW(mesh.GetMaterial(3), PlatformError);

    XFile xfile = XFile::open(file);
    LoadBudget budget;
    ASSERT_TRUE(mesh.InitFromXOF(device, textures, budget, *xfile.nextObject()));
    EXPECT_EQ(mesh.ObjectName, "Two");
    EXPECT_EQ(loads, 1); // the cache answered
    EXPECT_FALSE(mesh.InitFromFile(device, textures, folder.path() / "missing.x"));
}

// A mesh object walked twice (its file listed twice) gives one geometry to both meshes,
// each with its own materials; one that changes it changes a copy of its own.
TEST(CD3DMesh, AMeshObjectWalkedAgainSharesItsGeometryUntilOneChangesIt) {
    scenetest::TempFolder folder;
    RecordingDevice device;
    TextureCache textures(scenetest::textureLoader(
        [](const std::string&) { return std::make_shared<Texture>(1, 1, std::vector<std::uint32_t>{0}); }));
    const auto file =
        folder.write("m.x", scenetest::xText(R"(Mesh Two { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;
      1; 3;0,1,2;; MeshNormals { 1; 0.0;0.0;1.0;; 1; 3;0,0,0;; }
      MeshTextureCoords { 3; 0.0;0.0;, 1.0;0.0;, 0.0;1.0;; }
      MeshMaterialList { 1; 1; 0;; Material { 0.1;0.2;0.3;1.0;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; } } })"));
    XFile xfile = XFile::open(file);
    const XDataObject* object = xfile.nextObject();
    ASSERT_NE(object, nullptr);
    LoadBudget budget;
    CD3DMesh first, second;
    ASSERT_TRUE(first.InitFromXOF(device, textures, budget, *object));
    ASSERT_TRUE(second.InitFromXOF(device, textures, budget, *object));
    EXPECT_EQ(first.mesh(), second.mesh());
    second.SetMaterial(0, Material{});
    EXPECT_EQ(first.GetMaterial(0).ambient, (ColorValue{0.1f, 0.2f, 0.3f, 1.0f}));

    second.Translate(1, 2, 3);
    EXPECT_NE(first.mesh(), second.mesh());
    EXPECT_EQ(first.mesh()->position(1), (Vector3{1, 0, 0}));
    EXPECT_EQ(second.mesh()->position(1), (Vector3{2, 2, 3}));
    second.FlipNormals(); // now its own: changed in place
    EXPECT_EQ(first.mesh()->normal(0), (Vector3{0, 0, 1}));
    EXPECT_EQ(second.mesh()->normal(0), (Vector3{0, 0, -1}));
}

} // namespace
} // namespace bw
