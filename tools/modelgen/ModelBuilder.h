#pragma once
// Assembles the content of every model file from the piece rows.

#include <filesystem>
#include <string>
#include <vector>

#include "scene3d/math/Matrix.h"
#include "tools/modelgen/TriangleMesh.h"

namespace bw::modelgen {

// An inner frame and the one mesh it holds.
struct NamedMesh {
    std::string frame;
    TriangleMesh mesh;
};

// A top-level frame of a file: one per space its pieces use, carrying that space's matrix.
struct TopFrame {
    std::string name;
    Matrix matrix;
    std::vector<NamedMesh> children;
};

struct ModelFileContent {
    std::string fileName;
    std::vector<TopFrame> frames;
};

// One entry per listed file, in list order. Throws std::logic_error when a piece names a
// file that is not listed, or a listed file has no piece.
std::vector<ModelFileContent> buildModelFiles();

// The forms of the .x format the files can be written in. The program's files are binary:
// they load several times faster than text, which remains for people to read.
enum class XForm { Text, Binary };

// The same file with every triangle split into four, `levels` times over (16 times the
// triangles at two levels): the same shapes, for measuring how loading and drawing grow.
ModelFileContent subdivided(const ModelFileContent& file, int levels);

struct WriteOptions {
    XForm form = XForm::Binary;
    int subdivisionLevels = 0;
};

// Builds every file and writes it into `folder` (created if missing). Throws
// std::runtime_error when a file cannot be written.
void writeModelFiles(const std::filesystem::path& folder, const WriteOptions& options = {});

} // namespace bw::modelgen
