// Expansion cards standing in their slots: the PCI card (copied along the card chain) and
// the AGP graphics card. Each card's bracket faces the camera at the back-panel edge.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

// Cards are built in their own plane (x = 0), from the bracket at z = 0 backwards, with
// their parts on the +x side; the gold fingers sit in the slot.
constexpr float kSlotTop = 0.2f;
constexpr float kSlotCentreAlongCard = kPciSlotZ - kBackEdgeZ;

constexpr Primitive kPciCardBoard[] = {
    {S::Box, {0.03, 1.2, 2.45}, {0, kSlotTop + 0.6f, 1.255}, {}, M::CardGreen},
    {S::Box, {0.034, 0.14, 1.5}, {0, kSlotTop - 0.06f, kSlotCentreAlongCard}, {}, M::Gold},
    {S::Box, {0.05, 0.42, 0.42}, {0.04, 0.8, 1.3}, {}, M::Black},
    {S::Box, {0.04, 0.2, 0.26}, {0.035, 1.12, 0.6}, {}, M::Black, 2, {0, 0, 1.3}},
    {S::Cylinder, {0.08, 0.12, 0.08}, {0.07, 0.5, 2.05}, {0, 0, 90}, M::NavyBlue, 3, {0, 0, 0.14}},
    {S::Box, {0.006, 0.2, 0.5}, {0.018, 1.2, 1.8}, {}, M::White},
};

constexpr std::array<Primitive, 2> bracket(float width, float height) {
    return {{
        {S::Box, {width, height, 0.02}, {0, 1.45f - height / 2, -0.04}, {}, M::Silver},
        {S::Box, {width, 0.02, 0.2}, {0, 1.45, -0.14}, {}, M::Silver},
    }};
}
constexpr auto kPciBracket = bracket(0.18f, 1.85f);
constexpr Primitive kPciCardPort[] = {
    {S::Box, {0.14, 0.42, 0.05}, {0, 0.75, -0.075}, {}, M::Blue},
    {S::Box, {0.08, 0.32, 0.02}, {0, 0.75, -0.105}, {}, M::Black},
};

constexpr Primitive kAgpBoard[] = {
    {S::Box, {0.03, 1.35, 2.8}, {0, kSlotTop + 0.675f, 1.43}, {}, M::CardRed},
    {S::Box, {0.006, 0.16, 1.2}, {0.018, 1.45, 2.0}, {}, M::White},
};
constexpr Primitive kAgpGpu[] = {
    {S::Box, {0.03, 0.6, 0.6}, {0.03, 0.9, 1.5}, {}, M::CardGreen},
};
constexpr Primitive kAgpHeatsink[] = {
    {S::Box, {0.06, 0.95, 1.25}, {0.075, 0.9, 1.5}, {}, M::Aluminium},
    {S::Box, {0.14, 0.95, 0.03}, {0.175, 0.9, 0.94}, {}, M::Aluminium, 12, {0, 0, 0.102}},
};
constexpr auto kAgpFan = fan(0.8f, M::Black, M::Black, M::SmokedPlastic);
constexpr Primitive kAgpMemory[] = {
    {S::Box, {0.04, 0.2, 0.28}, {0.035, 0.3, 0.55}, {}, M::Black, 4, {0, 0, 0.55}},
    {S::Box, {0.04, 0.2, 0.28}, {0.035, 1.47, 0.3}, {}, M::Black, 2, {0, 0, 0.45}},
};
constexpr auto kAgpBracket = bracket(0.22f, 1.95f);
constexpr Primitive kAgpVga[] = {
    {S::Box, {0.14, 0.42, 0.05}, {0, 1.05, -0.075}, {}, M::Blue},
};
constexpr Primitive kAgpDvi[] = {
    {S::Box, {0.14, 0.5, 0.05}, {0, 0.5, -0.075}, {}, M::White},
    {S::Box, {0.06, 0.36, 0.02}, {0, 0.5, -0.105}, {}, M::Black},
};
constexpr Primitive kAgpSVideo[] = {
    {S::Cylinder, {0.13, 0.06, 0.13}, {0, 1.36, -0.08}, {90, 0, 0}, M::Black},
};
constexpr Primitive kAgpFingers[] = {
    {S::Box, {0.034, 0.14, 1.4}, {0, kSlotTop - 0.06f, kSlotCentreAlongCard}, {}, M::Gold},
};

constexpr Vector3 kPciCardAt{pciLaneX(1), 0, kBackEdgeZ};
constexpr Vector3 kAgpCardAt{kAgpLaneX, 0, kBackEdgeZ};
constexpr Vector3 kAgpFanAt{kAgpLaneX + 0.3f, 0.9f, kBackEdgeZ + 1.5f};
constexpr Vector3 kFanFacingSide{0, 0, -90}; // the fan's axis turned from y to +x

constexpr PieceRow kPieces[] = {
    {"vm280.x", "Frame44Cube_20", B, kPciCardBoard, kPciCardAt, {}},
    {"vm280.x", "Frame45Cube_20", B, kPciBracket, kPciCardAt, {}},
    {"vm280.x", "Frame45Cube_20", B, kPciCardPort, kPciCardAt, {}},

    {"vm80.x", "Frame1Cube_21", B, kAgpBoard, kAgpCardAt, {}},
    {"vm81.x", "Frame2Cube_21", B, kAgpGpu, kAgpCardAt, {}},
    {"vm82.x", "Frame3Cube_21", B, kAgpHeatsink, kAgpCardAt, {}},
    {"vm83.x", "Frame4Cube_21", B, std::span(kAgpFan).first(5), kAgpFanAt, kFanFacingSide},
    {"vm84.x", "Frame5Cube_21", B, std::span(kAgpFan).subspan(5), kAgpFanAt, kFanFacingSide},
    {"vm85.x", "Frame6Cube_21", B, kAgpMemory, kAgpCardAt, {}},
    {"vm86.x", "Frame7Cube_21", B, kAgpBracket, kAgpCardAt, {}},
    {"vm87.x", "Frame8Cube_21", B, kAgpVga, kAgpCardAt, {}},
    {"vm88.x", "Frame9Cube_21", B, kAgpDvi, kAgpCardAt, {}},
    {"vm89.x", "Frame10Cube_21", B, kAgpSVideo, kAgpCardAt, {}},
    {"vm90.x", "Frame11Cube_21", B, kAgpFingers, kAgpCardAt, {}},
};

} // namespace

std::span<const PieceRow> cardPieces() { return kPieces; }

} // namespace bw::modelgen
