#pragma once
// A name for every part code: the catalogue's slot names, in code order. One list makes both
// the constants and the table of their names, which a test holds against the catalogue.

#include <cstdint>
#include <string_view>

namespace bw::catalogue {

using PartCode = std::int16_t;

// X(name, code) for every slot.
#define BW_PART_CODES(X)                                                                                     \
    X(Enclosure, 0)                                                                                          \
    X(MousePs2, 1)                                                                                           \
    X(KeyboardPs2, 2)                                                                                        \
    X(OperatingSystem, 3)                                                                                    \
    X(Screen, 4)                                                                                             \
    X(Baseboard, 5)                                                                                          \
    X(Ps2Connector, 6)                                                                                       \
    X(NorthBridge, 7)                                                                                        \
    X(UsbPortBack1, 8)                                                                                       \
    X(UsbPortBack2, 9)                                                                                       \
    X(UsbPortBack3, 10)                                                                                      \
    X(UsbPortBack4, 11)                                                                                      \
    X(UsbPortBack5, 12)                                                                                      \
    X(UsbPortBack6, 13)                                                                                      \
    X(UsbPortBack7, 14)                                                                                      \
    X(UsbPortBack8, 15)                                                                                      \
    X(UsbPortFront1, 16)                                                                                     \
    X(UsbPortFront2, 17)                                                                                     \
    X(UsbPortFront3, 18)                                                                                     \
    X(UsbPortFront4, 19)                                                                                     \
    X(UsbPortFront5, 20)                                                                                     \
    X(UsbPortFront6, 21)                                                                                     \
    X(UsbPortFront7, 22)                                                                                     \
    X(UsbPortFront8, 23)                                                                                     \
    X(CompactFlashDevice1, 24)                                                                               \
    X(CompactFlashDevice2, 25)                                                                               \
    X(CompactFlashDevice3, 26)                                                                               \
    X(CompactFlashDevice4, 27)                                                                               \
    X(CompactFlashDevice5, 28)                                                                               \
    X(CompactFlashDevice6, 29)                                                                               \
    X(CompactFlashDevice7, 30)                                                                               \
    X(CompactFlashDevice8, 31)                                                                               \
    X(SdMmcDevice1, 32)                                                                                      \
    X(SdMmcDevice2, 33)                                                                                      \
    X(SdMmcDevice3, 34)                                                                                      \
    X(SdMmcDevice4, 35)                                                                                      \
    X(SdMmcDevice5, 36)                                                                                      \
    X(SdMmcDevice6, 37)                                                                                      \
    X(SdMmcDevice7, 38)                                                                                      \
    X(SdMmcDevice8, 39)                                                                                      \
    X(SmXdDevice1, 40)                                                                                       \
    X(SmXdDevice2, 41)                                                                                       \
    X(SmXdDevice3, 42)                                                                                       \
    X(SmXdDevice4, 43)                                                                                       \
    X(SmXdDevice5, 44)                                                                                       \
    X(SmXdDevice6, 45)                                                                                       \
    X(SmXdDevice7, 46)                                                                                       \
    X(SmXdDevice8, 47)                                                                                       \
    X(MsProDevice1, 48)                                                                                      \
    X(MsProDevice2, 49)                                                                                      \
    X(MsProDevice3, 50)                                                                                      \
    X(MsProDevice4, 51)                                                                                      \
    X(MsProDevice5, 52)                                                                                      \
    X(MsProDevice6, 53)                                                                                      \
    X(MsProDevice7, 54)                                                                                      \
    X(MsProDevice8, 55)                                                                                      \
    X(EthernetPort1, 56)                                                                                     \
    X(EthernetPort2, 57)                                                                                     \
    X(EthernetPort3, 58)                                                                                     \
    X(EthernetPort4, 59)                                                                                     \
    X(ParallelPort1, 60)                                                                                     \
    X(ParallelPort2, 61)                                                                                     \
    X(ParallelPort3, 62)                                                                                     \
    X(ParallelPort4, 63)                                                                                     \
    X(SerialPort1, 64)                                                                                       \
    X(SerialPort2, 65)                                                                                       \
    X(SerialPort3, 66)                                                                                       \
    X(SerialPort4, 67)                                                                                       \
    X(IntelProcessor, 68)                                                                                    \
    X(AmdProcessor, 69)                                                                                      \
    X(HardDiskDrive1, 70)                                                                                    \
    X(HardDiskDrive2, 71)                                                                                    \
    X(HardDiskDrive3, 72)                                                                                    \
    X(DvdCdDrive1, 73)                                                                                       \
    X(DvdCdDrive2, 74)                                                                                       \
    X(DvdCdDrive3, 75)                                                                                       \
    X(AgpVideo, 76)                                                                                          \
    X(MemoryCard1, 77)                                                                                       \
    X(MemoryCard2, 78)                                                                                       \
    X(MemoryCard3, 79)                                                                                       \
    X(MemoryCard4, 80)                                                                                       \
    X(HeatPipe, 81)                                                                                          \
    X(PciSlot1, 82)                                                                                          \
    X(PciSlot2, 83)                                                                                          \
    X(PciSlot3, 84)                                                                                          \
    X(PciSlot4, 85)                                                                                          \
    X(PciSlot5, 86)                                                                                          \
    X(PciSlot6, 87)                                                                                          \
    X(PciSlot7, 88)                                                                                          \
    X(PciExpress16Slot1, 89)                                                                                 \
    X(PciExpress16Slot2, 90)                                                                                 \
    X(PciExpress16Slot3, 91)                                                                                 \
    X(PciExpress16Slot4, 92)                                                                                 \
    X(PciExpress16Slot5, 93)                                                                                 \
    X(PciExpress16Slot6, 94)                                                                                 \
    X(PciExpress16Slot7, 95)                                                                                 \
    X(PciExpress8Slot1, 96)                                                                                  \
    X(PciExpress8Slot2, 97)                                                                                  \
    X(PciExpress8Slot3, 98)                                                                                  \
    X(PciExpress8Slot4, 99)                                                                                  \
    X(PciExpress8Slot5, 100)                                                                                 \
    X(PciExpress8Slot6, 101)                                                                                 \
    X(PciExpress8Slot7, 102)                                                                                 \
    X(PciExpress4Slot1, 103)                                                                                 \
    X(PciExpress4Slot2, 104)                                                                                 \
    X(PciExpress4Slot3, 105)                                                                                 \
    X(PciExpress4Slot4, 106)                                                                                 \
    X(PciExpress4Slot5, 107)                                                                                 \
    X(PciExpress4Slot6, 108)                                                                                 \
    X(PciExpress4Slot7, 109)                                                                                 \
    X(PciExpress1Slot1, 110)                                                                                 \
    X(PciExpress1Slot2, 111)                                                                                 \
    X(PciExpress1Slot3, 112)                                                                                 \
    X(PciExpress1Slot4, 113)                                                                                 \
    X(PciExpress1Slot5, 114)                                                                                 \
    X(PciExpress1Slot6, 115)                                                                                 \
    X(PciExpress1Slot7, 116)                                                                                 \
    X(CpuFan, 117)                                                                                           \
    X(BackFan, 118)                                                                                          \
    X(FrontFan, 119)                                                                                         \
    X(CaseTemperature, 120)                                                                                  \
    X(MotherboardTemperature, 121)                                                                           \
    X(CpuTemperature, 122)                                                                                   \
    X(Ups, 123)                                                                                              \
    X(InfraredDevice, 124)                                                                                   \
    X(IntegratedVideo, 125)                                                                                  \
    X(PciCard1, 126)                                                                                         \
    X(PciCard2, 127)                                                                                         \
    X(PciCard3, 128)                                                                                         \
    X(PciCard4, 129)                                                                                         \
    X(PciCard5, 130)                                                                                         \
    X(PciCard6, 131)                                                                                         \
    X(PciCard7, 132)                                                                                         \
    X(PortableBattery, 133)                                                                                  \
    X(CaseLock, 134)                                                                                         \
    X(PcmciaController, 135)                                                                                 \
    X(MicrophoneFront, 136)                                                                                  \
    X(HeadphoneFront, 137)                                                                                   \
    X(MicrophoneBack, 138)                                                                                   \
    X(HeadphoneBack, 139)                                                                                    \
    X(SataConnector1, 140)                                                                                   \
    X(SataConnector2, 141)                                                                                   \
    X(SataConnector3, 142)                                                                                   \
    X(SataConnector4, 143)                                                                                   \
    X(SataConnector5, 144)                                                                                   \
    X(SataConnector6, 145)                                                                                   \
    X(EideConnector1, 146)                                                                                   \
    X(EideConnector2, 147)                                                                                   \
    X(EideConnector3, 148)                                                                                   \
    X(HdmiSocket, 149)                                                                                       \
    X(FireWireSocket1, 150)                                                                                  \
    X(FireWireSocket2, 151)                                                                                  \
    X(FireWireSocket3, 152)                                                                                  \
    X(FireWireSocket4, 153)                                                                                  \
    X(PowerSupplyUnit, 154)                                                                                  \
    X(Wireless, 155)                                                                                         \
    X(KeyboardUsb1, 156)                                                                                     \
    X(KeyboardUsb2, 157)                                                                                     \
    X(KeyboardUsb3, 158)                                                                                     \
    X(KeyboardUsb4, 159)                                                                                     \
    X(KeyboardUsb5, 160)                                                                                     \
    X(KeyboardUsb6, 161)                                                                                     \
    X(KeyboardUsb7, 162)                                                                                     \
    X(KeyboardUsb8, 163)                                                                                     \
    X(MouseUsb1, 164)                                                                                        \
    X(MouseUsb2, 165)                                                                                        \
    X(MouseUsb3, 166)                                                                                        \
    X(MouseUsb4, 167)                                                                                        \
    X(MouseUsb5, 168)                                                                                        \
    X(MouseUsb6, 169)                                                                                        \
    X(MouseUsb7, 170)                                                                                        \
    X(MouseUsb8, 171)

namespace codes {
#define BW_PART_CODE_CONSTANT(name, code) inline constexpr PartCode name = code;
BW_PART_CODES(BW_PART_CODE_CONSTANT)
#undef BW_PART_CODE_CONSTANT
} // namespace codes

struct PartCodeName {
    std::string_view name;
    PartCode code;
};

inline constexpr PartCodeName kPartCodeNames[] = {
#define BW_PART_CODE_ROW(name, code) {#name, codes::name},
    BW_PART_CODES(BW_PART_CODE_ROW)
#undef BW_PART_CODE_ROW
};

} // namespace bw::catalogue
