#pragma once
// What a model file is made of, in the order the .x format holds it. The text and the
// binary form each spell it their own way; the walk over a file's content is one
// (ModelFileWriter.h).

#include <span>
#include <string_view>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"
#include "tools/modelgen/TriangleMesh.h"

namespace bw::modelgen {

class XObjectWriter {
public:
    virtual ~XObjectWriter() = default;

    // A data object of a standard template; name may be empty.
    virtual void open(std::string_view templateName, std::string_view name) = 0;
    virtual void close() = 0;

    // A DWORD member (an array's count).
    virtual void count(std::uint32_t value) = 0;
    // An array of Vector.
    virtual void vectors(std::span<const MeshVertex> vertices, Vector3 MeshVertex::*member) = 0;
    // An array of MeshFace (triangles).
    virtual void faces(std::span<const MeshFace> faces) = 0;
    // An array of DWORD.
    virtual void indices(std::span<const std::uint32_t> values) = 0;
    // A ColorRGBA (four channels) or ColorRGB (three).
    virtual void colour(std::span<const float> channels) = 0;
    // A FLOAT member.
    virtual void number(float value) = 0;
    // A Matrix4x4.
    virtual void matrix(const Matrix& m) = 0;
};

} // namespace bw::modelgen
