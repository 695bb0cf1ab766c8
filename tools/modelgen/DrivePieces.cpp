// Hard disks and optical drives, upright in the room. The three hard disks stand side by
// side above the board, top covers to the camera; the optical drives are stacked to its
// left, bezels to the camera. Each drive's own files hold its body, so that a click on it
// names that drive; the files all drives share hold the details.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space R = Space::Room;

// --- Hard disks: 2.26 wide, 3.26 high, 0.56 thick; the cover at -z, connectors at the bottom.

constexpr Vector3 kHardDisk1{-0.8f, 4.6f, 4.5f};
constexpr Vector3 kHardDisk2{kHardDisk1.x + 2.9f, kHardDisk1.y, kHardDisk1.z};
constexpr Vector3 kHardDisk3{kHardDisk1.x + 5.9f, kHardDisk1.y, kHardDisk1.z};

constexpr Primitive kDiskCase[] = {
    {S::Box, {2.26, 3.26, 0.52}, {0, 0, 0.02}, {}, M::DarkGrey},
    {S::Box, {2.2, 3.2, 0.04}, {0, 0, -0.26}, {}, M::Silver},
};
constexpr std::array<Primitive, 2> diskLabel(Material stripe) {
    return {{
        {S::Panel, {1.2, 0.9, 0}, {-0.38, -1.0, -0.285}, {}, M::White},
        {S::Panel, {1.2, 0.16, 0}, {-0.38, -0.66, -0.29}, {}, stripe},
    }};
}
constexpr auto kDiskLabel1 = diskLabel(M::Blue);
constexpr auto kDiskLabel2 = diskLabel(M::Red);
constexpr auto kDiskLabel3 = diskLabel(M::LimeGreen);
constexpr Primitive kPlatterCover[] = {
    {S::Cylinder, {1.9, 0.03, 1.9}, {0, 0.45, -0.29}, {90, 0, 0}, M::LightGrey},
};
constexpr Primitive kSpindle[] = {
    {S::Cylinder, {0.36, 0.03, 0.36}, {0, 0.45, -0.31}, {90, 0, 0}, M::Silver},
    {S::Cylinder, {0.08, 0.02, 0.08}, {0, 0.45, -0.33}, {90, 0, 0}, M::DarkGrey},
};
constexpr Primitive kActuatorCover[] = {
    {S::Box, {0.5, 0.75, 0.03}, {0.72, -0.95, -0.29}, {}, M::LightGrey},
};
constexpr Primitive kCoverScrews[] = {
    {S::Cylinder, {0.09, 0.02, 0.09}, {-0.98, -1.48, -0.29}, {90, 0, 0}, M::DarkGrey, 2, {1.96, 0, 0}},
    {S::Cylinder, {0.09, 0.02, 0.09}, {-0.98, 1.48, -0.29}, {90, 0, 0}, M::DarkGrey, 2, {1.96, 0, 0}},
};
constexpr Primitive kDiskDataConnector[] = {
    {S::Box, {0.4, 0.1, 0.22}, {0.45, -1.68, 0.1}, {}, M::Black},
};
constexpr Primitive kDiskPowerConnector[] = {
    {S::Box, {0.7, 0.1, 0.22}, {-0.3, -1.68, 0.1}, {}, M::Black},
};
constexpr Primitive kDiskJumper[] = {
    {S::Box, {0.2, 0.08, 0.16}, {0.85, -1.67, 0.1}, {}, M::Black},
    {S::Box, {0.06, 0.1, 0.06}, {0.85, -1.7, 0.1}, {}, M::White},
};
constexpr Primitive kDiskCircuitBoard[] = {
    {S::Box, {2.1, 2.4, 0.03}, {0, -0.3, 0.295}, {}, M::CardGreen},
};
constexpr Primitive kDiskMountingHoles[] = {
    {S::Cylinder, {0.1, 0.02, 0.1}, {-1.13, -1.2, 0.02}, {0, 0, 90}, M::Black, 3, {0, 1.2, 0}},
    {S::Cylinder, {0.1, 0.02, 0.1}, {1.13, -1.2, 0.02}, {0, 0, 90}, M::Black, 3, {0, 1.2, 0}},
};
constexpr Primitive kBreatherLabel[] = {
    {S::Panel, {0.26, 0.26, 0}, {-0.85, 1.35, -0.285}, {}, M::Yellow},
};

// --- Optical drives: 3.2 wide, 0.85 high, 4.2 deep; the bezel at -z.

constexpr Vector3 kOpticalDrive1{-7.0f, -2.1f, -1.0f};
constexpr Vector3 kOpticalDrive2{kOpticalDrive1.x, kOpticalDrive1.y + 0.9f, kOpticalDrive1.z};
constexpr Vector3 kOpticalDrive3{kOpticalDrive1.x, kOpticalDrive1.y + 1.9f, kOpticalDrive1.z};
constexpr float kBezelFront = -2.1f;
constexpr float kControlsY = -0.24f;

constexpr Primitive kDriveBody[] = {
    {S::Box, {3.2, 0.84, 4.0}, {0, 0, 0.1}, {}, M::Grey},
    {S::Box, {3.24, 0.86, 0.1}, {0, 0, kBezelFront + 0.05f}, {}, M::Charcoal},
};
constexpr std::array<Primitive, 1> driveBadge(Material colour) {
    return {{{S::Box, {0.56, 0.1, 0.01}, {-0.2, kControlsY, kBezelFront - 0.005f}, {}, colour}}};
}
constexpr auto kDriveBadge1 = driveBadge(M::Silver);
constexpr auto kDriveBadge2 = driveBadge(M::Gold);
constexpr auto kDriveBadge3 = driveBadge(M::LightGrey);

constexpr Primitive kTray[] = {
    {S::Box, {2.7, 0.24, 0.03}, {0, 0.14, kBezelFront - 0.015f}, {}, M::Black},
};
constexpr Primitive kTraySlot[] = {
    {S::Box, {2.76, 0.02, 0.012}, {0, 0.27, kBezelFront - 0.006f}, {}, M::DarkGrey},
};
constexpr Primitive kEjectButton[] = {
    {S::Box, {0.32, 0.1, 0.05}, {1.2, kControlsY, kBezelFront - 0.025f}, {}, M::DarkGrey},
};
constexpr Primitive kDriveLed[] = {
    {S::Box, {0.08, 0.05, 0.02}, {0.86, kControlsY, kBezelFront - 0.01f}, {}, M::LedAmber},
};
constexpr Primitive kDriveHeadphoneJack[] = {
    {S::Tube, {0.12, 0.02, 0.05}, {-1.38, kControlsY, kBezelFront - 0.01f}, {90, 0, 0}, M::Silver},
};
constexpr Primitive kVolumeWheel[] = {
    {S::Cylinder, {0.13, 0.04, 0.13}, {-1.1, kControlsY, kBezelFront - 0.02f}, {90, 0, 0}, M::DarkGrey},
};
constexpr Primitive kEmergencyEject[] = {
    {S::Cylinder, {0.04, 0.01, 0.04}, {0.56, kControlsY, kBezelFront - 0.005f}, {90, 0, 0}, M::Black},
};
constexpr Primitive kTrayBadge[] = {
    {S::Box, {0.42, 0.08, 0.006}, {0, 0.14, kBezelFront - 0.033f}, {}, M::Silver},
};
constexpr Primitive kTopRibs[] = {
    {S::Box, {2.9, 0.01, 0.1}, {0, 0.425, -1.2}, {}, M::LightGrey, 3, {0, 0, 1.2}},
};
constexpr Primitive kSideVents[] = {
    {S::Box, {0.01, 0.04, 1.6}, {1.605, -0.15, 0.6}, {}, M::Black, 4, {0, 0.1, 0}},
};
constexpr std::array<Primitive, 1> sideScrew(float x, float z) {
    return {{{S::Cylinder, {0.08, 0.02, 0.08}, {x, -0.2, z}, {0, 0, 90}, M::Silver}}};
}
constexpr auto kScrewLeftFront = sideScrew(-1.61f, -1.2f);
constexpr auto kScrewLeftBack = sideScrew(-1.61f, 1.0f);
constexpr auto kScrewRightFront = sideScrew(1.61f, -1.2f);
constexpr auto kScrewRightBack = sideScrew(1.61f, 1.0f);
constexpr Primitive kDriveDataConnector[] = {
    {S::Box, {1.1, 0.24, 0.1}, {0.6, 0, 2.15}, {}, M::Black},
};
constexpr Primitive kDrivePowerConnector[] = {
    {S::Box, {0.5, 0.2, 0.1}, {-1.0, 0, 2.15}, {}, M::White},
};
constexpr Primitive kDriveAudioConnector[] = {
    {S::Box, {0.24, 0.12, 0.08}, {-0.5, 0, 2.14}, {}, M::Black},
};
constexpr Primitive kDriveJumper[] = {
    {S::Box, {0.2, 0.12, 0.08}, {-0.15, 0, 2.14}, {}, M::Black},
};
constexpr Primitive kTopLabel[] = {
    {S::Box, {1.4, 0.005, 1.0}, {0, 0.4225, 0.8}, {}, M::White},
};
constexpr Primitive kBottomPlate[] = {
    {S::Box, {3.1, 0.02, 3.9}, {0, -0.43, 0.15}, {}, M::DarkGrey},
};
constexpr Primitive kBezelTrim[] = {
    {S::Box, {3.1, 0.015, 0.01}, {0, -0.08, kBezelFront - 0.005f}, {}, M::Silver},
};
constexpr Primitive kTrayGrip[] = {
    {S::Box, {0.3, 0.05, 0.01}, {0, 0.05, kBezelFront - 0.035f}, {}, M::DarkGrey},
};

constexpr PieceRow kPieces[] = {
    {"vm30.x", "Frame30Cube_13h", R, kPlatterCover, kHardDisk1, {}},
    {"vm31.x", "Frame31Cube_13h", R, kSpindle, kHardDisk1, {}},
    {"vm32.x", "Frame32Cube_13h", R, kActuatorCover, kHardDisk1, {}},
    {"vm33.x", "Frame33Cube_13h", R, kCoverScrews, kHardDisk1, {}},
    {"vm34.x", "Frame34Cube_13h", R, kDiskDataConnector, kHardDisk1, {}},
    {"vm35.x", "Frame35Cube_13h", R, kDiskPowerConnector, kHardDisk1, {}},
    {"vm36.x", "Frame36Cube_13h", R, kDiskJumper, kHardDisk1, {}},
    {"vm37.x", "Frame37Cube_13h", R, kDiskCircuitBoard, kHardDisk1, {}},
    {"vm38.x", "Frame38Cube_13h", R, kDiskMountingHoles, kHardDisk1, {}},
    {"vm40.x", "Frame40Cube_13h", R, kBreatherLabel, kHardDisk1, {}},
    {"vm39a.x", "Frame1Cube_1j3", R, kDiskLabel1, kHardDisk1, {}},
    {"vm39b.x", "Frame1Cube_13a1", R, kDiskLabel2, kHardDisk2, {}},
    {"vm39c.x", "Frame1Cube_13a2", R, kDiskLabel3, kHardDisk3, {}},
    {"vm866.x", "Frame0Cube_1j3", R, kDiskCase, kHardDisk1, {}},
    {"vm867.x", "Frame0Cube_13a1", R, kDiskCase, kHardDisk2, {}},
    {"vm868.x", "Frame0Cube_13a2", R, kDiskCase, kHardDisk3, {}},

    {"vid1.x", "Frame1Cube_13v", R, kTray, kOpticalDrive1, {}},
    {"vid2.x", "Frame2Cube_13v", R, kTraySlot, kOpticalDrive1, {}},
    {"vid3.x", "Frame3Cube_13v", R, kEjectButton, kOpticalDrive1, {}},
    {"vid5.x", "Frame5Cube_13v", R, kDriveLed, kOpticalDrive1, {}},
    {"vid6.x", "Frame6Cube_13v", R, kDriveHeadphoneJack, kOpticalDrive1, {}},
    {"vid7.x", "Frame7Cube_13v", R, kVolumeWheel, kOpticalDrive1, {}},
    {"vid8.x", "Frame8Cube_13v", R, kEmergencyEject, kOpticalDrive1, {}},
    {"vid9.x", "Frame9Cube_13v", R, kTrayBadge, kOpticalDrive1, {}},
    {"vid10.x", "Frame10Cube_13v", R, kTopRibs, kOpticalDrive1, {}},
    {"vid11.x", "Frame11Cube_13v", R, kSideVents, kOpticalDrive1, {}},
    {"vid12.x", "Frame12Cube_13v", R, kScrewLeftFront, kOpticalDrive1, {}},
    {"vid13.x", "Frame13Cube_13v", R, kScrewLeftBack, kOpticalDrive1, {}},
    {"vid14.x", "Frame14Cube_13v", R, kScrewRightFront, kOpticalDrive1, {}},
    {"vid15.x", "Frame15Cube_13v", R, kScrewRightBack, kOpticalDrive1, {}},
    {"vid16.x", "Frame16Cube_13v", R, kDriveDataConnector, kOpticalDrive1, {}},
    {"vid17.x", "Frame17Cube_13v", R, kDrivePowerConnector, kOpticalDrive1, {}},
    {"vid18.x", "Frame18Cube_13v", R, kDriveAudioConnector, kOpticalDrive1, {}},
    {"vid19.x", "Frame19Cube_13v", R, kDriveJumper, kOpticalDrive1, {}},
    {"vid20.x", "Frame20Cube_13v", R, kTopLabel, kOpticalDrive1, {}},
    {"vid21.x", "Frame21Cube_13v", R, kBottomPlate, kOpticalDrive1, {}},
    {"vid22.x", "Frame22Cube_13v", R, kBezelTrim, kOpticalDrive1, {}},
    {"vid26a.x", "Frame1Cube_13b1", R, kDriveBadge1, kOpticalDrive1, {}},
    {"vid26b.x", "Frame1Cube_13b2", R, kDriveBadge2, kOpticalDrive2, {}},
    {"vid26c.x", "Frame1Cube_13b3", R, kDriveBadge3, kOpticalDrive3, {}},
    {"vid27.x", "Frame27Cube_13v", R, kTrayGrip, kOpticalDrive1, {}},
    {"vm1043.x", "Frame0Cube_13b1", R, kDriveBody, kOpticalDrive1, {}},
    {"vm1044.x", "Frame0Cube_13b2", R, kDriveBody, kOpticalDrive2, {}},
    {"vm1045.x", "Frame0Cube_13b3", R, kDriveBody, kOpticalDrive3, {}},
};

} // namespace

std::span<const PieceRow> drivePieces() { return kPieces; }

} // namespace bw::modelgen
