#pragma once

#include "scene3d/math/BoundingBox.h"
#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

struct BoundingSphere {
    Vector3 centre;
    float radius = 0.0f;
};

// Centre at the mean of the vertex positions, radius to the farthest of them; all zero
// for a mesh without vertices.
BoundingSphere boundingSphere(const Mesh& mesh);
// Smallest axis-aligned box holding every vertex position; zero for no vertices.
BoundingBox boundingBox(const Mesh& mesh);

} // namespace bw
