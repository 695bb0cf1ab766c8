#pragma once
// Turns primitives into triangles.

#include "scene3d/math/Matrix.h"
#include "tools/modelgen/Primitive.h"
#include "tools/modelgen/TriangleMesh.h"

namespace bw::modelgen {

// The shape alone, around the origin, unturned.
TriangleMesh buildShape(Shape shape, Vector3 size, Material material);

// Adds every copy of the primitive, then takes it through `placement`.
void addPrimitive(TriangleMesh& target, const Primitive& primitive, const Matrix& placement);

// Rotation by degrees about x, then y, then z.
Matrix turnMatrix(Vector3 degrees);

} // namespace bw::modelgen
