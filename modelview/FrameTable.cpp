#include "modelview/FrameTable.h"

#include <algorithm>
#include <stdexcept>

#include "catalogue/PartCodes.h"

namespace bw::modelview {
namespace {

namespace codes = catalogue::codes;

// One row of the table: a single frame (members 1) or a family named name1 … nameN.
// Files are space-separated, one string per member; positions are per member too (one
// entry: every member at the origin unless given).
struct FamilyRow {
    std::string_view name;
    int members;
    std::vector<std::string> files;
    std::vector<Vector3> positions;
    std::vector<catalogue::PartCode> firstCodes;
};

const std::string_view kDriveBody = "vm30.x vm31.x vm32.x vm33.x vm34.x vm35.x vm36.x vm37.x vm38.x";
const std::string_view kOpticalBody =
    "vid1.x vid2.x vid3.x vid5.x vid6.x vid7.x vid8.x vid9.x vid10.x vid11.x vid12.x vid13.x "
    "vid14.x vid15.x vid16.x vid17.x vid18.x vid19.x vid20.x vid21.x vid22.x";

std::vector<FamilyRow> familyRows() {
    const std::string hd1 = std::string(kDriveBody) + " vm39a.x vm40.x vm866.x";
    const std::string hd2 = std::string(kDriveBody) + " vm39b.x vm40.x vm867.x";
    const std::string hd3 = std::string(kDriveBody) + " vm39c.x vm40.x vm868.x";
    const std::string od1 = std::string(kOpticalBody) + " vid26a.x vid27.x vm1043.x";
    const std::string od2 = std::string(kOpticalBody) + " vid26b.x vid27.x vm1044.x";
    const std::string od3 = std::string(kOpticalBody) + " vid26c.x vid27.x vm1045.x";

    return {
        {"boardFrame",
         1,
         {"vm1.x vm2.x vm3.x vm4.x vm5.x vm7.x vm8.x vm9.x vm10.x vm11.x vm12.x vm13.x vm14.x vm15.x "
          "vm_nbc1.x vm_nbc2.x vm_sb.x vm22.x vm25.x"},
         {},
         {codes::Baseboard}},
        {"ps2ConnectorFrame", 1, {"vm_ps2.x"}, {}, {codes::Ps2Connector}},
        {"intelCpuFrame", 1, {"vm23.x"}, {}, {codes::IntelProcessor}},
        {"amdCpuFrame", 1, {"vm24.x"}, {}, {codes::AmdProcessor}},
        {"hardDiskFrame",
         3,
         {hd1, hd2, hd3},
         {{0, 1, 0}, {2.9f, 1, 0}, {5.9f, 1, 0}},
         {codes::HardDiskDrive1}},
        {"agpCardFrame",
         1,
         {"vm80.x vm81.x vm82.x vm83.x vm84.x vm85.x vm86.x vm87.x vm88.x vm89.x vm90.x"},
         {},
         {codes::AgpVideo}},
        {"memoryCardFrame",
         4,
         {"vm901.x vm140a.x vm117.x vm118.x vm119.x vm120.x",
          "vm901.x vm140b.x vm117.x vm118.x vm119.x vm120.x",
          "vm901.x vm140c.x vm117.x vm118.x vm119.x vm120.x",
          "vm901.x vm140d.x vm117.x vm118.x vm119.x vm120.x"},
         {{0, 0, 0}, {0, 0, 0.2f}, {0, 0, 0.4f}, {0, 0, 0.5f}},
         {codes::MemoryCard1}},
        {"usbBackFrame",
         8,
         {"vm_usb1.x", "vm_usb2.x", "vm_usb3.x", "vm_usb4.x", "vm_usb5.x", "vm_usb6.x", "vm_usb7.x",
          "vm_usb8.x"},
         {},
         {codes::UsbPortBack1}},
        {"usbFrontFrame",
         8,
         {"vm630.x vm800.x", "vm801.x", "vm802.x", "vm803.x", "vm804.x", "vm805.x", "vm806.x", "vm807.x"},
         {},
         {codes::UsbPortFront1}},
        {"compactFlashFrame",
         8,
         {"vm818.x vm810.x vmblb1.x", "vm811.x vmblb2.x", "vm812.x vmblb3.x", "vm813.x vmblb4.x",
          "vm814.x vmblb5.x", "vm815.x vmblb6.x", "vm816.x vmblb7.x", "vm817.x vmblb8.x"},
         {},
         {codes::CompactFlashDevice1}},
        {"sdMmcFrame",
         8,
         {"vm828.x vm820.x vmblb9.x", "vm821.x vmblb10.x", "vm822.x vmblb11.x", "vm823.x vmblb12.x",
          "vm824.x vmblb13.x", "vm825.x vmblb14.x", "vm826.x vmblb15.x", "vm827.x vmblb16.x"},
         {},
         {codes::SdMmcDevice1}},
        {"smartMediaFrame",
         8,
         {"vm838.x vm830.x vmblb17.x", "vm831.x vmblb18.x", "vm832.x vmblb19.x", "vm833.x vmblb20.x",
          "vm834.x vmblb21.x", "vm835.x vmblb22.x", "vm836.x vmblb23.x", "vm837.x vmblb24.x"},
         {},
         {codes::SmXdDevice1}},
        {"memoryStickFrame",
         8,
         {"vm848.x vmblb25.x vm840.x", "vm841.x vmblb26.x", "vm842.x vmblb27.x", "vm843.x vmblb28.x",
          "vm844.x vmblb29.x", "vm845.x vmblb30.x", "vm846.x vmblb31.x", "vm847.x vmblb32.x"},
         {},
         {codes::MsProDevice1}},
        {"northBridgeFrame", 1, {"vm_nb.x"}, {}, {codes::NorthBridge}},
        {"ethernetFrame",
         4,
         {"vm_eth1.x", "vm_eth2.x", "vm_eth3.x", "vm_eth4.x"},
         {},
         {codes::EthernetPort1}},
        {"parallelFrame",
         4,
         {"vm_par1.x", "vm_par2.x", "vm_par3.x", "vm_par4.x"},
         {},
         {codes::ParallelPort1}},
        {"serialFrame", 4, {"vm_ser1.x", "vm_ser2.x", "vm_ser3.x", "vm_ser4.x"}, {}, {codes::SerialPort1}},
        {"pciSlotFrame",
         7,
         {"vm200.x", "vm201.x", "vm202.x", "vm203.x", "vm204.x", "vm205.x", "vm207.x"},
         {},
         {codes::PciSlot1}},
        {"heatPipeFrame", 1, {"vm206.x vm206a.x vm206b.x vm206c.x"}, {}, {codes::HeatPipe}},
        {"pcie16SlotFrame",
         7,
         {"vm300.x", "vm301.x", "vm302.x", "vm303.x", "vm304.x", "vm305.x", "vm306.x"},
         {},
         {codes::PciExpress16Slot1}},
        {"pcie8SlotFrame",
         7,
         {"vm500.x", "vm501.x", "vm502.x", "vm503.x", "vm504.x", "vm505.x", "vm506.x"},
         {},
         {codes::PciExpress8Slot1}},
        {"pcie4SlotFrame",
         7,
         {"vm600.x", "vm601.x", "vm602.x", "vm603.x", "vm604.x", "vm605.x", "vm606.x"},
         {},
         {codes::PciExpress4Slot1}},
        {"pcie1SlotFrame",
         7,
         {"vm700.x", "vm701.x", "vm702.x", "vm703.x", "vm704.x", "vm705.x", "vm706.x"},
         {},
         {codes::PciExpress1Slot1}},
        {"usbPlugFrame",
         8,
         {"vm750.x", "vm751.x", "vm752.x", "vm753.x", "vm754.x", "vm755.x", "vm756.x", "vm757.x"},
         {},
         {codes::KeyboardUsb1, codes::MouseUsb1}},
        {"usbMouseFrame",
         8,
         {"vm780.x", "vm781.x", "vm782.x", "vm783.x", "vm784.x", "vm785.x", "vm786.x", "vm787.x"},
         {},
         {codes::MouseUsb1}},
        {"usbKeyboardFrame",
         8,
         {"vm790.x", "vm791.x", "vm792.x", "vm793.x", "vm794.x", "vm795.x", "vm796.x", "vm797.x"},
         {},
         {codes::KeyboardUsb1}},
        {"ps2MouseFrame", 1, {"vmpsmouse.x"}, {}, {codes::MousePs2}},
        {"ps2KeyboardFrame", 1, {"vmpskey.x"}, {}, {codes::KeyboardPs2}},
        {"backFanFrame", 1, {"vm906.x"}, {}, {codes::BackFan}},
        {"caseTempFrame", 1, {"vm960.x"}, {}, {codes::CaseTemperature}},
        {"boardTempFrame", 1, {"vm961.x"}, {}, {codes::MotherboardTemperature}},
        {"cpuTempFrame", 1, {"vm962.x"}, {}, {codes::CpuTemperature}},
        {"cpuFanFrame", 1, {"vm905.x"}, {}, {codes::CpuFan}},
        {"upsFrame", 1, {"vm963.x"}, {}, {codes::Ups}},
        {"infraredFrame", 1, {"vm964.x"}, {}, {codes::InfraredDevice}},
        {"integratedVideoFrame", 1, {"vm19a.x"}, {}, {codes::IntegratedVideo}},
        {"opticalDriveFrame",
         3,
         {od1, od2, od3},
         {{-3.2f, 0, -3.2f}, {-3.2f, 0.9f, -3.2f}, {-3.2f, 1.9f, -3.2f}},
         {codes::DvdCdDrive1}},
        {"pciCardFrame",
         kPciCardCount,
         {"vm280.x", "", "", "", "", "", ""},
         {{0, 0, 0},
          {-0.3f, 0, 0},
          {-0.3f, 0, 0},
          {-0.3f, 0, 0},
          {-0.3f, 0, 0},
          {-0.3f, 0, 0},
          {-0.2f, 0, 0}},
         {codes::PciCard1}},
        {"frontFanFrame", 1, {"vm907.x"}, {}, {codes::FrontFan}},
        {"batteryFrame", 1, {"vm969.x"}, {}, {codes::PortableBattery}},
        {"lockFrame", 1, {"vm970.x"}, {}, {codes::CaseLock}},
        {"pcmciaFrame", 1, {"vm971.x"}, {}, {codes::PcmciaController}},
        {"micFrontFrame", 1, {"vm314.x"}, {}, {codes::MicrophoneFront}},
        {"headphoneFrontFrame", 1, {"vm312.x"}, {}, {codes::HeadphoneFront}},
        {"micBackFrame", 1, {"vm311.x"}, {}, {codes::MicrophoneBack}},
        {"headphoneBackFrame", 1, {"vm310.x"}, {}, {codes::HeadphoneBack}},
        {"eideConnectorFrame", 3, {"ide1.x", "ide2.x", "ide3.x"}, {}, {codes::EideConnector1}},
        {"sataConnectorFrame",
         6,
         {"sata11.x", "sata12.x", "sata13.x", "sata14.x", "sata15.x", "sata16.x"},
         {},
         {codes::SataConnector1}},
        {"hdmiFrame", 1, {"hdmi.x"}, {}, {codes::HdmiSocket}},
        {"fireWireFrame",
         4,
         {"fw1.x vmfwblb1.x", "fw2.x vmfwblb2.x", "fw3.x vmfwblb3.x", "fw4.x vmfwblb4.x"},
         {},
         {codes::FireWireSocket1}},
        {"osFrame", 1, {"vm121.x"}, {}, {codes::OperatingSystem}},
        {"wirelessFrame", 1, {"vm122.x"}, {}, {codes::Wireless}},
        {"psuFrame", 1, {"psu1.x psu2.x"}, {{0, -1, 0}}, {codes::PowerSupplyUnit}},
        {"monitorFrame", 1, {"mn1.x"}, {}, {codes::Screen}},
        {kAxesFrame, 1, {"cad_xyz.x"}, {{7, 0, 6}}, {}},
        {kBaseFrame, 1, {"base1.x"}, {}, {}},
    };
}

// Split by hand: a string stream would set up the C++ locale, much of the standard
// library's memory, for a few names.
std::vector<std::string> splitFiles(std::string_view list) {
    std::vector<std::string> files;
    while (!list.empty()) {
        const std::size_t start = list.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        list.remove_prefix(start);
        const std::size_t end = std::min(list.find(' '), list.size());
        files.emplace_back(list.substr(0, end));
        list.remove_prefix(end);
    }
    return files;
}

std::vector<PartFrame> expand() {
    std::vector<PartFrame> frames;
    for (const FamilyRow& row : familyRows()) {
        for (int k = 1; k <= row.members; ++k) {
            const auto member = static_cast<std::size_t>(k - 1);
            PartFrame frame;
            frame.name = std::string(row.name) + (row.members > 1 ? std::to_string(k) : "");
            frame.files = splitFiles(row.files.at(member));
            if (member < row.positions.size()) frame.position = row.positions[member];
            for (catalogue::PartCode first : row.firstCodes)
                frame.partCodes.push_back(static_cast<catalogue::PartCode>(first + member));
            frames.push_back(std::move(frame));
        }
    }
    return frames;
}

// The frames in the order their files are read, by row name (a family row stands for all
// its members), with the board's files split into the runs that come between the others.
std::vector<LoadStep> buildLoadSequence() {
    const std::vector<FamilyRow> rows = familyRows();
    std::vector<LoadStep> steps;
    auto whole = [&](const std::string& name) {
        const std::size_t index = frameIndex(name);
        steps.push_back({index, 0, partFrames()[index].files.size()});
    };
    auto wholeRow = [&](std::string_view name) {
        const auto row =
            std::find_if(rows.begin(), rows.end(), [&](const FamilyRow& r) { return r.name == name; });
        if (row == rows.end()) throw std::logic_error("no frame row named " + std::string(name));
        if (row->members == 1) return whole(std::string(name));
        for (int k = 1; k <= row->members; ++k)
            whole(std::string(name) + std::to_string(k));
    };
    std::size_t boardRead = 0;
    auto boardUpTo = [&](std::string_view lastFile) {
        const std::size_t board = frameIndex("boardFrame");
        const auto& files = partFrames()[board].files;
        const auto last = std::find(files.begin(), files.end(), lastFile);
        const auto end = static_cast<std::size_t>(last - files.begin()) + 1;
        steps.push_back({board, boardRead, end - boardRead});
        boardRead = end;
    };

    boardUpTo("vm15.x");
    wholeRow("ps2ConnectorFrame");
    boardUpTo("vm_sb.x");
    for (std::string_view name :
         {"northBridgeFrame", "usbBackFrame", "usbFrontFrame", "compactFlashFrame", "sdMmcFrame",
          "smartMediaFrame", "memoryStickFrame", "ethernetFrame", "parallelFrame", "serialFrame"})
        wholeRow(name);
    boardUpTo("vm22.x");
    for (std::string_view name : {"intelCpuFrame", "amdCpuFrame"})
        wholeRow(name);
    boardUpTo("vm25.x");
    for (std::string_view name :
         {"hardDiskFrame", "opticalDriveFrame", "agpCardFrame",     "memoryCardFrame",     "pciSlotFrame",
          "heatPipeFrame", "pcie16SlotFrame",   "pcie8SlotFrame",   "pcie4SlotFrame",      "pcie1SlotFrame",
          "usbPlugFrame",  "usbMouseFrame",     "usbKeyboardFrame", "ps2MouseFrame",       "ps2KeyboardFrame",
          "cpuFanFrame",   "backFanFrame",      "frontFanFrame",    "caseTempFrame",       "boardTempFrame",
          "cpuTempFrame",  "upsFrame",          "infraredFrame",    "integratedVideoFrame"})
        wholeRow(name);
    // Only the first card of the chain has a file; the others are empty frames it holds.
    whole("pciCardFrame1");
    for (std::string_view name :
         {"batteryFrame", "lockFrame", "pcmciaFrame", "micFrontFrame", "headphoneFrontFrame", "micBackFrame",
          "headphoneBackFrame", "sataConnectorFrame", "eideConnectorFrame", "hdmiFrame", "fireWireFrame",
          "osFrame", "wirelessFrame", "psuFrame", "monitorFrame", "axesFrame", "baseFrame"})
        wholeRow(name);
    return steps;
}

} // namespace

const std::vector<PartFrame>& partFrames() {
    static const std::vector<PartFrame> frames = expand();
    return frames;
}

std::size_t frameIndex(std::string_view name) {
    const auto& frames = partFrames();
    const auto it =
        std::find_if(frames.begin(), frames.end(), [&](const PartFrame& f) { return f.name == name; });
    if (it == frames.end()) throw std::out_of_range("no frame named " + std::string(name));
    return static_cast<std::size_t>(it - frames.begin());
}

const std::vector<LoadStep>& loadSequence() {
    static const std::vector<LoadStep> steps = buildLoadSequence();
    return steps;
}

std::vector<std::size_t> framesShowing(catalogue::PartCode partCode) {
    std::vector<std::size_t> result;
    const auto& frames = partFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const auto& codes = frames[i].partCodes;
        if (std::find(codes.begin(), codes.end(), partCode) != codes.end()) result.push_back(i);
    }
    return result;
}

} // namespace bw::modelview
