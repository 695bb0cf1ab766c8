#pragma once
// A generated model file as the program's own .x reader and mesh loader see it: the
// frame tree with names and matrices, and each frame's meshes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"

namespace bw::modeltest {

struct SceneMesh {
    std::vector<Vector3> positions;
    std::vector<Vector3> normals;
    std::vector<std::array<std::uint32_t, 3>> faces;
    std::vector<float> faceAlpha; // diffuse alpha of each face's material
};

struct SceneFrame {
    std::string name;
    Matrix matrix; // identity unless the frame carries a FrameTransformMatrix
    std::vector<SceneFrame> frames;
    std::vector<SceneMesh> meshes;
};

struct SceneFile {
    std::vector<SceneFrame> frames;
    std::size_t topLevelMeshes = 0;
};

// Throws the reader's PlatformError when the file cannot be read.
SceneFile loadSceneFile(const std::filesystem::path& path);

} // namespace bw::modeltest
