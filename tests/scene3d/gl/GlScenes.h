#pragma once
// Scenes drawn the same way on any device, for comparing the OpenGL device's pictures
// with the reference rasterizer's. Each clears, draws and leaves the picture in the back
// buffer.

#include <filesystem>
#include <string>
#include <vector>

#include "scene3d/platform/device/Direct3DDevice8.h"

namespace bw::gltest {

inline constexpr int sceneWidth = 320;
inline constexpr int sceneHeight = 240;

void drawLitOpaqueScene(IDirect3DDevice8& device);
void drawPointAndSpotLightScene(IDirect3DDevice8& device);
void drawTransparentOverOpaqueScene(IDirect3DDevice8& device);
void drawTexturedQuadScene(IDirect3DDevice8& device);
void drawCullingScene(IDirect3DDevice8& device);
void drawNearPlaneScene(IDirect3DDevice8& device);
void drawFlatVertexColourScene(IDirect3DDevice8& device);

// Model files of the folder, each in a cell of a grid, lit by both lights; their
// content is named so that the OpenGL device keeps their buffers.
class ModelGridScene {
public:
    ModelGridScene(const std::filesystem::path& folder, int count);
    int modelCount() const;
    void draw(IDirect3DDevice8& device) const;

private:
    struct Model;
    std::vector<std::shared_ptr<const Model>> models_;
};

} // namespace bw::gltest
