#pragma once
// Where things lie: the motherboard's plane in the room, and the positions that several
// areas of the model share. One unit is about 45 mm.

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"

namespace bw::modelgen {

// The board is tipped back about the x axis, its far edge raised, so that the default
// camera looks down onto it instead of along its edge.
inline constexpr float kBoardTiltDegrees = 35.0f;

// Board coordinates to room coordinates.
Matrix boardToRoom();

// --- Board coordinates: x across, y up from the board's top face, z from the back-panel
// --- edge (-z, nearest the camera) to the far edge (+z).

inline constexpr float kBoardHalfWidth = 5.0f;
inline constexpr float kBoardHalfDepth = 3.5f;
inline constexpr float kBackEdgeZ = -kBoardHalfDepth;
// Front faces of the back-panel sockets, just ahead of the back-panel plate.
inline constexpr float kSocketFrontZ = -3.56f;

// Expansion cards stand in lanes across x; the card chain steps 0.3 to the left, the
// last card 0.2.
inline constexpr float kPciLane1X = -2.75f;
constexpr float pciLaneX(int slot) { return slot < 7 ? kPciLane1X - 0.3f * (slot - 1) : kPciLane1X - 1.7f; }
inline constexpr float kAgpLaneX = -2.35f;
inline constexpr float kPciSlotZ = -2.15f; // centre of the PCI and AGP slots along z

constexpr float pcieLaneX(int slot) { return -1.85f + 0.28f * (slot - 1); }

// Memory slots, nearest first.
constexpr float memorySlotZ(int slot) { return -0.2f + 0.2f * (slot - 1); }
inline constexpr float kMemorySlotX = 3.6f;

inline constexpr Vector3 kCpuCentre{1.5f, 0.0f, 1.2f};

// Back-panel columns (left edge of each) and tiers (bottom of each).
inline constexpr float kBackPanelLeft = -2.05f;
constexpr float backTierY(int tier) { return 0.02f + 0.32f * (tier - 1); }
inline constexpr float kPs2ColumnX = kBackPanelLeft + 0.225f;
inline constexpr float kPs2MouseY = backTierY(1) + 0.16f;    // centre of the lower round socket
inline constexpr float kPs2KeyboardY = backTierY(2) + 0.16f; // and of the upper one

// Front-panel devices lie in a grid: one row per kind, eight columns.
constexpr float frontColumnX(int column) { return -4.75f + 0.34f * (column - 1); }
constexpr float frontRowZ(int row) { return -0.05f + 0.6f * (row - 1); }

} // namespace bw::modelgen
