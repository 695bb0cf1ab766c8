// The back panel: sockets stacked in columns along the board's near edge, facing the camera,
// and the plugs that go into the USB sockets.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

// Column centres, left to right.
constexpr float kSerialColumn1 = -1.125f;  // serial 1, 2 and the VGA socket above them
constexpr float kSerialColumn2 = -0.325f;  // serial 3, 4 and HDMI
constexpr float kParallelColumn1 = 0.625f; // parallel 1, 2 and FireWire 1, 2
constexpr float kParallelColumn2 = 1.725f; // parallel 3, 4 and FireWire 3, 4
constexpr float usbColumnX(int column) { return 2.525f + 0.45f * (column - 1); } // two USB and an Ethernet
constexpr float kAudioColumn = 4.325f;
constexpr float kLockColumn = 4.775f;

constexpr Vector3 socketAt(float x, int tier) { return {x, backTierY(tier), kSocketFrontZ}; }
// USB socket n sits in column (n + 1) / 2, odd numbers below even ones.
constexpr Vector3 usbAt(int n) { return socketAt(usbColumnX((n + 1) / 2), n % 2 == 1 ? 1 : 2); }

constexpr Primitive kPs2Housing[] = {
    {S::Box, {0.42, 0.62, 0.55}, {0, 0.33, 0.285}, {}, M::Black},
};
constexpr std::array<Primitive, 2> ps2Socket(Material ring) {
    return {{
        {S::Tube, {0.3, 0.04, 0.12}, {0, 0, -0.01}, {90, 0, 0}, ring},
        {S::Cylinder, {0.12, 0.02, 0.12}, {0, 0, 0.0}, {90, 0, 0}, M::Black},
    }};
}
constexpr auto kPs2KeyboardSocket = ps2Socket(M::Purple);
constexpr auto kPs2MouseSocket = ps2Socket(M::LimeGreen);

constexpr auto kMicrophoneJack = audioJack(M::Pink);
constexpr auto kHeadphoneJack = audioJack(M::LimeGreen);

constexpr Primitive kFireWireLed[] = {
    {S::Box, {0.06, 0.04, 0.03}, {0, 0.02, -0.005}, {}, M::LedBlue},
};

constexpr Primitive kLockCylinder[] = {
    {S::Box, {0.42, 0.56, 0.4}, {0, 0.28, 0.2}, {}, M::DarkGrey},
    {S::Cone, {0.34, 0.12, 0.28}, {0, 0.3, -0.06}, {-90, 0, 0}, M::Silver},
    {S::Box, {0.04, 0.14, 0.02}, {0, 0.3, -0.125}, {}, M::Black},
};
constexpr Primitive kLockCover[] = {
    {S::Sphere, {0.44, 0.5, 0.3}, {0, 0.3, -0.05}, {}, M::ClearPlastic},
};

constexpr Primitive kAntenna[] = {
    {S::Box, {0.3, 0.2, 0.3}, {0, 0.1, 0.15}, {}, M::Black},
    {S::Cylinder, {0.14, 0.12, 0.14}, {0, 0.26, 0.15}, {}, M::Charcoal},
    {S::Sphere, {0.1, 0.1, 0.1}, {0, 0.34, 0.15}, {}, M::Silver},
    {S::Cylinder, {0.08, 1.1, 0.08}, {0, 0.9, 0.15}, {}, M::Black},
    {S::Sphere, {0.08, 0.06, 0.08}, {0, 1.45, 0.15}, {}, M::Black},
};

// A USB plug pushed into a socket, its cable leading away towards the camera.
constexpr Primitive kUsbPlug[] = {
    {S::Box, {0.3, 0.14, 0.42}, {0, 0.1, -0.23}, {}, M::Charcoal},
    {S::Box, {0.2, 0.05, 0.012}, {0, 0.1, -0.445}, {}, M::Silver},
    {S::Cone, {0.1, 0.2, 0.06}, {0, 0.1, -0.53}, {-90, 0, 0}, M::Charcoal},
    {S::Cylinder, {0.06, 0.5, 0.06}, {0, 0.1, -0.85}, {-90, 0, 0}, M::Charcoal},
};

constexpr PieceRow kPieces[] = {
    {"vm_ps2.x", "Frame1Cube_2209", B, kPs2Housing, socketAt(kPs2ColumnX, 1), {}},
    {"vm_ps2.x", "Frame16Cylinder", B, kPs2KeyboardSocket, {kPs2ColumnX, kPs2KeyboardY, kSocketFrontZ}, {}},
    {"vm_ps2.x", "Frame31Cylinder", B, kPs2MouseSocket, {kPs2ColumnX, kPs2MouseY, kSocketFrontZ}, {}},

    {"vm_usb1.x", "Frame5Cube_12", B, kUsbSocket, usbAt(1), {}},
    {"vm_usb2.x", "Frame5Cube_13", B, kUsbSocket, usbAt(2), {}},
    {"vm_usb3.x", "Frame5Cube_14", B, kUsbSocket, usbAt(3), {}},
    {"vm_usb4.x", "Frame5Cube_15", B, kUsbSocket, usbAt(4), {}},
    {"vm_usb5.x", "Frame5Cube_16", B, kUsbSocket, usbAt(5), {}},
    {"vm_usb6.x", "Frame5Cube_17", B, kUsbSocket, usbAt(6), {}},
    {"vm_usb7.x", "Frame5Cube_18", B, kUsbSocket, usbAt(7), {}},
    {"vm_usb8.x", "Frame5Cube_19", B, kUsbSocket, usbAt(8), {}},

    {"vm_eth1.x", "Frame5Cube_eth1", B, kEthernetSocket, socketAt(usbColumnX(1), 3), {}},
    {"vm_eth2.x", "Frame5Cube_eth2", B, kEthernetSocket, socketAt(usbColumnX(2), 3), {}},
    {"vm_eth3.x", "Frame5Cube_eth3", B, kEthernetSocket, socketAt(usbColumnX(3), 3), {}},
    {"vm_eth4.x", "Frame5Cube_eth4", B, kEthernetSocket, socketAt(usbColumnX(4), 3), {}},

    {"vm_par1.x", "Frame5Cube_83", B, kParallelSocket, socketAt(kParallelColumn1, 1), {}},
    {"vm_par2.x", "Frame5Cube_89", B, kParallelSocket, socketAt(kParallelColumn1, 2), {}},
    {"vm_par3.x", "Frame5Cube_82", B, kParallelSocket, socketAt(kParallelColumn2, 1), {}},
    {"vm_par4.x", "Frame5Cube_81", B, kParallelSocket, socketAt(kParallelColumn2, 2), {}},

    {"vm_ser1.x", "Frame1Cube_11", B, kSerialSocket, socketAt(kSerialColumn1, 1), {}},
    {"vm_ser2.x", "Frame1Cube_191", B, kSerialSocket, socketAt(kSerialColumn1, 2), {}},
    {"vm_ser3.x", "Frame1Cube_311", B, kSerialSocket, socketAt(kSerialColumn2, 1), {}},
    {"vm_ser4.x", "Frame1Cube_161", B, kSerialSocket, socketAt(kSerialColumn2, 2), {}},

    {"vm19a.x", "Cube_11-8", B, kVgaSocket, socketAt(kSerialColumn1, 3), {}},
    {"hdmi.x", "Cube-17", B, kHdmiSocket, socketAt(kSerialColumn2, 3), {}},

    {"fw1.x", "Cube_1-9", B, kFireWireSocket, socketAt(kParallelColumn1 - 0.22f, 3), {}},
    {"vmfwblb1.x",
     "Cube_1-10",
     B,
     kFireWireLed,
     {kParallelColumn1 - 0.22f, backTierY(3) + 0.2f, kSocketFrontZ},
     {}},
    {"fw2.x", "Cube_5-11", B, kFireWireSocket, socketAt(kParallelColumn1 + 0.22f, 3), {}},
    {"vmfwblb2.x",
     "Cube_5-12",
     B,
     kFireWireLed,
     {kParallelColumn1 + 0.22f, backTierY(3) + 0.2f, kSocketFrontZ},
     {}},
    {"fw3.x", "Cube_6-11", B, kFireWireSocket, socketAt(kParallelColumn2 - 0.22f, 3), {}},
    {"vmfwblb3.x",
     "Cube_6-12",
     B,
     kFireWireLed,
     {kParallelColumn2 - 0.22f, backTierY(3) + 0.2f, kSocketFrontZ},
     {}},
    {"fw4.x", "Cube_7-11", B, kFireWireSocket, socketAt(kParallelColumn2 + 0.22f, 3), {}},
    {"vmfwblb4.x",
     "Cube_7-12",
     B,
     kFireWireLed,
     {kParallelColumn2 + 0.22f, backTierY(3) + 0.2f, kSocketFrontZ},
     {}},

    {"vm311.x", "Cylinder_3-9", B, kMicrophoneJack, socketAt(kAudioColumn, 1), {}},
    {"vm310.x", "Cylinder_3-2", B, kHeadphoneJack, socketAt(kAudioColumn, 2), {}},
    {"vm122.x", "Cylinder_18-9", B, kAntenna, socketAt(kAudioColumn, 3), {}},
    {"vm970.x", "Cut_cone_1-1", B, kLockCylinder, socketAt(kLockColumn, 1), {}},
    {"vm970.x", "Cut_cone_1-2", B, kLockCover, socketAt(kLockColumn, 1), {}},

    {"vm750.x", "Cube_19-1a", B, kUsbPlug, usbAt(1), {}},
    {"vm751.x", "Cube_19-1b", B, kUsbPlug, usbAt(2), {}},
    {"vm752.x", "Cube_19-1c", B, kUsbPlug, usbAt(3), {}},
    {"vm753.x", "Cube_19-1d", B, kUsbPlug, usbAt(4), {}},
    {"vm754.x", "Cube_19-1e", B, kUsbPlug, usbAt(5), {}},
    {"vm755.x", "Cube_19-1f", B, kUsbPlug, usbAt(6), {}},
    {"vm756.x", "Cube_19-1g", B, kUsbPlug, usbAt(7), {}},
    {"vm757.x", "Cube_19-1h", B, kUsbPlug, usbAt(8), {}},
};

} // namespace

std::span<const PieceRow> backPanelPieces() { return kPieces; }

} // namespace bw::modelgen
