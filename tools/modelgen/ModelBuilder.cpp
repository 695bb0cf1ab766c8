#include "tools/modelgen/ModelBuilder.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

#include "scene3d/math/Transforms.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelFileWriter.h"
#include "tools/modelgen/ModelPieces.h"
#include "tools/modelgen/ShapeBuilder.h"

namespace bw::modelgen {
namespace {

std::string_view topFrameName(Space space) { return space == Space::Board ? "BoardPlane" : "Room"; }

Matrix spaceMatrix(Space space, Vector3 frameOffset) {
    const Matrix back = translationMatrix(-frameOffset.x, -frameOffset.y, -frameOffset.z);
    return space == Space::Board ? boardToRoom() * back : back;
}

TopFrame& topFrameFor(ModelFileContent& file, Space space, Vector3 frameOffset) {
    const std::string_view name = topFrameName(space);
    auto found = std::find_if(file.frames.begin(), file.frames.end(),
                              [&](const TopFrame& frame) { return frame.name == name; });
    if (found != file.frames.end()) return *found;
    file.frames.push_back({std::string(name), spaceMatrix(space, frameOffset), {}});
    return file.frames.back();
}

NamedMesh& meshFor(TopFrame& top, std::string_view frame) {
    auto found = std::find_if(top.children.begin(), top.children.end(),
                              [&](const NamedMesh& child) { return child.frame == frame; });
    if (found != top.children.end()) return *found;
    top.children.push_back({std::string(frame), {}});
    return top.children.back();
}

} // namespace

std::vector<ModelFileContent> buildModelFiles() {
    std::vector<ModelFileContent> files;
    std::map<std::string_view, std::size_t> indexOf;
    for (const ModelFileEntry& entry : modelFiles()) {
        if (!indexOf.emplace(entry.name, files.size()).second)
            throw std::logic_error("model file listed twice: " + std::string(entry.name));
        files.push_back({std::string(entry.name), {}});
    }
    for (const PieceRow& piece : modelPieces()) {
        const auto found = indexOf.find(piece.file);
        if (found == indexOf.end())
            throw std::logic_error("piece of an unlisted file: " + std::string(piece.file));
        const Vector3 offset = modelFiles()[found->second].frameOffset;
        TopFrame& top = topFrameFor(files[found->second], piece.space, offset);
        const Matrix placement =
            turnMatrix(piece.turn) * translationMatrix(piece.at.x, piece.at.y, piece.at.z);
        TriangleMesh& mesh = meshFor(top, piece.frame).mesh;
        for (const Primitive& primitive : piece.component)
            addPrimitive(mesh, primitive, placement);
    }
    for (const ModelFileContent& file : files)
        if (file.frames.empty()) throw std::logic_error("model file without pieces: " + file.fileName);
    return files;
}

ModelFileContent subdivided(const ModelFileContent& file, int levels) {
    ModelFileContent finer = file;
    for (TopFrame& top : finer.frames)
        for (NamedMesh& child : top.children)
            child.mesh = child.mesh.subdivided(levels);
    return finer;
}

void writeModelFiles(const std::filesystem::path& folder, const WriteOptions& options) {
    std::filesystem::create_directories(folder);
    for (const ModelFileContent& file : buildModelFiles()) {
        const std::filesystem::path path = folder / file.fileName;
        const std::vector<std::uint8_t> bytes = modelFileBytes(
            options.subdivisionLevels > 0 ? subdivided(file, options.subdivisionLevels) : file, options.form);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace bw::modelgen
