#pragma once
// Shared pieces of the scene framework tests: a temporary folder for .x files, small
// platform meshes, and a device that records what the scene asks of it while a reference
// device does the work.

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "scene3d/math/Matrix.h"
#include "scene3d/platform/device/TextureLoader.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace bw::scenetest {

// A texture loader that answers with read(path).
class FunctionTextureLoader : public TextureLoader {
public:
    explicit FunctionTextureLoader(std::function<std::shared_ptr<Texture>(const std::string&)> read)
        : read_(std::move(read)) {}
    std::shared_ptr<Texture> load(const std::string& path) const override { return read_(path); }

private:
    std::function<std::shared_ptr<Texture>(const std::string&)> read_;
};

inline std::shared_ptr<const TextureLoader>
textureLoader(std::function<std::shared_ptr<Texture>(const std::string&)> read) {
    return std::make_shared<FunctionTextureLoader>(std::move(read));
}

// Loads no texture at all.
inline std::shared_ptr<const TextureLoader> noTextures() {
    return textureLoader([](const std::string&) { return nullptr; });
}

// A fresh folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    // Writes text to name inside the folder and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path_;
};

// Runs the test from another current folder, put back at the end.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();

private:
    std::filesystem::path previous_;
};

// A text .x file: the header followed by body.
std::string xText(const std::string& body);
// A Mesh object: one triangle, no materials.
std::string xTriangle(const std::string& name);

// Position, normal, texture coordinates: a square [-1, 1]^2 at depth z facing -z, as two
// faces of subset 0.
std::shared_ptr<Mesh> squareMesh(float z = 0.0f);
// One face per subset 0 .. subsets - 1, all the same triangle.
std::shared_ptr<Mesh> subsetMesh(int subsets);

inline void expectMatrixNear(const Matrix& actual, const Matrix& expected, float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << "m" << r + 1 << c + 1;
}

struct RecordedDraw {
    std::uint32_t firstFace = 0;
    std::uint32_t faceCount = 0;
    std::uint64_t revision = 0;
    bool alphaBlending = false;
    float materialAlpha = 0.0f;
    bool textured = false;
    Matrix world;
};

// A reference device that records the scene's state changes and draws as well. Calls read
// like "SetMaterial", "SetRenderState 27 1", "SetTexture none", "Draw 0+1".
class RecordingDevice : public ReferenceDevice {
public:
    explicit RecordingDevice(int width = 64, int height = 64);

    std::vector<std::string> calls;
    std::vector<RecordedDraw> draws;
    void forget() {
        calls.clear();
        draws.clear();
    }

    ResultCode SetMaterial(const Material& material) override;
    ResultCode SetRenderState(RenderStateType state, std::uint32_t value) override;
    ResultCode SetTexture(std::uint32_t stage, std::shared_ptr<const Texture> texture) override;
    ResultCode DrawIndexedTriangles(const IndexedTriangles& triangles) override;

private:
    bool textured_ = false;
};

} // namespace bw::scenetest
