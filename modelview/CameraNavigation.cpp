#include "modelview/CameraNavigation.h"

#include <cmath>

namespace bw::modelview {

Vector3 moveEye(Vector3 eye, Navigation command) {
    switch (command) {
    case Navigation::Up:
        eye.y -= 1.0f;
        break;
    case Navigation::Down:
        eye.y += 1.0f;
        break;
    case Navigation::Left:
        eye.x += 1.0f;
        break;
    case Navigation::Right:
        eye.x -= 1.0f;
        break;
    case Navigation::In:
        eye.z += 1.0f;
        break;
    case Navigation::Out:
        eye.z -= 1.0f;
        break;
    }
    return eye;
}

std::int16_t roundPointer(double coordinate) {
    const double rounded = std::nearbyint(coordinate); // the default rounding mode: to even
    if (rounded < -32768.0) return -32768;
    if (rounded > 32767.0) return 32767;
    return static_cast<std::int16_t>(rounded);
}

std::optional<TrackballTurn> trackballTurn(std::int16_t dx, std::int16_t dy) {
    const float fx = dx;
    const float fy = dy;
    const float length = std::sqrt(fx * fx + fy * fy);
    const float radius = std::sqrt(length * length + 2500.0f);
    if (length == 0.0f || radius == 0.0f) return std::nullopt;
    return TrackballTurn{length / radius, {-fy / length, -fx / length, 0.0f}};
}

} // namespace bw::modelview
