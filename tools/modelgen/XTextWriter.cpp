#include "tools/modelgen/XTextWriter.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace bw::modelgen {
namespace {

class XText {
public:
    void line(int depth, const std::string& text) {
        out_.append(static_cast<std::size_t>(depth), ' ');
        out_ += text;
        out_ += '\n';
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

std::string number(float value) {
    char buffer[32];
    // Values that round to zero are written without a sign.
    std::snprintf(buffer, sizeof buffer, "%.6f", std::fabs(value) < 5e-7f ? 0.0 : static_cast<double>(value));
    return buffer;
}

std::string vector3(Vector3 v) { return number(v.x) + ";" + number(v.y) + ";" + number(v.z) + ";"; }

// Array elements are separated by commas and the last one closes the array with a semicolon.
std::string separator(std::size_t index, std::size_t count) { return index + 1 < count ? "," : ";"; }

std::string face(const MeshFace& f) {
    return "3;" + std::to_string(f.corners[0]) + "," + std::to_string(f.corners[1]) + "," +
           std::to_string(f.corners[2]) + ";";
}

void writeMatrix(XText& x, int depth, const Matrix& m) {
    x.line(depth, "FrameTransformMatrix {");
    std::string values;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            values += number(m.m[row][column]) + (row == 3 && column == 3 ? ";;" : ",");
    x.line(depth + 1, values);
    x.line(depth, "}");
}

void writeMaterial(XText& x, int depth, Material material) {
    const MaterialLook& look = lookOf(material);
    x.line(depth, "Material {");
    x.line(depth + 1, number(look.diffuse.r) + ";" + number(look.diffuse.g) + ";" + number(look.diffuse.b) +
                          ";" + number(look.diffuse.a) + ";;");
    x.line(depth + 1, number(look.power) + ";");
    x.line(depth + 1,
           number(look.specular.r) + ";" + number(look.specular.g) + ";" + number(look.specular.b) + ";;");
    x.line(depth + 1,
           number(look.emissive.r) + ";" + number(look.emissive.g) + ";" + number(look.emissive.b) + ";;");
    x.line(depth, "}");
}

void writeMesh(XText& x, int depth, const TriangleMesh& mesh) {
    const auto& vertices = mesh.vertices();
    const auto& faces = mesh.faces();
    x.line(depth, "Mesh {");
    x.line(depth + 1, std::to_string(vertices.size()) + ";");
    for (std::size_t i = 0; i < vertices.size(); ++i)
        x.line(depth + 1, vector3(vertices[i].position) + separator(i, vertices.size()));
    x.line(depth + 1, std::to_string(faces.size()) + ";");
    for (std::size_t i = 0; i < faces.size(); ++i)
        x.line(depth + 1, face(faces[i]) + separator(i, faces.size()));

    x.line(depth + 1, "MeshNormals {");
    x.line(depth + 2, std::to_string(vertices.size()) + ";");
    for (std::size_t i = 0; i < vertices.size(); ++i)
        x.line(depth + 2, vector3(vertices[i].normal) + separator(i, vertices.size()));
    x.line(depth + 2, std::to_string(faces.size()) + ";");
    for (std::size_t i = 0; i < faces.size(); ++i)
        x.line(depth + 2, face(faces[i]) + separator(i, faces.size()));
    x.line(depth + 1, "}");

    // Materials in order of first use; faces refer to them by index.
    std::vector<Material> used;
    std::map<Material, std::size_t> indexOf;
    for (const MeshFace& f : faces)
        if (indexOf.emplace(f.material, used.size()).second) used.push_back(f.material);
    x.line(depth + 1, "MeshMaterialList {");
    x.line(depth + 2, std::to_string(used.size()) + ";");
    x.line(depth + 2, std::to_string(faces.size()) + ";");
    for (std::size_t i = 0; i < faces.size(); ++i)
        x.line(depth + 2, std::to_string(indexOf[faces[i].material]) + (i + 1 < faces.size() ? "," : ";;"));
    for (Material material : used)
        writeMaterial(x, depth + 2, material);
    x.line(depth + 1, "}");
    x.line(depth, "}");
}

} // namespace

std::string xText(const ModelFileContent& file) {
    XText x;
    x.line(0, "xof 0303txt 0032");
    for (const TopFrame& top : file.frames) {
        x.line(0, "");
        x.line(0, "Frame " + top.name + " {");
        writeMatrix(x, 1, top.matrix);
        for (const NamedMesh& child : top.children) {
            x.line(1, "Frame " + child.frame + " {");
            writeMesh(x, 2, child.mesh);
            x.line(1, "}");
        }
        x.line(0, "}");
    }
    return x.take();
}

} // namespace bw::modelgen
