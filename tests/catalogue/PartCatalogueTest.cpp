#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/PartCatalogue.h"

using namespace bw::catalogue;

namespace {

struct ExpectedRow {
    int code;
    std::string slot, category, itemKey, itemText, image, defaultName;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, '\t'))
        cells.push_back(cell);
    if (!line.empty() && line.back() == '\t') cells.emplace_back();
    return cells;
}

// The catalogue as transcribed row by row into slots.tsv, independently of the code.
std::vector<ExpectedRow> expectedRows() {
    std::ifstream in(SLOTS_TABLE);
    std::vector<ExpectedRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        auto c = splitTabs(line);
        c.resize(7);
        rows.push_back({std::stoi(c[0]), c[1], c[2], c[3], c[4], c[5], c[6]});
    }
    return rows;
}

} // namespace

TEST(PartCatalogue, EveryRowMatchesTheTable) {
    const auto expected = expectedRows();
    ASSERT_EQ(expected.size(), 172u);
    const auto slots = allSlots();
    ASSERT_EQ(slots.size(), 172u);
    for (const ExpectedRow& row : expected) {
        SCOPED_TRACE(row.slot);
        const PartSlot& s = slotAt(static_cast<PartCode>(row.code));
        EXPECT_EQ(s.code, row.code);
        EXPECT_EQ(s.slotName, row.slot);
        EXPECT_EQ(s.categoryKey, row.category.empty() ? "" : row.category + " node");
        EXPECT_EQ(s.itemKey, row.itemKey);
        EXPECT_EQ(s.itemText, row.itemText);
        EXPECT_EQ(s.imageKey, row.image);
        EXPECT_EQ(s.defaultPartName, row.defaultName);
        EXPECT_EQ(s.hasExtraInteger, row.slot == "Enclosure" || row.slot == "OperatingSystem");
        ASSERT_NE(findSlot(row.slot), nullptr);
        EXPECT_EQ(findSlot(row.slot)->code, row.code);
    }
    EXPECT_EQ(findSlot("NoSuchSlot"), nullptr);
    EXPECT_EQ(findSlot("UsbPortBack9"), nullptr);
}

TEST(PartCatalogue, SlotsWithoutItemNodesAndSelectableCodes) {
    EXPECT_FALSE(slotAt(codes::Screen).hasItemNode());
    EXPECT_FALSE(slotAt(codes::PowerSupplyUnit).hasItemNode());
    EXPECT_EQ(slotAt(codes::PowerSupplyUnit).defaultPartName, "PSU");
    EXPECT_FALSE(isSelectableCode(0));
    EXPECT_TRUE(isSelectableCode(1));
    EXPECT_TRUE(isSelectableCode(171));
    EXPECT_FALSE(isSelectableCode(172));
    EXPECT_FALSE(isSelectableCode(-1));
}

TEST(PartCatalogue, CategoriesInTreeOrder) {
    const std::vector<std::vector<std::string>> expected = {
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
    const auto cats = categories();
    ASSERT_EQ(cats.size(), expected.size());
    for (std::size_t i = 0; i < cats.size(); ++i) {
        EXPECT_EQ(cats[i].key, expected[i][0]);
        EXPECT_EQ(cats[i].text, expected[i][1]);
        EXPECT_EQ(categoryImage(cats[i], enclosure::Tower),
                  expected[i][2].empty() ? "tower" : expected[i][2]);
    }
    const Category* enclosureCategory = findCategory("37 node");
    ASSERT_NE(enclosureCategory, nullptr);
    EXPECT_EQ(categoryImage(*enclosureCategory, enclosure::Laptop), "pc");
    EXPECT_EQ(categoryImage(*enclosureCategory, enclosure::None), "");
    EXPECT_EQ(categoryImage(*enclosureCategory, enclosure::Desktop), "");
    EXPECT_EQ(findCategory("99 node"), nullptr);

    // Every slot's category exists; "15 node" and "30 node" never receive an item.
    std::set<std::string> used;
    for (const PartSlot& s : allSlots())
        if (s.hasItemNode()) {
            EXPECT_NE(findCategory(s.categoryKey), nullptr) << s.slotName;
            used.insert(s.categoryKey);
        }
    EXPECT_EQ(used.count("15 node"), 0u);
    EXPECT_EQ(used.count("30 node"), 0u);
    EXPECT_EQ(used.size(), cats.size() - 2);
}

TEST(PartCatalogue, EnclosuresAndOperatingSystems) {
    ASSERT_EQ(enclosureItems().size(), 3u);
    EXPECT_EQ(findEnclosureItem(1)->itemKey, "37a node");
    EXPECT_EQ(findEnclosureItem(1)->itemText, "Tower");
    EXPECT_EQ(findEnclosureItem(1)->image, "tower");
    EXPECT_EQ(findEnclosureItem(2)->itemKey, "37b node");
    EXPECT_EQ(findEnclosureItem(2)->itemText, "Desktop");
    EXPECT_EQ(findEnclosureItem(2)->image, "tower");
    EXPECT_EQ(findEnclosureItem(3)->itemKey, "37c node");
    EXPECT_EQ(findEnclosureItem(3)->itemText, "Laptop");
    EXPECT_EQ(findEnclosureItem(3)->image, "pc");
    EXPECT_EQ(findEnclosureItem(0), nullptr);

    const std::vector<std::vector<std::string>> os = {
        {"mnuvista", "32a node", "Vista (32 bit)"}, {"mnuvista64", "32b node", "Vista (64 bit)"},
        {"mnu732", "32c node", "7 (32 bit)"},       {"mnu764", "32d node", "7 (64 bit)"},
        {"mnu832", "32e node", "8 (32 bit)"},       {"mnu864", "32g node", "8 (64 bit)"},
        {"mnu1032", "32h node", "10 (32 bit)"},     {"mnu1064", "32i node", "10 (64 bit)"},
    };
    ASSERT_EQ(osVersions().size(), os.size());
    for (std::size_t i = 0; i < os.size(); ++i) {
        EXPECT_EQ(osVersions()[i].menuName, os[i][0]);
        EXPECT_EQ(osVersions()[i].itemKey, os[i][1]);
        EXPECT_EQ(osVersions()[i].text, os[i][2]);
    }
}

TEST(PartCatalogue, ItemKeysAreUniqueOverTheWholeTree) {
    std::set<std::string> keys = {"1 node"};
    for (const Category& c : categories())
        EXPECT_TRUE(keys.insert(std::string(c.key)).second) << c.key;
    for (const PartSlot& s : allSlots()) {
        if (!s.itemKey.empty()) {
            EXPECT_TRUE(keys.insert(s.itemKey).second) << s.itemKey;
        }
    }
    for (const EnclosureItem& e : enclosureItems())
        EXPECT_TRUE(keys.insert(std::string(e.itemKey)).second);
    for (const OsVersion& o : osVersions())
        EXPECT_TRUE(keys.insert(std::string(o.itemKey)).second);
}

TEST(PartCatalogue, FamiliesListTheirMembersLowestFirst) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"back USB ports", "UsbPortBack"},
        {"front USB ports", "UsbPortFront"},
        {"Compact Flash devices", "CompactFlashDevice"},
        {"SD/MMC devices", "SdMmcDevice"},
        {"SM/xD-Picture devices", "SmXdDevice"},
        {"MS/MS-Pro devices", "MsProDevice"},
        {"Ethernet ports", "EthernetPort"},
        {"parallel ports", "ParallelPort"},
        {"serial ports", "SerialPort"},
        {"hard disk drives", "HardDiskDrive"},
        {"DVD/CD drives", "DvdCdDrive"},
        {"memory cards", "MemoryCard"},
        {"PCI cards", "PciCard"},
        {"SATA connectors", "SataConnector"},
        {"E-IDE connectors", "EideConnector"},
        {"FireWire sockets", "FireWireSocket"},
    };
    ASSERT_EQ(families().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Family& f = families()[i];
        EXPECT_EQ(f.name, expected[i].first);
        EXPECT_EQ(findFamily(f.name), &f);
        for (int n = 1; n <= f.size; ++n)
            EXPECT_EQ(slotAt(static_cast<PartCode>(f.first + n - 1)).slotName,
                      expected[i].second + std::to_string(n));
        EXPECT_EQ(findSlot(expected[i].second + std::to_string(f.size + 1)), nullptr)
            << f.name << " too short";
    }
}
