#pragma once

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"

namespace bw {

// The point (v, 1) x m divided by its w. When w is 0 the undivided x, y, z are returned,
// so that a degenerate projection never yields infinities.
Vector3 transformCoord(Vector3 v, const Matrix& m);

// The direction v x (upper 3x3 of m); translation does not apply.
Vector3 transformNormal(Vector3 v, const Matrix& m);

} // namespace bw
