// Everything outside the case: keyboards and mice on the floor plate in front, their plugs
// in the back panel, the monitor, the power supply, the UPS, the operating-system disc,
// the floor plate and the axes.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;
constexpr Space R = Space::Room;

constexpr float kFloorY = -6.5f;

// --- Keyboards: three rows of three on the floor.

constexpr std::array<Primitive, 6> keyboard(Material body, Material keys) {
    return {{
        {S::Box, {5.0, 0.2, 1.8}, {0, 0.1, 0}, {}, body},
        {S::Box, {0.27, 0.09, 0.27}, {-2.2, 0.24, -0.45}, {}, keys, 14, {0.32, 0, 0}},
        {S::Box, {0.27, 0.09, 0.27}, {-2.05, 0.24, -0.11}, {}, keys, 13, {0.32, 0, 0}},
        {S::Box, {0.27, 0.09, 0.27}, {-2.2, 0.24, 0.23}, {}, keys, 14, {0.32, 0, 0}},
        {S::Box, {0.27, 0.09, 0.27}, {-2.05, 0.24, 0.57}, {}, keys, 13, {0.32, 0, 0}},
        {S::Box, {1.9, 0.09, 0.27}, {-0.2, 0.24, -0.79}, {}, keys, 1, {}},
    }};
}
constexpr auto kUsbKeyboard = keyboard(M::Charcoal, M::LightGrey);
constexpr auto kPs2Keyboard = keyboard(M::Beige, M::White);
constexpr Primitive kKeyboardLeds[] = {
    {S::Box, {0.05, 0.02, 0.05}, {1.9, 0.21, 0.78}, {}, M::LedGreen, 3, {0.18, 0, 0}},
    {S::Cylinder, {0.07, 0.6, 0.07}, {0, 0.1, 1.2}, {90, 0, 0}, M::Charcoal},
};
constexpr Primitive kPs2KeyboardCable[] = {
    {S::Cylinder, {0.07, 0.6, 0.07}, {0, 0.1, 1.2}, {90, 0, 0}, M::Beige},
};

// Each keyboard has its mouse at its right: the PS/2 pair front left, then USB 1 to 8.
constexpr float setCentreX(int column) { return -6.2f + 6.2f * column; }
constexpr float setZ(int row) { return -1.2f + 3.0f * row; }
constexpr Vector3 keyboardAt(int row, int column) { return {setCentreX(column) - 0.55f, kFloorY, setZ(row)}; }
constexpr Vector3 kTypingTilt{-8, 0, 0}; // back edge raised

// --- Mice, each beside its keyboard.

constexpr std::array<Primitive, 3> mouseBody(Material shell) {
    return {{
        {S::Box, {0.7, 0.06, 1.1}, {0, 0.03, 0}, {}, M::Charcoal},
        {S::Sphere, {0.74, 0.6, 1.2}, {0, 0.06, 0}, {}, shell},
        {S::Box, {0.02, 0.02, 0.4}, {0, 0.355, -0.3}, {}, M::Black},
    }};
}
constexpr auto kUsbMouse = mouseBody(M::LightGrey);
constexpr auto kPs2Mouse = mouseBody(M::Beige);
constexpr Primitive kMouseWheelAndCable[] = {
    {S::Cylinder, {0.14, 0.06, 0.14}, {0, 0.35, -0.3}, {0, 0, 90}, M::Black},
    {S::Cylinder, {0.05, 0.8, 0.05}, {0, 0.06, 0.95}, {90, 0, 0}, M::Charcoal},
};
constexpr Vector3 mouseAt(int row, int column) { return {setCentreX(column) + 2.5f, kFloorY, setZ(row)}; }

// --- PS/2 plugs, pushed into the round sockets of the back panel.

constexpr std::array<Primitive, 3> ps2Plug(Material colour) {
    return {{
        {S::Cylinder, {0.26, 0.36, 0.26}, {0, 0, -0.2}, {90, 0, 0}, colour},
        {S::Cone, {0.12, 0.2, 0.07}, {0, 0, -0.48}, {-90, 0, 0}, colour},
        {S::Cylinder, {0.06, 0.5, 0.06}, {0, 0, -0.82}, {-90, 0, 0}, M::Charcoal},
    }};
}
constexpr auto kPs2KeyboardPlug = ps2Plug(M::Purple);
constexpr auto kPs2MousePlug = ps2Plug(M::LimeGreen);

// --- Monitor, floating at the upper left.

constexpr Vector3 kMonitor{-8.6f, 5.6f, 5.0f};
constexpr Primitive kMonitorHousing[] = {
    {S::Box, {6.0, 4.4, 0.3}, {0, 0, 0.15}, {}, M::Black},
    {S::Box, {4.0, 3.0, 0.6}, {0, 0, 0.5}, {}, M::Charcoal},
    {S::Panel, {5.6, 4.0, 0}, {0, 0.05, -0.006}, {}, M::ScreenBlue},
    {S::Panel, {2.2, 1.4, 0}, {-1.2, 0.5, -0.012}, {}, M::ScreenWindow},
    {S::Panel, {1.8, 1.1, 0}, {1.3, -0.6, -0.012}, {}, M::ScreenWindow},
    {S::Panel, {5.6, 0.3, 0}, {0, -1.8, -0.012}, {}, M::NavyBlue},
    {S::Box, {0.1, 0.06, 0.02}, {2.6, -2.08, -0.01}, {}, M::LedBlue},
};
constexpr Primitive kMonitorGlass[] = {
    {S::Panel, {5.7, 4.1, 0}, {0, 0.05, -0.04}, {}, M::Glass},
};
constexpr Primitive kMonitorStand[] = {
    {S::Box, {0.6, 1.6, 0.3}, {0, -2.7, 0.4}, {}, M::Charcoal},
    {S::Box, {2.6, 0.12, 1.6}, {0, -3.5, 0.3}, {}, M::Black},
};

// --- Power supply, at the upper right: fan grille and mains socket to the camera.

constexpr Vector3 kPowerSupply{9.0f, 5.5f, 2.0f};
constexpr Primitive kPsuCase[] = {
    {S::Box, {3.3, 1.9, 3.1}, {0, 0, 0}, {}, M::Silver},
    {S::Box, {3.32, 0.02, 0.8}, {0, 0.95, -0.8}, {}, M::Grey},
};
constexpr Primitive kPsuGrille[] = {
    {S::Tube, {1.5, 0.04, 1.4}, {-0.6, 0, -1.57}, {90, 0, 0}, M::Grey},
    {S::Box, {1.4, 0.03, 0.03}, {-0.6, -0.42, -1.58}, {}, M::Grey, 5, {0, 0.21, 0}},
};
constexpr Primitive kPsuFanBlades[] = {
    {S::Rotor, {1.3, 0.03, 7}, {-0.6, 0, -1.45}, {90, 0, 0}, M::Black},
};
constexpr Primitive kPsuMainsSocket[] = {
    {S::Box, {0.6, 0.45, 0.06}, {0.95, 0.35, -1.58}, {}, M::Black},
    {S::Box, {0.05, 0.12, 0.03}, {0.8, 0.38, -1.62}, {}, M::Silver, 3, {0.15, 0, 0}},
};
constexpr Primitive kPsuSwitchAndCables[] = {
    {S::Box, {0.3, 0.22, 0.08}, {0.95, -0.35, -1.59}, {}, M::Red},
    {S::Cylinder, {0.5, 0.8, 0.5}, {0, -0.3, 1.9}, {90, 0, 0}, M::Black},
    {S::Box, {0.6, 0.3, 0.5}, {0, -0.3, 2.5}, {}, M::White},
};

// --- UPS, at the right: a tower with its display and switch to the camera.

constexpr Vector3 kUps{8.2f, -1.2f, -1.0f};
constexpr Primitive kUpsBody[] = {
    {S::Box, {1.7, 2.6, 3.4}, {0, 0, 0}, {}, M::Charcoal},
    {S::Box, {1.72, 0.05, 3.2}, {0, 0.6, 0}, {}, M::DarkGrey},
};
constexpr Primitive kUpsFront[] = {
    {S::Box, {1.6, 2.5, 0.06}, {0, 0, -1.73}, {}, M::Black},
    {S::Cylinder, {0.3, 0.05, 0.3}, {0, 0.7, -1.78}, {90, 0, 0}, M::LedGreen},
    {S::Box, {0.8, 0.35, 0.02}, {0, 0.1, -1.77}, {}, M::ScreenBlue},
    {S::Box, {0.08, 0.05, 0.02}, {-0.3, -0.3, -1.77}, {}, M::LedAmber, 3, {0.3, 0, 0}},
    {S::Box, {1.2, 0.03, 0.02}, {0, -0.8, -1.77}, {}, M::DarkGrey, 4, {0, -0.1, 0}},
};

// --- Operating system: a disc case standing with its disc beside it.

constexpr Vector3 kSystemDisc{8.6f, 2.7f, 2.0f};
constexpr Primitive kDiscCase[] = {
    {S::Box, {1.6, 2.1, 0.2}, {0, 0, 0}, {}, M::Blue},
    {S::Panel, {1.3, 0.5, 0}, {0, 0.55, -0.101}, {}, M::White},
    {S::Panel, {0.5, 0.5, 0}, {-0.25, -0.35, -0.101}, {}, M::Orange},
    {S::Panel, {0.5, 0.5, 0}, {0.3, -0.35, -0.101}, {}, M::LimeGreen},
    {S::Cylinder, {1.4, 0.02, 1.4}, {-0.4, -0.3, -0.2}, {90, 0, 0}, M::Silver},
    {S::Cylinder, {0.3, 0.022, 0.3}, {-0.4, -0.3, -0.2}, {90, 0, 0}, M::ClearPlastic},
};

// --- Floor plate and axes.

constexpr Primitive kFloorPlate[] = {
    {S::Box, {24, 0.2, 17}, {0, kFloorY - 0.1f, 3.5}, {}, M::Floor},
};
constexpr float kAxisLength = 1.5f;
constexpr std::array<Primitive, 2> axisArrow(Material colour) {
    return {{
        {S::Cylinder, {0.06, kAxisLength - 0.25f, 0.06}, {0, (kAxisLength - 0.25f) / 2, 0}, {}, colour},
        {S::Cone, {0.18, 0.25, 0}, {0, kAxisLength - 0.125f, 0}, {}, colour},
    }};
}
constexpr auto kAxisX = axisArrow(M::AxisRed);
constexpr auto kAxisY = axisArrow(M::AxisGreen);
constexpr auto kAxisZ = axisArrow(M::AxisBlue);
constexpr Primitive kAxesOrigin[] = {
    {S::Sphere, {0.14, 0.14, 0.14}, {}, {}, M::LightGrey},
};
constexpr Vector3 kAxes{7, 0, 6};

constexpr PieceRow kPieces[] = {
    {"vmpskey.x", "Cube-12", R, kPs2Keyboard, keyboardAt(0, 0), kTypingTilt},
    {"vmpskey.x", "Cube-12", R, kPs2KeyboardCable, keyboardAt(0, 0), kTypingTilt},
    {"vmpskey.x", "Cube-13", B, kPs2KeyboardPlug, {kPs2ColumnX, kPs2KeyboardY, kSocketFrontZ}, {}},
    {"vm790.x", "Cube-2k0", R, kUsbKeyboard, keyboardAt(0, 1), kTypingTilt},
    {"vm790.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(0, 1), kTypingTilt},
    {"vm791.x", "Cube-2k1", R, kUsbKeyboard, keyboardAt(0, 2), kTypingTilt},
    {"vm791.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(0, 2), kTypingTilt},
    {"vm792.x", "Cube-2k2", R, kUsbKeyboard, keyboardAt(1, 0), kTypingTilt},
    {"vm792.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(1, 0), kTypingTilt},
    {"vm793.x", "Cube-2k3", R, kUsbKeyboard, keyboardAt(1, 1), kTypingTilt},
    {"vm793.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(1, 1), kTypingTilt},
    {"vm794.x", "Cube-2k4", R, kUsbKeyboard, keyboardAt(1, 2), kTypingTilt},
    {"vm794.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(1, 2), kTypingTilt},
    {"vm795.x", "Cube-2k5", R, kUsbKeyboard, keyboardAt(2, 0), kTypingTilt},
    {"vm795.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(2, 0), kTypingTilt},
    {"vm796.x", "Cube-2k6", R, kUsbKeyboard, keyboardAt(2, 1), kTypingTilt},
    {"vm796.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(2, 1), kTypingTilt},
    {"vm797.x", "Cube-2k7", R, kUsbKeyboard, keyboardAt(2, 2), kTypingTilt},
    {"vm797.x", "Cube_17-8", R, kKeyboardLeds, keyboardAt(2, 2), kTypingTilt},

    {"vmpsmouse.x", "Cube_17-18", R, kPs2Mouse, mouseAt(0, 0), {}},
    {"vmpsmouse.x", "Cube_17-18", R, kMouseWheelAndCable, mouseAt(0, 0), {}},
    {"vmpsmouse.x", "Cube_17-19", B, kPs2MousePlug, {kPs2ColumnX, kPs2MouseY, kSocketFrontZ}, {}},
    {"vm780.x", "Cube_18-1a", R, kUsbMouse, mouseAt(0, 1), {}},
    {"vm780.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(0, 1), {}},
    {"vm781.x", "Cube_18-1b", R, kUsbMouse, mouseAt(0, 2), {}},
    {"vm781.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(0, 2), {}},
    {"vm782.x", "Cube_18-1c", R, kUsbMouse, mouseAt(1, 0), {}},
    {"vm782.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(1, 0), {}},
    {"vm783.x", "Cube_18-1d", R, kUsbMouse, mouseAt(1, 1), {}},
    {"vm783.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(1, 1), {}},
    {"vm784.x", "Cube_18-1e", R, kUsbMouse, mouseAt(1, 2), {}},
    {"vm784.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(1, 2), {}},
    {"vm785.x", "Cube_18-1f", R, kUsbMouse, mouseAt(2, 0), {}},
    {"vm785.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(2, 0), {}},
    {"vm786.x", "Cube_18-1g", R, kUsbMouse, mouseAt(2, 1), {}},
    {"vm786.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(2, 1), {}},
    {"vm787.x", "Cube_18-1h", R, kUsbMouse, mouseAt(2, 2), {}},
    {"vm787.x", "Cube-2", R, kMouseWheelAndCable, mouseAt(2, 2), {}},

    {"mn1.x", "Frame7Cube_80", R, kMonitorHousing, kMonitor, {}},
    {"mn1.x", "Frame7Cube_81", R, kMonitorGlass, kMonitor, {}},
    {"mn1.x", "Frame8Cube_80", R, kMonitorStand, kMonitor, {}},

    {"psu1.x", "Frame5Cubepo", R, kPsuCase, kPowerSupply, {}},
    {"psu1.x", "Frame3Cubepo_3", R, kPsuGrille, kPowerSupply, {}},
    {"psu1.x", "Frame7Cubepo_1", R, kPsuFanBlades, kPowerSupply, {}},
    {"psu2.x", "Frame8Cubepo_2", R, kPsuMainsSocket, kPowerSupply, {}},
    {"psu2.x", "Frame1Cubepo_4", R, kPsuSwitchAndCables, kPowerSupply, {}},

    {"vm963.x", "Cube-7", R, kUpsBody, kUps, {}},
    {"vm963.x", "Cube-8", R, kUpsFront, kUps, {}},
    {"vm121.x", "Cube_26-1", R, kDiscCase, kSystemDisc, {}},

    {"base1.x", "Cube_0-1", R, kFloorPlate, {}, {}},
    {"cad_xyz.x", "Cylinder-x", R, kAxisX, kAxes, {0, 0, -90}},
    {"cad_xyz.x", "Cylinder-x", R, kAxesOrigin, kAxes, {}},
    {"cad_xyz.x", "Cylinder-y", R, kAxisY, kAxes, {}},
    {"cad_xyz.x", "Cylinder-z", R, kAxisZ, kAxes, {90, 0, 0}},
};

} // namespace

std::span<const PieceRow> deskPieces() { return kPieces; }

} // namespace bw::modelgen
