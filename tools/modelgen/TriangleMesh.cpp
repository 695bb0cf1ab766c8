#include "tools/modelgen/TriangleMesh.h"

#include "scene3d/math/VectorTransform.h"

namespace bw::modelgen {

void TriangleMesh::addTriangle(const std::array<MeshVertex, 3>& corners, Vector3 outside, Material material) {
    const Vector3 turning =
        cross(corners[1].position - corners[0].position, corners[2].position - corners[0].position);
    const bool flip = dot(turning, outside) < 0.0f;
    const auto first = static_cast<std::uint32_t>(vertices_.size());
    for (const MeshVertex& corner : corners)
        vertices_.push_back(corner);
    faces_.push_back(
        {flip ? std::array{first, first + 2, first + 1} : std::array{first, first + 1, first + 2}, material});
}

void TriangleMesh::addQuad(const std::array<Vector3, 4>& corners, Vector3 normal, Material material) {
    const auto first = static_cast<std::uint32_t>(vertices_.size());
    for (const Vector3& corner : corners)
        vertices_.push_back({corner, normal});
    const Vector3 turning = cross(corners[1] - corners[0], corners[2] - corners[0]);
    if (dot(turning, normal) >= 0.0f) {
        faces_.push_back({{first, first + 1, first + 2}, material});
        faces_.push_back({{first, first + 2, first + 3}, material});
    } else {
        faces_.push_back({{first, first + 2, first + 1}, material});
        faces_.push_back({{first, first + 3, first + 2}, material});
    }
}

void TriangleMesh::append(const TriangleMesh& other, const Matrix& transform) {
    const auto first = static_cast<std::uint32_t>(vertices_.size());
    for (const MeshVertex& v : other.vertices_)
        vertices_.push_back(
            {transformCoord(v.position, transform), normalize(transformNormal(v.normal, transform))});
    for (MeshFace face : other.faces_) {
        for (std::uint32_t& corner : face.corners)
            corner += first;
        faces_.push_back(face);
    }
}

} // namespace bw::modelgen
