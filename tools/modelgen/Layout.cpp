#include "tools/modelgen/Layout.h"

#include <numbers>

#include "scene3d/math/Transforms.h"

namespace bw::modelgen {
namespace {
// Centre of the board's top face in the room.
constexpr Vector3 kBoardCentre{0.0f, -1.5f, -1.0f};
} // namespace

Matrix boardToRoom() {
    return rotationXMatrix(-kBoardTiltDegrees * std::numbers::pi_v<float> / 180.0f) *
           translationMatrix(kBoardCentre.x, kBoardCentre.y, kBoardCentre.z);
}

} // namespace bw::modelgen
