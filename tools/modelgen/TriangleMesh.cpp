#include "tools/modelgen/TriangleMesh.h"

#include <algorithm>
#include <map>
#include <utility>

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

TriangleMesh TriangleMesh::subdivided(int levels) const {
    TriangleMesh mesh = *this;
    for (int level = 0; level < levels; ++level) {
        TriangleMesh finer;
        finer.vertices_ = mesh.vertices_;
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> midpoints;
        const auto midpoint = [&](std::uint32_t a, std::uint32_t b) {
            const auto [it, added] = midpoints.try_emplace(std::minmax(a, b), 0);
            if (added) {
                const MeshVertex& p = finer.vertices_[a];
                const MeshVertex& q = finer.vertices_[b];
                it->second = static_cast<std::uint32_t>(finer.vertices_.size());
                const Vector3 sum = p.normal + q.normal;
                // Opposite normals (a fold) have no mean: the midpoint keeps the first.
                const Vector3 normal = dot(sum, sum) > 1e-12f ? normalize(sum) : p.normal;
                finer.vertices_.push_back({(p.position + q.position) * 0.5f, normal});
            }
            return it->second;
        };
        for (const MeshFace& face : mesh.faces_) {
            const auto [a, b, c] = face.corners;
            const std::uint32_t ab = midpoint(a, b);
            const std::uint32_t bc = midpoint(b, c);
            const std::uint32_t ca = midpoint(c, a);
            for (const std::array<std::uint32_t, 3>& corners :
                 {std::array{a, ab, ca}, std::array{ab, b, bc}, std::array{ca, bc, c},
                  std::array{ab, bc, ca}})
                finer.faces_.push_back({corners, face.material});
        }
        mesh = std::move(finer);
    }
    return mesh;
}

} // namespace bw::modelgen
