#include "scene3d/math/Camera.h"

#include <cmath>

#include "scene3d/math/VectorTransform.h"

namespace bw {

std::optional<Matrix> lookAtLH(Vector3 eye, Vector3 at, Vector3 up) {
    const Vector3 z = normalize(at - eye);
    const Vector3 x = normalize(cross(up, z));
    if (length(z) == 0.0f || length(x) == 0.0f) return std::nullopt;
    const Vector3 y = cross(z, x);
    Matrix r = identityMatrix();
    r.m[0][0] = x.x;
    r.m[0][1] = y.x;
    r.m[0][2] = z.x;
    r.m[1][0] = x.y;
    r.m[1][1] = y.y;
    r.m[1][2] = z.y;
    r.m[2][0] = x.z;
    r.m[2][1] = y.z;
    r.m[2][2] = z.z;
    r.m[3][0] = -dot(x, eye);
    r.m[3][1] = -dot(y, eye);
    r.m[3][2] = -dot(z, eye);
    return r;
}

Matrix perspectiveFovLH(float fovY, float heightOverWidth, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    Matrix r;
    r.m[0][0] = heightOverWidth * yScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    return r;
}

namespace {

// What unproject needs besides the point: empty when it cannot be done.
std::optional<Matrix> clipToModel(const Viewport& viewport, const Matrix& projection, const Matrix& view,
                                  const Matrix& world) {
    if (viewport.width == 0 || viewport.height == 0 || viewport.maxZ - viewport.minZ == 0.0f)
        return std::nullopt;
    return inverse(world * view * projection);
}

Vector3 unprojectWith(const Matrix& toModel, Vector3 screenPoint, const Viewport& viewport) {
    const Vector3 ndc{
        (screenPoint.x - static_cast<float>(viewport.x)) * 2.0f / static_cast<float>(viewport.width) - 1.0f,
        1.0f - (screenPoint.y - static_cast<float>(viewport.y)) * 2.0f / static_cast<float>(viewport.height),
        (screenPoint.z - viewport.minZ) / (viewport.maxZ - viewport.minZ)};
    return transformCoord(ndc, toModel);
}

} // namespace

std::optional<Vector3> unproject(Vector3 screenPoint, const Viewport& viewport, const Matrix& projection,
                                 const Matrix& view, const Matrix& world) {
    const auto toModel = clipToModel(viewport, projection, view, world);
    if (!toModel) return std::nullopt;
    return unprojectWith(*toModel, screenPoint, viewport);
}

std::optional<ScreenRay> unprojectRay(float x, float y, const Viewport& viewport, const Matrix& projection,
                                      const Matrix& view, const Matrix& world) {
    const auto toModel = clipToModel(viewport, projection, view, world);
    if (!toModel) return std::nullopt;
    return ScreenRay{unprojectWith(*toModel, {x, y, 0.0f}, viewport),
                     unprojectWith(*toModel, {x, y, 1.0f}, viewport)};
}

} // namespace bw
