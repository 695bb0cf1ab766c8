#include "scene3d/math/Quaternion.h"

#include <cmath>

namespace bw {

Quaternion slerp(const Quaternion& a, const Quaternion& b, float t) {
    // q and -q are the same rotation; flipping b keeps the path on the shorter arc.
    float cosAngle = dot(a, b);
    float sign = 1.0f;
    if (cosAngle < 0.0f) {
        cosAngle = -cosAngle;
        sign = -1.0f;
    }
    float weightA = 1.0f - t;
    float weightB = t;
    // Nearly equal rotations: sin(angle) vanishes, so interpolate linearly instead of dividing by it.
    if (1.0f - cosAngle > 1e-6f) {
        const float angle = std::acos(cosAngle);
        const float sinAngle = std::sin(angle);
        weightA = std::sin((1.0f - t) * angle) / sinAngle;
        weightB = std::sin(t * angle) / sinAngle;
    }
    weightB *= sign;
    return {weightA * a.x + weightB * b.x, weightA * a.y + weightB * b.y, weightA * a.z + weightB * b.z,
            weightA * a.w + weightB * b.w};
}

} // namespace bw
