#pragma once
// Triangles with per-vertex normals and a material per face, the content of one mesh.

#include <array>
#include <cstdint>
#include <vector>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"
#include "tools/modelgen/Material.h"

namespace bw::modelgen {

struct MeshVertex {
    Vector3 position;
    Vector3 normal;
};

struct MeshFace {
    std::array<std::uint32_t, 3> corners;
    Material material;
};

class TriangleMesh {
public:
    // Adds a triangle whose front faces the side `outside` points to. The corners are
    // reordered if needed, so that the front is clockwise on screen for a viewer on that
    // side (the winding a left-handed renderer keeps when it culls counter-clockwise faces).
    void addTriangle(const std::array<MeshVertex, 3>& corners, Vector3 outside, Material material);

    // A flat quadrilateral given corner by corner around its edge, split into two triangles.
    void addQuad(const std::array<Vector3, 4>& corners, Vector3 normal, Material material);

    // Appends another mesh taken through a rigid transform (rotation and translation).
    void append(const TriangleMesh& other, const Matrix& transform);

    // Each triangle split into four at its edges' midpoints, levels times over; a midpoint
    // is shared by the triangles on both sides of its edge, and takes the mean normal.
    // The same surfaces, windings and materials.
    TriangleMesh subdivided(int levels) const;

    const std::vector<MeshVertex>& vertices() const { return vertices_; }
    const std::vector<MeshFace>& faces() const { return faces_; }
    bool empty() const { return faces_.empty(); }

private:
    std::vector<MeshVertex> vertices_;
    std::vector<MeshFace> faces_;
};

} // namespace bw::modelgen
