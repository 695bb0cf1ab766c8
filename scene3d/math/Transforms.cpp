#include "scene3d/math/Transforms.h"

#include <cmath>

namespace bw {

Matrix scalingMatrix(float sx, float sy, float sz) {
    Matrix r = identityMatrix();
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix translationMatrix(float x, float y, float z) {
    Matrix r = identityMatrix();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix rotationXMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = identityMatrix();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix rotationYMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = identityMatrix();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix rotationZMatrix(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = identityMatrix();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix rotationAxisMatrix(Vector3 axis, float angle) {
    const Vector3 v = normalize(axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    Matrix r = identityMatrix();
    r.m[0][0] = t * v.x * v.x + c;
    r.m[0][1] = t * v.x * v.y + s * v.z;
    r.m[0][2] = t * v.x * v.z - s * v.y;
    r.m[1][0] = t * v.x * v.y - s * v.z;
    r.m[1][1] = t * v.y * v.y + c;
    r.m[1][2] = t * v.y * v.z + s * v.x;
    r.m[2][0] = t * v.x * v.z + s * v.y;
    r.m[2][1] = t * v.y * v.z - s * v.x;
    r.m[2][2] = t * v.z * v.z + c;
    return r;
}

Matrix rotationQuaternionMatrix(const Quaternion& q) {
    Matrix r = identityMatrix();
    r.m[0][0] = 1.0f - 2.0f * (q.y * q.y + q.z * q.z);
    r.m[0][1] = 2.0f * (q.x * q.y + q.z * q.w);
    r.m[0][2] = 2.0f * (q.x * q.z - q.y * q.w);
    r.m[1][0] = 2.0f * (q.x * q.y - q.z * q.w);
    r.m[1][1] = 1.0f - 2.0f * (q.x * q.x + q.z * q.z);
    r.m[1][2] = 2.0f * (q.y * q.z + q.x * q.w);
    r.m[2][0] = 2.0f * (q.x * q.z + q.y * q.w);
    r.m[2][1] = 2.0f * (q.y * q.z - q.x * q.w);
    r.m[2][2] = 1.0f - 2.0f * (q.x * q.x + q.y * q.y);
    return r;
}

Quaternion quaternionFromRotationMatrix(const Matrix& a) {
    const auto& m = a.m;
    const float trace = m[0][0] + m[1][1] + m[2][2];
    Quaternion q;
    // Divide by the largest of the four candidates so that no step loses precision.
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q = {(m[1][2] - m[2][1]) / s, (m[2][0] - m[0][2]) / s, (m[0][1] - m[1][0]) / s, 0.25f * s};
    } else if (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) {
        const float s = std::sqrt(1.0f + m[0][0] - m[1][1] - m[2][2]) * 2.0f;
        q = {0.25f * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] - m[2][1]) / s};
    } else if (m[1][1] >= m[2][2]) {
        const float s = std::sqrt(1.0f + m[1][1] - m[0][0] - m[2][2]) * 2.0f;
        q = {(m[0][1] + m[1][0]) / s, 0.25f * s, (m[1][2] + m[2][1]) / s, (m[2][0] - m[0][2]) / s};
    } else {
        const float s = std::sqrt(1.0f + m[2][2] - m[0][0] - m[1][1]) * 2.0f;
        q = {(m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25f * s, (m[0][1] - m[1][0]) / s};
    }
    return q;
}

Quaternion rotationAxisQuaternion(Vector3 axis, float angle) {
    const Vector3 v = normalize(axis);
    const float s = std::sin(angle * 0.5f);
    return {v.x * s, v.y * s, v.z * s, std::cos(angle * 0.5f)};
}

Matrix affineTransformationMatrix(float scale, Vector3 rotationCentre, const Quaternion& rotation,
                                  Vector3 translation) {
    const Vector3 c = rotationCentre;
    return scalingMatrix(scale, scale, scale) * translationMatrix(-c.x, -c.y, -c.z) *
           rotationQuaternionMatrix(rotation) * translationMatrix(c.x, c.y, c.z) *
           translationMatrix(translation.x, translation.y, translation.z);
}

} // namespace bw
