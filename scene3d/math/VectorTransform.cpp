#include "scene3d/math/VectorTransform.h"

namespace bw {

Vector3 transformCoord(Vector3 v, const Matrix& a) {
    const auto& m = a.m;
    const float x = v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0] + m[3][0];
    const float y = v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1] + m[3][1];
    const float z = v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2] + m[3][2];
    const float w = v.x * m[0][3] + v.y * m[1][3] + v.z * m[2][3] + m[3][3];
    if (w == 0.0f) return {x, y, z};
    return {x / w, y / w, z / w};
}

Vector3 transformNormal(Vector3 v, const Matrix& a) {
    const auto& m = a.m;
    return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0], v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
            v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
}

} // namespace bw
