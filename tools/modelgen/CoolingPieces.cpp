// Fans and the heat pipe. The CPU fan sits on its heatsink over the processor, the front
// fan stands at the board's far edge and the back fan beside the back panel, both facing
// the camera.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

constexpr Primitive kCpuHeatsink[] = {
    {S::Box, {1.1, 0.08, 1.1}, {0, 0.24, 0}, {}, M::Aluminium},
    {S::Box, {1.1, 0.42, 0.035}, {0, 0.49, -0.5}, {}, M::Aluminium, 11, {0, 0, 0.1}},
};
constexpr auto kCpuFan = fan(1.0f, M::Black, M::Black, M::SmokedPlastic);
constexpr auto kCaseFan = fan(1.2f, M::Black, M::Grey, M::SmokedPlastic);

constexpr Vector3 kCpuFanAt{kCpuCentre.x, 0.77f, kCpuCentre.z};
constexpr Vector3 kFrontFanAt{4.15f, 0.68f, kBoardHalfDepth - 0.1f};
constexpr Vector3 kBackFanAt{kBoardHalfWidth + 0.7f, 0.5f, kBackEdgeZ - 0.05f}; // beside the back panel
constexpr Vector3 kFacingCamera{90, 0, 0}; // the fan's axis turned from y to z

// Two pipes run from the CPU heatsink through the fins and join in a U-bend at the far end.
constexpr float kPipeY = 0.36f;
constexpr float kPipeFromZ = kCpuCentre.z + 0.3f;
constexpr float kPipeToZ = 3.1f;
constexpr float kPipeSpacing = 0.5f;
constexpr float kFinsZ = 2.95f;

constexpr Primitive kPipeAlongBoard[] = {
    {S::Cylinder,
     {0.09, kPipeToZ - kPipeFromZ, 0.09},
     {0, kPipeY, (kPipeToZ + kPipeFromZ) / 2},
     {90, 0, 0},
     M::Copper},
};
constexpr Primitive kPipeBend[] = {
    {S::Bend, {0.09, kPipeSpacing / 2, 180}, {0, kPipeY, kPipeToZ}, {90, 0, 0}, M::Copper},
};
constexpr Primitive kPipeFins[] = {
    {S::Box, {1.2, 0.04, 0.74}, {0, 0.06, kFinsZ}, {}, M::Aluminium},
    {S::Box, {1.2, 0.5, 0.03}, {0, 0.33, kFinsZ - 0.33f}, {}, M::Copper, 8, {0, 0, 0.094}},
};

constexpr PieceRow kPieces[] = {
    {"vm905.x", "Cube_2-1j", B, kCpuHeatsink, {kCpuCentre.x, 0, kCpuCentre.z}, {}},
    {"vm905.x", "Cube_2-1j", B, std::span(kCpuFan).first(5), kCpuFanAt, {}},
    {"vm905.x", "Cylinder-1j", B, std::span(kCpuFan).subspan(5), kCpuFanAt, {}},
    {"vm906.x", "Cube_2-1d", B, std::span(kCaseFan).first(5), kBackFanAt, kFacingCamera},
    {"vm906.x", "Cylinder-1d", B, std::span(kCaseFan).subspan(5), kBackFanAt, kFacingCamera},
    {"vm907.x", "Cube_2-1", B, std::span(kCaseFan).first(5), kFrontFanAt, kFacingCamera},
    {"vm907.x", "Cylinder-1", B, std::span(kCaseFan).subspan(5), kFrontFanAt, kFacingCamera},

    {"vm206.x", "Frame1Cylinder_18", B, kPipeAlongBoard, {kCpuCentre.x - kPipeSpacing / 2, 0, 0}, {}},
    {"vm206a.x", "Frame3Cylinder_19", B, kPipeAlongBoard, {kCpuCentre.x + kPipeSpacing / 2, 0, 0}, {}},
    {"vm206b.x", "Frame6Cylinder_20", B, kPipeBend, {kCpuCentre.x, 0, 0}, {}},
    {"vm206c.x", "Frame7Cube_19", B, kPipeFins, {kCpuCentre.x, 0, 0}, {}},
};

} // namespace

std::span<const PieceRow> coolingPieces() { return kPieces; }

} // namespace bw::modelgen
