// Front-panel devices, laid out on the board's far-left corner: a row each of Compact
// Flash, SD/MMC, SmartMedia/xD and Memory Stick readers, front USB sockets and front audio.

#include "tools/modelgen/Components.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelPieces.h"

namespace bw::modelgen {
namespace {

using namespace components;
constexpr Space B = Space::Board;

constexpr int kCompactFlashRow = 1;
constexpr int kSdRow = 2;
constexpr int kSmartMediaRow = 3;
constexpr int kMemoryStickRow = 4;
constexpr int kUsbRow = 5;
constexpr int kAudioRow = 6;

constexpr auto kCompactFlashReader = cardReader(M::Teal);
constexpr auto kSdReader = cardReader(M::Blue);
constexpr auto kSmartMediaReader = cardReader(M::Orange);
constexpr auto kMemoryStickReader = cardReader(M::Purple);
constexpr auto kMicrophoneJack = audioJack(M::Pink);
constexpr auto kHeadphoneJack = audioJack(M::LimeGreen);

// The header plug that links a row's first device to the board.
constexpr Primitive kHeaderPlug[] = {
    {S::Box, {0.1, 0.12, 0.3}, {0, 0.06, 0}, {}, M::White},
    {S::Box, {0.06, 0.02, 0.26}, {0, 0.13, 0}, {}, M::Red},
};

// Devices lie with their front at the near side of their grid cell.
constexpr Vector3 deviceAt(int row, int column) { return {frontColumnX(column), 0, frontRowZ(row) - 0.21f}; }
constexpr Vector3 ledAt(int row, int column) {
    return {frontColumnX(column) - 0.08f, 0.14f, frontRowZ(row) - 0.14f};
}
constexpr Vector3 headerAt(int row) { return {-4.94f, 0, frontRowZ(row)}; }

constexpr PieceRow kPieces[] = {
    {"vm630.x",
     "Frame5Cube_1210",
     B,
     kHeaderPlug,
     {frontColumnX(1), 0, frontRowZ(kUsbRow) + 0.36f},
     {0, 90, 0}},
    {"vm800.x", "Frame5Cube_1211", B, kUsbSocket, deviceAt(kUsbRow, 1), {}},
    {"vm801.x", "Frame5Cube_1212", B, kUsbSocket, deviceAt(kUsbRow, 2), {}},
    {"vm802.x", "Frame5Cube_1214", B, kUsbSocket, deviceAt(kUsbRow, 3), {}},
    {"vm803.x", "Frame5Cube_1215", B, kUsbSocket, deviceAt(kUsbRow, 4), {}},
    {"vm804.x", "Frame5Cube_1216", B, kUsbSocket, deviceAt(kUsbRow, 5), {}},
    {"vm805.x", "Frame5Cube_1218", B, kUsbSocket, deviceAt(kUsbRow, 6), {}},
    {"vm806.x", "Frame5Cube_1219", B, kUsbSocket, deviceAt(kUsbRow, 7), {}},
    {"vm807.x", "Frame5Cube_1221", B, kUsbSocket, deviceAt(kUsbRow, 8), {}},

    {"vm818.x", "Frame2Cube1_1", B, kHeaderPlug, headerAt(kCompactFlashRow), {}},
    {"vm810.x", "Frame0Cube1_1", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 1), {}},
    {"vm811.x", "Frame0Cube1_2", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 2), {}},
    {"vm812.x", "Frame0Cube1_3", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 3), {}},
    {"vm813.x", "Frame0Cube1_4", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 4), {}},
    {"vm814.x", "Frame0Cube1", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 5), {}},
    {"vm815.x", "Frame0Cube1_6", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 6), {}},
    {"vm816.x", "Frame0Cube1_7", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 7), {}},
    {"vm817.x", "Frame0Cube1_5", B, kCompactFlashReader, deviceAt(kCompactFlashRow, 8), {}},
    {"vmblb1.x", "Frame1Cube1_1", B, kReaderLed, ledAt(kCompactFlashRow, 1), {}},
    {"vmblb2.x", "Frame1Cube1_2", B, kReaderLed, ledAt(kCompactFlashRow, 2), {}},
    {"vmblb3.x", "Frame1Cube1_3", B, kReaderLed, ledAt(kCompactFlashRow, 3), {}},
    {"vmblb4.x", "Frame1Cube1_4", B, kReaderLed, ledAt(kCompactFlashRow, 4), {}},
    {"vmblb5.x", "Frame1Cube1_5", B, kReaderLed, ledAt(kCompactFlashRow, 5), {}},
    {"vmblb6.x", "Frame1Cube1_6", B, kReaderLed, ledAt(kCompactFlashRow, 6), {}},
    {"vmblb7.x", "Frame1Cube1_7", B, kReaderLed, ledAt(kCompactFlashRow, 7), {}},
    {"vmblb8.x", "Frame1Cube1_8", B, kReaderLed, ledAt(kCompactFlashRow, 8), {}},

    {"vm828.x", "Frame2Cube1_8", B, kHeaderPlug, headerAt(kSdRow), {}},
    {"vm820.x", "Frame0Cube1_8", B, kSdReader, deviceAt(kSdRow, 1), {}},
    {"vm821.x", "Frame0Cube1_9", B, kSdReader, deviceAt(kSdRow, 2), {}},
    {"vm822.x", "Frame0Cube1_10", B, kSdReader, deviceAt(kSdRow, 3), {}},
    {"vm823.x", "Frame0Cube1_11", B, kSdReader, deviceAt(kSdRow, 4), {}},
    {"vm824.x", "Frame0Cube1_12", B, kSdReader, deviceAt(kSdRow, 5), {}},
    {"vm825.x", "Frame0Cube1_13", B, kSdReader, deviceAt(kSdRow, 6), {}},
    {"vm826.x", "Frame0Cube1_14", B, kSdReader, deviceAt(kSdRow, 7), {}},
    {"vm827.x", "Frame0Cube1_16", B, kSdReader, deviceAt(kSdRow, 8), {}},
    {"vmblb9.x", "Frame1Cube1_9", B, kReaderLed, ledAt(kSdRow, 1), {}},
    {"vmblb10.x", "Frame1Cube1_10", B, kReaderLed, ledAt(kSdRow, 2), {}},
    {"vmblb11.x", "Frame1Cube1_11", B, kReaderLed, ledAt(kSdRow, 3), {}},
    {"vmblb12.x", "Frame1Cube1_12", B, kReaderLed, ledAt(kSdRow, 4), {}},
    {"vmblb13.x", "Frame1Cube1_13", B, kReaderLed, ledAt(kSdRow, 5), {}},
    {"vmblb14.x", "Frame1Cube1_14", B, kReaderLed, ledAt(kSdRow, 6), {}},
    {"vmblb15.x", "Frame1Cube1_15", B, kReaderLed, ledAt(kSdRow, 7), {}},
    {"vmblb16.x", "Frame1Cube1_16", B, kReaderLed, ledAt(kSdRow, 8), {}},

    {"vm838.x", "Frame2Cube1_17", B, kHeaderPlug, headerAt(kSmartMediaRow), {}},
    {"vm830.x", "Frame0Cube1_17", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 1), {}},
    {"vm831.x", "Frame0Cube1_18", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 2), {}},
    {"vm832.x", "Frame0Cube1_19", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 3), {}},
    {"vm833.x", "Frame0Cube1_20", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 4), {}},
    {"vm834.x", "Frame0Cube1_21", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 5), {}},
    {"vm835.x", "Frame0Cube1_22", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 6), {}},
    {"vm836.x", "Frame0Cube1_23", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 7), {}},
    {"vm837.x", "Frame0Cube1_24", B, kSmartMediaReader, deviceAt(kSmartMediaRow, 8), {}},
    {"vmblb17.x", "Frame1Cube1_17", B, kReaderLed, ledAt(kSmartMediaRow, 1), {}},
    {"vmblb18.x", "Frame1Cube1_18", B, kReaderLed, ledAt(kSmartMediaRow, 2), {}},
    {"vmblb19.x", "Frame1Cube1_19", B, kReaderLed, ledAt(kSmartMediaRow, 3), {}},
    {"vmblb20.x", "Frame1Cube1_20", B, kReaderLed, ledAt(kSmartMediaRow, 4), {}},
    {"vmblb21.x", "Frame1Cube1_21", B, kReaderLed, ledAt(kSmartMediaRow, 5), {}},
    {"vmblb22.x", "Frame1Cube1_22", B, kReaderLed, ledAt(kSmartMediaRow, 6), {}},
    {"vmblb23.x", "Frame1Cube1_23", B, kReaderLed, ledAt(kSmartMediaRow, 7), {}},
    {"vmblb24.x", "Frame1Cube1_24", B, kReaderLed, ledAt(kSmartMediaRow, 8), {}},

    {"vm848.x", "Frame2Cube1_25", B, kHeaderPlug, headerAt(kMemoryStickRow), {}},
    {"vmblb25.x", "Frame1Cube1_25", B, kReaderLed, ledAt(kMemoryStickRow, 1), {}},
    {"vm840.x", "Frame0Cube1_25", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 1), {}},
    {"vm841.x", "Frame0Cube1_26", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 2), {}},
    {"vm842.x", "Frame0Cube1_27", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 3), {}},
    {"vm843.x", "Frame0Cube1_28", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 4), {}},
    {"vm844.x", "Frame0Cube1_29", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 5), {}},
    {"vm845.x", "Frame0Cube1_30", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 6), {}},
    {"vm846.x", "Frame0Cube1_31", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 7), {}},
    {"vm847.x", "Frame0Cube1_32", B, kMemoryStickReader, deviceAt(kMemoryStickRow, 8), {}},
    {"vmblb26.x", "Frame1Cube1_26", B, kReaderLed, ledAt(kMemoryStickRow, 2), {}},
    {"vmblb27.x", "Frame1Cube1_27", B, kReaderLed, ledAt(kMemoryStickRow, 3), {}},
    {"vmblb28.x", "Frame1Cube1_28", B, kReaderLed, ledAt(kMemoryStickRow, 4), {}},
    {"vmblb29.x", "Frame1Cube1_29", B, kReaderLed, ledAt(kMemoryStickRow, 5), {}},
    {"vmblb30.x", "Frame1Cube1_30", B, kReaderLed, ledAt(kMemoryStickRow, 6), {}},
    {"vmblb31.x", "Frame1Cube1_31", B, kReaderLed, ledAt(kMemoryStickRow, 7), {}},
    {"vmblb32.x", "Frame1Cube1_32", B, kReaderLed, ledAt(kMemoryStickRow, 8), {}},

    {"vm314.x", "Cylinder_3-8", B, kMicrophoneJack, deviceAt(kAudioRow, 1), {}},
    {"vm312.x", "Cylinder_3-1", B, kHeadphoneJack, deviceAt(kAudioRow, 2), {}},
};

} // namespace

std::span<const PieceRow> frontPanelPieces() { return kPieces; }

} // namespace bw::modelgen
