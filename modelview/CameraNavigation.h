#pragma once
// The camera eye the navigation commands move, and the trackball's turn for a pointer step.

#include <cstdint>
#include <optional>

#include "scene3d/math/Vector3.h"

namespace bw::modelview {

enum class Navigation { Up, Down, Left, Right, In, Out };

// The eye always looks at the origin; each command moves it by one unit, without bounds.
Vector3 moveEye(Vector3 eye, Navigation command);

// Rounds a pointer coordinate to the nearest integer, halves to the even neighbour.
std::int16_t roundPointer(double coordinate);

struct TrackballTurn {
    float angle;      // radians, always below 1
    Vector3 viewAxis; // in view terms, before it is taken into the model's space
};

// The turn for a pointer step of (dx, dy) view pixels; nothing for a step of length 0.
std::optional<TrackballTurn> trackballTurn(std::int16_t dx, std::int16_t dy);

} // namespace bw::modelview
