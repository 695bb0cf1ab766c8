#pragma once

namespace bw {

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    friend bool operator==(const Quaternion&, const Quaternion&) = default;
};

inline constexpr Quaternion identityQuaternion() { return {0.0f, 0.0f, 0.0f, 1.0f}; }

inline float dot(const Quaternion& a, const Quaternion& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc.
Quaternion slerp(const Quaternion& a, const Quaternion& b, float t);

} // namespace bw
