#include "catalogue/PartCatalogue.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace bw::catalogue {
namespace {

// One row per line of the catalogue. A row with count > 1 stands for a numbered family:
// member n gets the slot name with n appended, the key letter advanced by n - 1 and every
// '#' in its texts replaced by n. An empty default name means "same as the item text".
struct SlotRow {
    PartCode code;
    int count;
    const char* slot;
    int category; // 0: no item node
    const char* keyStem;
    char firstLetter;
    const char* text;
    const char* image;
    const char* defaultName;
};

constexpr SlotRow kSlotRows[] = {
    {0, 1, "Enclosure", 37, "", 0, "", "", ""},
    {1, 1, "MousePs2", 3, "3", 'a', "Mouse (PS 2)", "ms", ""},
    {2, 1, "KeyboardPs2", 2, "2", 'a', "Keyboard (PS 2)", "kb", ""},
    {3, 1, "OperatingSystem", 32, "", 0, "", "os", ""},
    {4, 1, "Screen", 0, "", 0, "", "", "Screen"},
    {5, 1, "Baseboard", 4, "4", 'b', "Motherboard", "mb", "Baseboard"},
    {6, 1, "Ps2Connector", 50, "50", 'a', "PS2 Connector", "ms", ""},
    {7, 1, "NorthBridge", 51, "51", 'a', "North Bridge", "bios", ""},
    {8, 8, "UsbPortBack", 34, "34", 'a', "USB Port # (Back)", "usb", "USB # (Back)"},
    {16, 8, "UsbPortFront", 52, "52", 'a', "USB Port # (Front)", "usb", "USB # (Front)"},
    {24, 8, "CompactFlashDevice", 53, "53", 'a', "Compact Flash USB Device #", "mc", ""},
    {32, 8, "SdMmcDevice", 55, "55", 'a', "SD/MMC USB Device #", "mc", ""},
    {40, 8, "SmXdDevice", 56, "56", 'a', "SM/xD-Picture USB Device #", "mc", ""},
    {48, 8, "MsProDevice", 54, "54", 'a', "MS/MS-Pro USB Device #", "mc", ""},
    {56, 4, "EthernetPort", 20, "20", 'a', "Ethernet Port #", "nw", ""},
    {60, 4, "ParallelPort", 11, "11", 'a', "Parallel Port #", "par", ""},
    {64, 4, "SerialPort", 10, "10", 'a', "Serial Port #", "ser", ""},
    {68, 1, "IntelProcessor", 5, "5", 'b', "Intel", "cpu", ""},
    {69, 1, "AmdProcessor", 5, "5", 'c', "AMD", "cpu", ""},
    {70, 3, "HardDiskDrive", 8, "8", 'a', "Hard Disk Drive #", "hd", ""},
    {73, 3, "DvdCdDrive", 28, "28", 'a', "DVD/CD Drive #", "dvd", ""},
    {76, 1, "AgpVideo", 9, "9", 'c', "AGP", "agp", ""},
    {77, 4, "MemoryCard", 6, "6", 'a', "Memory Card (Slot #)", "mem", ""},
    {81, 1, "HeatPipe", 26, "26", 'a', "Heat Pipe", "pipe", ""},
    {82, 7, "PciSlot", 7, "7", 'a', "PCI (Slot #)", "slots", ""},
    {89, 7, "PciExpress16Slot", 7, "7a", 'a', "PCI Express 16 (Slot #)", "slots", ""},
    {96, 7, "PciExpress8Slot", 7, "7c", 'a', "PCI Express 8 (Slot #)", "slots", ""},
    {103, 7, "PciExpress4Slot", 7, "7d", 'a', "PCI Express 4 (Slot #)", "slots", ""},
    {110, 7, "PciExpress1Slot", 7, "7e", 'a', "PCI Express 1 (Slot #)", "slots", ""},
    {117, 1, "CpuFan", 16, "16", 'a', "CPU Fan", "fan", ""},
    {118, 1, "BackFan", 16, "16", 'b', "Back Fan", "fan", ""},
    {119, 1, "FrontFan", 16, "16", 'c', "Front Fan", "fan", ""},
    {120, 1, "CaseTemperature", 27, "27", 'b', "Case Temperature", "temp", ""},
    {121, 1, "MotherboardTemperature", 27, "27", 'e', "Motherboard Temperature", "temp", ""},
    {122, 1, "CpuTemperature", 27, "27", 'd', "CPU Temperature", "temp", ""},
    {123, 1, "Ups", 12, "12", 'a', "UPS", "ups", ""},
    {124, 1, "InfraredDevice", 18, "18", 'a', "Infrared Device", "ir", ""},
    {125, 1, "IntegratedVideo", 9, "9", 'b', "Integrated", "agp", ""},
    {126, 7, "PciCard", 59, "59", 'a', "PCI Card #", "agp", ""},
    {133, 1, "PortableBattery", 40, "40", 'a', "Portable Battery", "ups", ""},
    {134, 1, "CaseLock", 38, "38", 'a', "Lock", "lock", ""},
    {135, 1, "PcmciaController", 23, "23", 'a', "PCMCIA Controller", "pcmia", ""},
    {136, 1, "MicrophoneFront", 14, "14", 'a', "Microphone Socket (Front)", "snd", ""},
    {137, 1, "HeadphoneFront", 14, "14", 'b', "Headphone Socket (Front)", "snd", ""},
    {138, 1, "MicrophoneBack", 14, "14", 'd', "Microphone Socket (Back)", "snd", ""},
    {139, 1, "HeadphoneBack", 14, "14", 'c', "Headphone Socket (Back)", "snd", ""},
    {140, 6, "SataConnector", 57, "57", 'a', "SATA Connector #", "slots", ""},
    {146, 3, "EideConnector", 58, "58", 'a', "E-IDE Connector #", "slots", ""},
    {149, 1, "HdmiSocket", 9, "9", 'e', "HDMI Socket", "agp", ""},
    {150, 4, "FireWireSocket", 17, "17", 'a', "FireWire Socket #", "fw", ""},
    {154, 1, "PowerSupplyUnit", 0, "", 0, "", "", "PSU"},
    {155, 1, "Wireless", 44, "44", 'a', "Wireless", "wireless", ""},
    {156, 8, "KeyboardUsb", 2, "2", 'b', "Keyboard (USB #)", "kb", ""},
    {164, 8, "MouseUsb", 3, "3", 'b', "Mouse (USB #)", "ms", ""},
};

// Members whose texts break their family's pattern.
struct SlotException {
    const char* slot;
    const char* itemText;    // nullptr: keep the pattern's
    const char* defaultName; // nullptr: keep the pattern's
};

constexpr SlotException kExceptions[] = {
    {"MsProDevice7", "MS/MS-Pro USB Device7", "MS/MS-Pro USB Device 7"},
    {"PciCard1", nullptr, "PCI Card"},
    {"EideConnector3", nullptr, "E-IDE Connector "},
};

constexpr Category kCategories[] = {
    {"32 node", "OS", "os"},
    {"37 node", "Enclosure", ""},
    {"5 node", "Processor", "cpu"},
    {"6 node", "Physical Memory", "mem"},
    {"2 node", "Keyboard", "kb"},
    {"3 node", "Pointing Device", "ms"},
    {"4 node", "Motherboard", "mb"},
    {"50 node", "PS2", "ms"},
    {"51 node", "North Bridge", "bios"},
    {"7 node", "System Slot", "slots"},
    {"15 node", "Bios", "bios"},
    {"57 node", "SATA", "slots"},
    {"58 node", "E-IDE", "slots"},
    {"9 node", "Video Controller", "agp"},
    {"8 node", "Hard Drive", "hd"},
    {"28 node", "DVD/CD Drive", "dvd"},
    {"30 node", "Memory Cards", "mc"},
    {"59 node", "PCI Cards", "agp"},
    {"53 node", "Compact Flash USB Device", "mc"},
    {"54 node", "MS/MS-Pro USB Device", "mc"},
    {"55 node", "SD/MMC USB Device", "mc"},
    {"56 node", "SM/xD-Picture USB Device", "mc"},
    {"34 node", "USB ports (Back)", "usb"},
    {"52 node", "USB ports (Front)", "usb"},
    {"17 node", "1394 Controller", "fw"},
    {"20 node", "Network Adapter", "nw"},
    {"44 node", "Wireless", "wireless"},
    {"10 node", "Serial Port", "ser"},
    {"11 node", "Parallel Port", "par"},
    {"14 node", "Sound Device", "snd"},
    {"16 node", "Fan", "fan"},
    {"40 node", "Portable Battery", "ups"},
    {"18 node", "Infrared Device", "ir"},
    {"23 node", "PCMCIA Controller", "pcmia"},
    {"26 node", "Heat Pipe", "pipe"},
    {"27 node", "Temperature Probe", "temp"},
    {"38 node", "Lock", "lock"},
    {"12 node", "Battery (UPS)", "ups"},
};

constexpr EnclosureItem kEnclosureItems[] = {
    {enclosure::Tower, "37a node", "Tower", "tower"},
    {enclosure::Desktop, "37b node", "Desktop", "tower"},
    {enclosure::Laptop, "37c node", "Laptop", "pc"},
};

constexpr OsVersion kOsVersions[] = {
    {"mnuvista", "32a node", "Vista (32 bit)"}, {"mnuvista64", "32b node", "Vista (64 bit)"},
    {"mnu732", "32c node", "7 (32 bit)"},       {"mnu764", "32d node", "7 (64 bit)"},
    {"mnu832", "32e node", "8 (32 bit)"},       {"mnu864", "32g node", "8 (64 bit)"},
    {"mnu1032", "32h node", "10 (32 bit)"},     {"mnu1064", "32i node", "10 (64 bit)"},
};

constexpr Family kFamilies[] = {
    {"back USB ports", codes::UsbPortBack1, 8},
    {"front USB ports", codes::UsbPortFront1, 8},
    {"Compact Flash devices", codes::CompactFlashDevice1, 8},
    {"SD/MMC devices", codes::SdMmcDevice1, 8},
    {"SM/xD-Picture devices", codes::SmXdDevice1, 8},
    {"MS/MS-Pro devices", codes::MsProDevice1, 8},
    {"Ethernet ports", codes::EthernetPort1, 4},
    {"parallel ports", codes::ParallelPort1, 4},
    {"serial ports", codes::SerialPort1, 4},
    {"hard disk drives", codes::HardDiskDrive1, 3},
    {"DVD/CD drives", codes::DvdCdDrive1, 3},
    {"memory cards", codes::MemoryCard1, 4},
    {"PCI cards", codes::PciCard1, 7},
    {"SATA connectors", codes::SataConnector1, 6},
    {"E-IDE connectors", codes::EideConnector1, 3},
    {"FireWire sockets", codes::FireWireSocket1, 4},
};

std::string withNumber(const char* pattern, int n) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '#')
            out += std::to_string(n);
        else
            out += *p;
    }
    return out;
}

std::string categoryKeyOf(int category) {
    return category == 0 ? std::string() : std::to_string(category) + " node";
}

std::vector<PartSlot> expandRows() {
    std::vector<PartSlot> out;
    out.reserve(kSlotCount);
    for (const SlotRow& row : kSlotRows) {
        for (int n = 1; n <= row.count; ++n) {
            PartSlot s;
            s.code = static_cast<PartCode>(row.code + n - 1);
            s.slotName = row.count > 1 ? row.slot + std::to_string(n) : row.slot;
            s.categoryKey = categoryKeyOf(row.category);
            if (row.firstLetter != 0)
                s.itemKey = std::string(row.keyStem) + static_cast<char>(row.firstLetter + n - 1) + " node";
            s.itemText = withNumber(row.text, n);
            s.imageKey = row.image;
            s.defaultPartName = *row.defaultName ? withNumber(row.defaultName, n) : s.itemText;
            s.hasExtraInteger = s.code == codes::Enclosure || s.code == codes::OperatingSystem;
            out.push_back(std::move(s));
        }
    }
    for (const SlotException& e : kExceptions) {
        auto it =
            std::find_if(out.begin(), out.end(), [&](const PartSlot& s) { return s.slotName == e.slot; });
        if (e.itemText) it->itemText = e.itemText;
        if (e.defaultName) it->defaultPartName = e.defaultName;
    }
    if (out.size() != kSlotCount) throw std::logic_error("part catalogue does not hold 172 slots");
    return out;
}

struct Catalogue {
    std::vector<PartSlot> slots = expandRows();
    std::unordered_map<std::string_view, PartCode> byName = [this] {
        std::unordered_map<std::string_view, PartCode> map;
        for (const PartSlot& s : slots)
            map.emplace(s.slotName, s.code);
        return map;
    }();
};

const Catalogue& catalogue() {
    static const Catalogue instance;
    return instance;
}

} // namespace

std::span<const PartSlot> allSlots() { return catalogue().slots; }

const PartSlot& slotAt(PartCode code) { return catalogue().slots.at(static_cast<std::size_t>(code)); }

const PartSlot* findSlot(std::string_view slotName) {
    const auto& map = catalogue().byName;
    auto it = map.find(slotName);
    return it == map.end() ? nullptr : &catalogue().slots[static_cast<std::size_t>(it->second)];
}

std::span<const Category> categories() { return kCategories; }

const Category* findCategory(std::string_view key) {
    for (const Category& c : kCategories)
        if (c.key == key) return &c;
    return nullptr;
}

std::string_view categoryImage(const Category& category, std::int16_t enclosureType) {
    if (category.key != kEnclosureCategoryKey) return category.image;
    if (enclosureType == enclosure::Tower) return "tower";
    if (enclosureType == enclosure::Laptop) return "pc";
    return {};
}

std::span<const EnclosureItem> enclosureItems() { return kEnclosureItems; }

const EnclosureItem* findEnclosureItem(std::int16_t type) {
    for (const EnclosureItem& e : kEnclosureItems)
        if (e.type == type) return &e;
    return nullptr;
}

std::span<const OsVersion> osVersions() { return kOsVersions; }

std::span<const Family> families() { return kFamilies; }

const Family* findFamily(std::string_view name) {
    for (const Family& f : kFamilies)
        if (f.name == name) return &f;
    return nullptr;
}

} // namespace bw::catalogue
