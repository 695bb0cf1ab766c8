#include <gtest/gtest.h>

#include <vector>

#include "catalogue/PartsList.h"

using namespace bw::catalogue;

namespace {

const NumberFormat kEnUs{".", ",", "-"};

void addPart(SystemStore& store, int system, PartCode code, const std::string& name = {},
             const std::string& cost = {}) {
    store.setPresent(system, code, true);
    if (!name.empty()) store.setText(system, code, TextField::PartName, name);
    if (!cost.empty()) store.setCost(system, code, cost);
}

} // namespace

TEST(PartsList, ListsPresentPartsInCatalogueOrderWithTheirCategories) {
    SystemStore store;
    store.addSystem();
    store.addSystem();
    store.setExtraInteger(1, codes::Enclosure, enclosure::Tower);
    addPart(store, 1, codes::PowerSupplyUnit, "Corsair RM750", "$ 99.90");
    addPart(store, 1, codes::MemoryCard2, "", "$ 40");
    addPart(store, 1, codes::IntelProcessor, "Core i7", "$ 300");
    store.setText(1, codes::IntelProcessor, TextField::Manufacturer, "Intel");
    store.setText(1, codes::IntelProcessor, TextField::Model, "i7-12700K");
    addPart(store, 1, codes::Screen);
    addPart(store, 1, codes::OperatingSystem, "10 (64 bit)", "a gift");
    addPart(store, 1, codes::Baseboard, "  ");
    addPart(store, 1, codes::Enclosure);
    store.setCost(1, codes::HardDiskDrive1, "$ 1000"); // priced but not present
    addPart(store, 2, codes::AmdProcessor, "", "$ 5");

    const PartsList list = partsListOf(store, 1, kEnUs);
    struct Expected {
        PartCode code;
        std::string category, part, cost;
    };
    const std::vector<Expected> expected = {
        {codes::Enclosure, "Enclosure", "Tower", ""},
        {codes::OperatingSystem, "OS", "10 (64 bit)", "a gift"},
        {codes::Screen, "Other", "Screen", ""},
        {codes::Baseboard, "Motherboard", "Motherboard", ""},
        {codes::IntelProcessor, "Processor", "Core i7", "$ 300"},
        {codes::MemoryCard2, "Physical Memory", "Memory Card (Slot 2)", "$ 40"},
        {codes::PowerSupplyUnit, "Other", "Corsair RM750", "$ 99.90"},
    };
    ASSERT_EQ(list.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PartsListRow& row = list.rows[i];
        EXPECT_EQ(row.code, expected[i].code) << i;
        EXPECT_EQ(row.category, expected[i].category) << i;
        EXPECT_EQ(row.part, expected[i].part) << i;
        EXPECT_EQ(row.cost, expected[i].cost) << i;
        EXPECT_EQ(row.reading.has_value(), !row.cost.empty() && row.cost != "a gift") << i;
    }
    EXPECT_EQ(list.rows[4].manufacturer, "Intel");
    EXPECT_EQ(list.rows[4].model, "i7-12700K");
    EXPECT_EQ(totalLabel(list.total, list.format), "Total $ 439.90 (4 parts not priced)");

    store.setExtraInteger(1, codes::Enclosure, enclosure::Laptop);
    EXPECT_EQ(partsListOf(store, 1, kEnUs).rows[0].part, "Laptop");
    store.setExtraInteger(1, codes::Enclosure, 9);
    EXPECT_EQ(partsListOf(store, 1, kEnUs).rows[0].part, "Enclosure");
    store.setText(1, codes::Enclosure, TextField::PartName, "Fractal North");
    EXPECT_EQ(partsListOf(store, 1, kEnUs).rows[0].part, "Fractal North");

    for (int missing : {0, 3, -1}) {
        const PartsList none = partsListOf(store, missing, kEnUs);
        EXPECT_TRUE(none.rows.empty()) << missing;
        EXPECT_EQ(none.total.notPricedParts(), 0);
    }
}

TEST(PartsList, EverySlotHasACategoryAndAName) {
    SystemStore store;
    store.addSystem();
    for (const PartSlot& slot : allSlots())
        store.setPresent(1, slot.code, true);
    const PartsList list = partsListOf(store, 1, kEnUs);
    ASSERT_EQ(list.rows.size(), static_cast<std::size_t>(kSlotCount));
    int others = 0;
    for (const PartsListRow& row : list.rows) {
        EXPECT_FALSE(row.category.empty()) << row.code;
        EXPECT_FALSE(row.part.empty()) << row.code;
        others += row.category == kOtherCategory;
    }
    EXPECT_EQ(others, 2) << "the screen and the power supply unit";
    EXPECT_EQ(list.total.notPricedParts(), kSlotCount);
}
