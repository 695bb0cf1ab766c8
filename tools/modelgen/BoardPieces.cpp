// The motherboard itself and the chips, sockets and small parts that lie flat on it.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

constexpr float kStripX = 0.45f; // the column of small chips between the PCIe slots and the CPU

constexpr Primitive kCircuitBoard[] = {
    {S::Box, {2 * kBoardHalfWidth, 0.06, 2 * kBoardHalfDepth}, {0, -0.03, 0}, {}, M::BoardGreen},
    {S::Tube, {0.22, 0.062, 0.1}, {-4.75, -0.03, -3.25}, {}, M::Silver, 3, {4.75, 0, 0}},
    {S::Tube, {0.22, 0.062, 0.1}, {-4.75, -0.03, 3.25}, {}, M::Silver, 3, {4.75, 0, 0}},
    {S::Tube, {0.22, 0.062, 0.1}, {-0.1, -0.03, 0.2}, {}, M::Silver},
    // Bundles of copper traces between the chips, slots and sockets.
    {S::Box, {0.02, 0.003, 5.6}, {-2.12, 0.0015, -0.4}, {}, M::CardGreen, 4, {0.05, 0, 0}},
    {S::Box, {0.85, 0.003, 0.02}, {0.45, 0.0015, 0.25}, {}, M::CardGreen, 5, {0, 0, 0.05}},
    {S::Box, {0.02, 0.003, 1.9}, {1.05, 0.0015, -1.6}, {}, M::CardGreen, 4, {0.05, 0, 0}},
    {S::Box, {1.6, 0.003, 0.02}, {3.5, 0.0015, 0.72}, {}, M::CardGreen, 4, {0, 0, 0.05}},
    {S::Box, {0.02, 0.003, 1.3}, {2.25, 0.0015, -1.55}, {}, M::CardGreen, 3, {0.05, 0, 0}},
};

constexpr Primitive kBackPanelPlate[] = {
    {S::Box, {7.15, 1.0, 0.02}, {kBackPanelLeft + 3.525f, 0.5, kBackEdgeZ + 0.01f}, {}, M::DarkGrey},
    {S::Box, {7.15, 0.04, 0.2}, {kBackPanelLeft + 3.525f, 1.0, kBackEdgeZ + 0.1f}, {}, M::Grey},
};

constexpr Primitive kMemorySlots[] = {
    {S::Box, {2.7, 0.2, 0.14}, {kMemorySlotX, 0.1, memorySlotZ(1)}, {}, M::Charcoal, 4, {0, 0, 0.2}},
    {S::Box, {2.5, 0.01, 0.04}, {kMemorySlotX, 0.2, memorySlotZ(1)}, {}, M::Black, 4, {0, 0, 0.2}},
    {S::Box, {0.08, 0.26, 0.14}, {kMemorySlotX - 1.39f, 0.13, memorySlotZ(1)}, {}, M::White, 4, {0, 0, 0.2}},
    {S::Box, {0.08, 0.26, 0.14}, {kMemorySlotX + 1.39f, 0.13, memorySlotZ(1)}, {}, M::White, 4, {0, 0, 0.2}},
};

// Silkscreen outline where a PCI slot goes.
constexpr Primitive kSlotOutline[] = {
    {S::Box, {0.02, 0.004, 2.06}, {-0.12, 0.002, 0}, {}, M::White},
    {S::Box, {0.02, 0.004, 2.06}, {0.12, 0.002, 0}, {}, M::White},
    {S::Box, {0.26, 0.004, 0.02}, {0, 0.002, -1.02}, {}, M::White},
    {S::Box, {0.26, 0.004, 0.02}, {0, 0.002, 1.02}, {}, M::White},
};

constexpr Primitive kCoinBattery[] = {
    {S::Box, {0.58, 0.03, 0.62}, {0, 0.015, 0}, {}, M::Black},
    {S::Cylinder, {0.5, 0.07, 0.5}, {0, 0.065, 0}, {}, M::Silver},
    {S::Box, {0.1, 0.03, 0.3}, {0, 0.11, -0.12}, {}, M::Silver},
};

constexpr Primitive kBiosChip[] = {
    {S::Box, {0.32, 0.05, 0.58}, {0, 0.025, 0}, {}, M::Beige},
    {S::Box, {0.26, 0.06, 0.52}, {0, 0.08, 0}, {}, M::Black},
    {S::Box, {0.2, 0.006, 0.3}, {0, 0.113, 0}, {}, M::Silver},
};

constexpr Primitive kCrystal[] = {
    {S::Cylinder, {0.3, 0.14, 0.13}, {0, 0.07, 0}, {}, M::Silver},
};

constexpr Primitive kSpeaker[] = {
    {S::Cylinder, {0.42, 0.22, 0.42}, {0, 0.11, 0}, {}, M::Black},
    {S::Cylinder, {0.08, 0.01, 0.08}, {0, 0.222, 0}, {}, M::DarkGrey},
};

constexpr Primitive kFlatChip[] = {
    {S::Box, {0.56, 0.02, 0.44}, {0, 0.01, 0}, {}, M::Silver},
    {S::Box, {0.5, 0.05, 0.5}, {0, 0.035, 0}, {}, M::Black},
    {S::Cylinder, {0.06, 0.004, 0.06}, {-0.17, 0.061, -0.17}, {}, M::Grey},
};

constexpr Primitive kSmallChip[] = {
    {S::Box, {0.32, 0.04, 0.32}, {0, 0.02, 0}, {}, M::Black},
    {S::Box, {0.2, 0.004, 0.12}, {0, 0.042, 0}, {}, M::Silver},
};

constexpr auto kAgpSlot = expansionSlot(1.8f, M::Brown, 0.6f);
constexpr auto kAudioHeader = pinHeader(0.5f, M::Yellow);
constexpr auto kUsbHeader = pinHeader(0.5f, M::Black);
constexpr auto kPrinterHeader = pinHeader(1.3f, M::Black);

constexpr Primitive kCapacitors[] = {
    {S::Cylinder, {0.16, 0.3, 0.16}, {0, 0.15, 0}, {}, M::NavyBlue, 6, {0.2, 0, 0}},
    {S::Cylinder, {0.13, 0.01, 0.13}, {0, 0.305, 0}, {}, M::Silver, 6, {0.2, 0, 0}},
};

constexpr Primitive kVoltageRegulator[] = {
    {S::Box, {0.2, 0.16, 0.2}, {0, 0.08, 0}, {}, M::DarkGrey, 4, {0.27, 0, 0}},
    {S::Box, {0.12, 0.04, 0.1}, {0, 0.02, -0.2}, {}, M::Black, 4, {0.27, 0, 0}},
};

constexpr Primitive kBridgePad[] = {
    {S::Box, {0.64, 0.006, 0.64}, {0, 0.003, 0}, {}, M::Copper},
    {S::Box, {0.06, 0.14, 0.06}, {-0.38, 0.07, -0.38}, {}, M::White, 2, {0.76, 0, 0.76}},
};

constexpr Primitive kNorthBridge[] = {
    {S::Box, {0.55, 0.03, 0.55}, {0, 0.015, 0}, {}, M::CardGreen},
    {S::Box, {0.56, 0.04, 0.56}, {0, 0.05, 0}, {}, M::Aluminium},
    {S::Box, {0.56, 0.26, 0.035}, {0, 0.2, -0.245}, {}, M::Aluminium, 7, {0, 0, 0.0817}},
};

constexpr Primitive kSouthBridge[] = {
    {S::Box, {0.5, 0.03, 0.5}, {0, 0.015, 0}, {}, M::CardGreen},
    {S::Box, {0.4, 0.02, 0.4}, {0, 0.04, 0}, {}, M::Black},
};

constexpr Primitive kChipsetHeatsink[] = {
    {S::Box, {0.46, 0.03, 0.46}, {0, 0.065, 0}, {}, M::Aluminium},
    {S::Box, {0.46, 0.12, 0.03}, {0, 0.14, -0.2}, {}, M::Aluminium, 5, {0, 0, 0.1}},
};

constexpr Primitive kCpuSocket[] = {
    {S::Box, {1.0, 0.08, 1.0}, {0, 0.04, 0}, {}, M::Beige},
    {S::Box, {0.72, 0.005, 0.72}, {0, 0.0825, 0}, {}, M::Gold},
    {S::Box, {1.0, 0.02, 0.12}, {0, 0.09, -0.44}, {}, M::Silver, 2, {0, 0, 0.88}},
    {S::Box, {0.12, 0.02, 0.76}, {-0.44, 0.09, 0}, {}, M::Silver, 2, {0.88, 0, 0}},
    {S::Cylinder, {0.04, 1.0, 0.04}, {0.58, 0.05, 0}, {90, 0, 0}, M::Silver},
    {S::Box, {0.14, 0.04, 0.04}, {0.53, 0.05, -0.5}, {}, M::Silver},
};

constexpr Primitive kPowerConnector[] = {
    {S::Box, {0.34, 0.3, 1.2}, {0, 0.15, 0}, {}, M::White},
    {S::Box, {0.1, 0.006, 0.08}, {-0.07, 0.302, -0.52}, {}, M::Black, 12, {0, 0, 0.095}},
    {S::Box, {0.1, 0.006, 0.08}, {0.07, 0.302, -0.52}, {}, M::Black, 12, {0, 0, 0.095}},
};

constexpr Primitive kIntelCpu[] = {
    {S::Box, {0.8, 0.04, 0.8}, {0, 0.1, 0}, {}, M::CardGreen},
    {S::Box, {0.62, 0.05, 0.62}, {0, 0.145, 0}, {}, M::Silver},
    {S::Box, {0.08, 0.005, 0.08}, {-0.34, 0.122, -0.34}, {}, M::Gold},
};

constexpr Primitive kAmdCpu[] = {
    {S::Box, {0.76, 0.05, 0.76}, {0, 0.105, 0}, {}, M::Brown},
    {S::Box, {0.66, 0.06, 0.66}, {0, 0.16, 0}, {}, M::LightGrey},
    {S::Cone, {0.1, 0.005, 0}, {-0.34, 0.133, -0.34}, {}, M::Gold},
};

// Temperature probes: a bead on a wire to a two-pin plug.
constexpr Primitive kProbeOnWire[] = {
    {S::Sphere, {0.18, 0.18, 0.18}, {0, 0.09, 0}, {}, M::Orange},
    {S::Cylinder, {0.05, 0.7, 0.05}, {0, 0.05, 0.43}, {90, 0, 0}, M::Red},
    {S::Box, {0.26, 0.16, 0.2}, {0, 0.08, 0.86}, {}, M::White},
};

constexpr Primitive kBoardSensor[] = {
    {S::Box, {0.3, 0.04, 0.3}, {0, 0.02, 0}, {}, M::Black},
    {S::Cylinder, {0.16, 0.2, 0.16}, {0, 0.14, 0}, {}, M::Yellow},
};

constexpr Primitive kInfraredModule[] = {
    {S::Box, {0.5, 0.24, 0.2}, {0, 0.12, 0}, {}, M::Black},
    {S::Box, {0.32, 0.14, 0.02}, {0, 0.13, -0.105}, {}, M::CardRed},
    {S::Box, {0.5, 0.05, 0.2}, {0, 0.025, 0.25}, {}, M::Black},
};

constexpr Primitive kLaptopBatteryPack[] = {
    {S::Box, {1.4, 0.3, 0.6}, {0, 0.15, 0}, {}, M::Charcoal},
    {S::Box, {0.8, 0.006, 0.36}, {-0.1, 0.303, 0}, {}, M::White},
};
constexpr Primitive kLaptopBatteryEnd[] = {
    {S::Box, {0.04, 0.26, 0.56}, {0.72, 0.15, 0}, {}, M::Blue},
    {S::Box, {0.02, 0.06, 0.06}, {0.75, 0.15, -0.15}, {}, M::Gold, 3, {0, 0, 0.15}},
};

constexpr Primitive kPcmciaCage[] = {
    {S::Box, {1.2, 0.14, 1.4}, {0, 0.07, 0}, {}, M::Silver},
    {S::Box, {1.0, 0.05, 0.02}, {0, 0.08, -0.705}, {}, M::Black},
};
constexpr Primitive kPcmciaEject[] = {
    {S::Box, {0.1, 0.08, 0.3}, {0.54, 0.06, -0.8}, {}, M::Black},
    {S::Box, {0.9, 0.03, 0.12}, {-0.05, 0.08, -0.74}, {}, M::DarkGrey},
};

constexpr PieceRow kPieces[] = {
    // The board and what is always on it.
    {"vm1.x", "Frame0Cube", B, kCircuitBoard, {}, {}},
    {"vm2.x", "Frame2Cube_40", B, kBackPanelPlate, {}, {}},
    {"vm3.x", "Frame3Cube_41", B, kMemorySlots, {}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(1), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(2), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(3), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(4), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(5), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(6), 0, kPciSlotZ}, {}},
    {"vm4.x", "Frame7Cube_3", B, kSlotOutline, {pciLaneX(7), 0, kPciSlotZ}, {}},
    {"vm5.x", "Frame9Cylinder_2", B, kCoinBattery, {kStripX, 0, 3.0}, {}},
    {"vm7.x", "Frame15Cube_1", B, kBiosChip, {kStripX, 0, 1.45}, {}},
    {"vm8.x", "Frame152Cylinder_2", B, kCrystal, {kStripX, 0, 1.98}, {}},
    {"vm9.x", "Frame73Cylinder_4", B, kSpeaker, {kStripX, 0, 2.45}, {}},
    {"vm10.x", "Frame158Cube_1", B, kFlatChip, {kStripX, 0, 0.78}, {}},
    {"vm11.x", "Frame95Cube_3", B, kAgpSlot, {kAgpLaneX, 0, kPciSlotZ}, {}},
    {"vm12.x", "Frame91Cube_32", B, kSmallChip, {kStripX, 0, -1.25}, {}},
    {"vm12.x", "Frame91Cube_32", B, kAudioHeader, {kStripX - 0.02f, 0, -1.75}, {0, 90, 0}},
    {"vm13.x", "Cube_1-5", B, kUsbHeader, {-1.65, 0, 3.15}, {0, 90, 0}},
    {"vm13.x", "Frame5Cube_1", B, kUsbHeader, {-1.05, 0, 3.15}, {0, 90, 0}},
    {"vm14.x", "Frame1Cube", B, kSmallChip, {kStripX, 0, -2.2}, {}},
    {"vm14.x", "Frame5Cube_8", B, kPrinterHeader, {3.1, 0, -2.3}, {0, 90, 0}},
    {"vm15.x", "Frame20Cylinder_5", B, kCapacitors, {kCpuCentre.x - 0.5f, 0, kCpuCentre.z - 0.78f}, {}},
    {"vm15.x", "Frame21Cube_5", B, kVoltageRegulator, {kCpuCentre.x - 0.4f, 0, kCpuCentre.z - 1.2f}, {}},
    {"vm_nbc1.x", "Frame2Cube_24", B, kBridgePad, {kStripX, 0, -0.55}, {}},
    {"vm_nbc2.x", "Frame4Cube_22", B, kChipsetHeatsink, {kCpuCentre.x, 0, -1.45}, {}},
    {"vm_sb.x", "Frame3Cube_22", B, kSouthBridge, {kCpuCentre.x, 0, -1.45}, {}},
    {"vm22.x", "Frame10Cube_20", B, kCpuSocket, kCpuCentre, {}},
    {"vm25.x", "Frame6Cube_60", B, kPowerConnector, {4.75, 0, 1.4}, {}},
    {"vm25.x", "Cube_10-18", B, kSmallChip, {2.55, 0, -0.62}, {}},

    // Parts that lie on the board when present.
    {"vm_nb.x", "Frame2Cube_22", B, kNorthBridge, {kStripX, 0, -0.55}, {}},
    {"vm23.x", "Frame11Cube_20", B, kIntelCpu, kCpuCentre, {}},
    {"vm24.x", "Frame1Cube_22", B, kAmdCpu, kCpuCentre, {}},
    {"vm960.x", "Frame25Cube_11", B, kProbeOnWire, {-3.05, 0, 3.3}, {0, 90, 0}},
    {"vm961.x", "Frame11Cube_11", B, kBoardSensor, {kStripX, 0, 0.15}, {}},
    {"vm962.x", "Frame25Cube_1t1", B, kProbeOnWire, {2.2, 0, 0.75}, {}},
    {"vm964.x", "Frame35Cube_1", B, kInfraredModule, {-0.5, 0, 2.95}, {}},
    {"vm969.x", "Cube-5", B, kLaptopBatteryPack, {3.75, 0, 1.3}, {}},
    {"vm969.x", "Cube_57-3", B, kLaptopBatteryEnd, {3.75, 0, 1.3}, {}},
    {"vm971.x", "Cube-56", B, kPcmciaCage, {2.95, 0, 2.65}, {}},
    {"vm971.x", "Cube_60-4", B, kPcmciaEject, {2.95, 0, 2.65}, {}},
};

} // namespace

std::span<const PieceRow> boardPieces() { return kPieces; }

} // namespace bw::modelgen
