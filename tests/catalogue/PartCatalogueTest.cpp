#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/PartCatalogue.h"
#include "tests/support/TsvRows.h"

using namespace bw::catalogue;

namespace {

struct ExpectedRow {
    int code;
    std::string slot, category, itemKey, itemText, image, defaultName;
};

// The catalogue as transcribed row by row into slots.tsv, independently of the code.
std::vector<ExpectedRow> expectedRows() {
    std::vector<ExpectedRow> rows;
    for (const auto& c : bw::tests::readTsvRows(CATALOGUE_TABLES "/slots.tsv", 7))
        rows.push_back({std::stoi(c[0]), c[1], c[2], c[3], c[4], c[5], c[6]});
    return rows;
}

std::vector<std::vector<std::string>> table(const char* file, std::size_t columns) {
    return bw::tests::readTsvRows(std::string(CATALOGUE_TABLES "/") + file, columns);
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
    const auto expected = table("categories.tsv", 3);
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
    const auto enclosures = table("enclosures.tsv", 4);
    ASSERT_EQ(enclosureItems().size(), enclosures.size());
    for (const auto& row : enclosures) {
        const EnclosureItem* item = findEnclosureItem(static_cast<std::int16_t>(std::stoi(row[0])));
        ASSERT_NE(item, nullptr) << row[0];
        EXPECT_EQ(item->itemKey, row[1]);
        EXPECT_EQ(item->itemText, row[2]);
        EXPECT_EQ(item->image, row[3]);
    }
    EXPECT_EQ(findEnclosureItem(0), nullptr);

    const auto os = table("os_versions.tsv", 3);
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
    const auto expected = table("families.tsv", 2);
    ASSERT_EQ(families().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Family& f = families()[i];
        EXPECT_EQ(f.name, expected[i][0]);
        EXPECT_EQ(findFamily(f.name), &f);
        for (int n = 1; n <= f.size; ++n)
            EXPECT_EQ(slotAt(static_cast<PartCode>(f.first + n - 1)).slotName,
                      expected[i][1] + std::to_string(n));
        EXPECT_EQ(findSlot(expected[i][1] + std::to_string(f.size + 1)), nullptr) << f.name << " too short";
    }
}
