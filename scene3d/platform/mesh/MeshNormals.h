#pragma once

#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

// Face normal of a clockwise (front-facing, left-handed) triangle, unit length; zero for a
// degenerate triangle.
Vector3 faceNormal(Vector3 p0, Vector3 p1, Vector3 p2);

// Each vertex normal becomes the normalised sum of the unit normals of the faces that use
// the vertex; a vertex no face uses gets a zero normal. Throws PlatformError
// (invalidCall) when the layout has no normal.
void computeNormals(Mesh& mesh);

} // namespace bw
