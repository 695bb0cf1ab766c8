#pragma once

#include <optional>

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/math/Viewport.h"

namespace bw {

// Left-handed view matrix looking from eye towards at. Empty when the view is undefined:
// eye and at coincide, or up is parallel to the viewing direction.
std::optional<Matrix> lookAtLH(Vector3 eye, Vector3 at, Vector3 up);

// Left-handed perspective projection. The aspect is the view's height divided by its
// width, and widens x by that factor: xScale = aspect x yScale, yScale = cot(fovY / 2).
Matrix perspectiveFovLH(float fovY, float heightOverWidth, float zNear, float zFar);

// The point (sx, sy, sz) of the viewport (pixels, depth in minZ..maxZ) taken back into
// the space that world x view x projection maps from. Empty when the viewport has no
// area or depth range, or the matrices have no inverse.
std::optional<Vector3> unproject(Vector3 screenPoint, const Viewport& viewport, const Matrix& projection,
                                 const Matrix& view, const Matrix& world);

// The points at screen depth 0 and 1 under pixel (x, y), as two calls of unproject would
// give them, with one matrix inverse.
struct ScreenRay {
    Vector3 nearPoint;
    Vector3 farPoint;
};
std::optional<ScreenRay> unprojectRay(float x, float y, const Viewport& viewport, const Matrix& projection,
                                      const Matrix& view, const Matrix& world);

} // namespace bw
