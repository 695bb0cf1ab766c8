#include "tools/modelgen/ModelFileWriter.h"

#include <map>

#include "tools/modelgen/XBinaryWriter.h"
#include "tools/modelgen/XTextWriter.h"

namespace bw::modelgen {
namespace {

void writeMaterial(XObjectWriter& out, Material material) {
    const MaterialLook& look = lookOf(material);
    out.open("Material", "");
    out.colour(std::array{look.diffuse.r, look.diffuse.g, look.diffuse.b, look.diffuse.a});
    out.number(look.power);
    out.colour(std::array{look.specular.r, look.specular.g, look.specular.b});
    out.colour(std::array{look.emissive.r, look.emissive.g, look.emissive.b});
    out.close();
}

void writeMesh(XObjectWriter& out, const TriangleMesh& mesh) {
    const auto& vertices = mesh.vertices();
    const auto& faces = mesh.faces();
    out.open("Mesh", "");
    out.count(static_cast<std::uint32_t>(vertices.size()));
    out.vectors(vertices, &MeshVertex::position);
    out.count(static_cast<std::uint32_t>(faces.size()));
    out.faces(faces);

    out.open("MeshNormals", "");
    out.count(static_cast<std::uint32_t>(vertices.size()));
    out.vectors(vertices, &MeshVertex::normal);
    out.count(static_cast<std::uint32_t>(faces.size()));
    out.faces(faces);
    out.close();

    // Materials in order of first use; faces refer to them by index.
    std::vector<Material> used;
    std::map<Material, std::uint32_t> indexOf;
    std::vector<std::uint32_t> faceMaterials;
    faceMaterials.reserve(faces.size());
    for (const MeshFace& f : faces) {
        const auto [it, added] = indexOf.emplace(f.material, static_cast<std::uint32_t>(used.size()));
        if (added) used.push_back(f.material);
        faceMaterials.push_back(it->second);
    }
    out.open("MeshMaterialList", "");
    out.count(static_cast<std::uint32_t>(used.size()));
    out.count(static_cast<std::uint32_t>(faces.size()));
    out.indices(faceMaterials);
    for (Material material : used)
        writeMaterial(out, material);
    out.close();
    out.close();
}

} // namespace

void writeModelFile(const ModelFileContent& file, XObjectWriter& out) {
    for (const TopFrame& top : file.frames) {
        out.open("Frame", top.name);
        out.open("FrameTransformMatrix", "");
        out.matrix(top.matrix);
        out.close();
        for (const NamedMesh& child : top.children) {
            out.open("Frame", child.frame);
            writeMesh(out, child.mesh);
            out.close();
        }
        out.close();
    }
}

std::vector<std::uint8_t> modelFileBytes(const ModelFileContent& file, XForm form) {
    if (form == XForm::Text) {
        XTextWriter text;
        writeModelFile(file, text);
        return text.take();
    }
    XBinaryWriter binary;
    writeModelFile(file, binary);
    return binary.take();
}

} // namespace bw::modelgen
