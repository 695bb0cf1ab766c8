#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/DesignFile.h"
#include "catalogue/SingleLine.h"
#include "catalogue/SystemStore.h"

using namespace bw::catalogue;

TEST(SystemStore, NewSystemsStartEmptyAndKeepOlderValues) {
    SystemStore store;
    EXPECT_EQ(store.systemCount(), 0);
    EXPECT_EQ(store.currentSystem(), 0);

    for (int expected = 1; expected <= 3; ++expected) {
        auto added = store.addSystem();
        ASSERT_TRUE(added);
        EXPECT_EQ(*added, expected);
        store.setCurrentSystem(*added);
        EXPECT_EQ(store.currentSystem(), expected);
        if (expected == 1) {
            store.setPresent(1, codes::Enclosure, true);
            store.setExtraInteger(1, codes::Enclosure, enclosure::Tower);
            store.setPresent(1, codes::Baseboard, true);
            store.setText(1, codes::Baseboard, TextField::PartName, "Baseboard");
            store.setCost(1, codes::HardDiskDrive1, "£ 99");
        }
    }
    EXPECT_TRUE(store.isPresent(1, codes::Baseboard));
    EXPECT_EQ(store.extraInteger(1, codes::Enclosure), enclosure::Tower);
    EXPECT_EQ(store.text(1, codes::Baseboard, TextField::PartName), "Baseboard");
    EXPECT_EQ(store.cost(1, codes::HardDiskDrive1), "£ 99");
    for (int code = 0; code < kSlotCount; ++code) {
        EXPECT_FALSE(store.isPresent(3, code));
        EXPECT_EQ(store.cost(3, code), std::nullopt);
        EXPECT_EQ(store.text(3, code, TextField::PartName), "");
        EXPECT_EQ(store.text(3, code, TextField::Manufacturer), "");
        EXPECT_EQ(store.text(3, code, TextField::Model), "");
    }
    EXPECT_EQ(store.extraInteger(3, codes::Enclosure), 0);
    EXPECT_EQ(store.extraInteger(3, codes::OperatingSystem), 0);
}

TEST(SystemStore, FieldsAreIndependentPerSystemAndSlot) {
    SystemStore store;
    store.addSystem();
    store.addSystem();
    store.setText(2, codes::ParallelPort1, TextField::Manufacturer, "Acme");
    store.setText(2, codes::ParallelPort1, TextField::Model, "P-1");
    store.setCost(2, codes::ParallelPort1, "");
    EXPECT_EQ(store.text(1, codes::ParallelPort1, TextField::Manufacturer), "");
    EXPECT_EQ(store.text(2, codes::ParallelPort2, TextField::Manufacturer), "");
    EXPECT_EQ(store.text(2, codes::ParallelPort1, TextField::PartName), "");
    EXPECT_EQ(store.cost(2, codes::ParallelPort1), std::string()); // stored empty is not unset
    EXPECT_EQ(store.cost(2, codes::ParallelPort2), std::nullopt);
    store.setText(2, codes::ParallelPort1, TextField::Manufacturer, "Other");
    EXPECT_EQ(store.text(2, codes::ParallelPort1, TextField::Manufacturer), "Other");
    // Only the two slots with extra integers hold one.
    store.setExtraInteger(2, codes::ParallelPort1, 7);
    EXPECT_EQ(store.extraInteger(2, codes::ParallelPort1), 0);
}

TEST(SystemStore, OutOfRangeSystemsAndCodesNeverTouchTheStore) {
    SystemStore store;
    // No system at all.
    store.setPresent(0, codes::Baseboard, true);
    store.setPresent(1, codes::Baseboard, true);
    store.setText(1, codes::Baseboard, TextField::PartName, "x");
    EXPECT_FALSE(store.isPresent(1, codes::Baseboard));
    EXPECT_EQ(store.text(1, codes::Baseboard, TextField::PartName), "");

    store.addSystem();
    for (int system : {-32768, -1, 0, 2, 32767}) {
        store.setPresent(system, codes::Baseboard, true);
        store.setCost(system, codes::Baseboard, "1");
        store.setText(system, codes::Baseboard, TextField::Model, "m");
        store.setExtraInteger(system, codes::Enclosure, 3);
        EXPECT_FALSE(store.isPresent(system, codes::Baseboard));
        EXPECT_EQ(store.cost(system, codes::Baseboard), std::nullopt);
    }
    for (int code : {-1, 172, 30000}) {
        store.setPresent(1, code, true);
        store.setText(1, code, TextField::Model, "m");
        EXPECT_FALSE(store.isPresent(1, code));
        EXPECT_EQ(store.text(1, code, TextField::Model), "");
    }
    for (int code = 0; code < kSlotCount; ++code) {
        EXPECT_FALSE(store.isPresent(1, code));
        EXPECT_EQ(store.text(1, code, TextField::Model), "");
    }
    EXPECT_EQ(store.extraInteger(1, codes::Enclosure), 0);
}

TEST(SystemStore, RefusesTheSystemAfter32767) {
    SystemStore store;
    for (int i = 1; i <= SystemStore::kMaxSystems; ++i)
        ASSERT_EQ(store.addSystem(), i);
    store.setPresent(32767, codes::MouseUsb8, true);
    store.setText(32767, codes::MouseUsb8, TextField::PartName, "last");
    store.setCurrentSystem(32767);

    EXPECT_EQ(store.addSystem(), std::nullopt);
    EXPECT_EQ(store.systemCount(), 32767);
    EXPECT_EQ(store.currentSystem(), 32767);
    EXPECT_TRUE(store.isPresent(32767, codes::MouseUsb8));
    EXPECT_EQ(store.text(32767, codes::MouseUsb8, TextField::PartName), "last");
}

TEST(SystemStore, ClearEmptiesButKeepsTheCurrentIndex) {
    SystemStore store;
    store.addSystem();
    store.addSystem();
    store.setCurrentSystem(2);
    store.setPresent(2, codes::UsbPortBack2, true);
    store.clear();
    EXPECT_EQ(store.systemCount(), 0);
    EXPECT_EQ(store.currentSystem(), 2);
    EXPECT_FALSE(store.isValidSystem(2));
    EXPECT_FALSE(store.isPresent(2, codes::UsbPortBack2));

    EXPECT_EQ(store.addSystem(), 1);
    EXPECT_FALSE(store.isPresent(1, codes::UsbPortBack2));
}

TEST(SystemStore, LineBreaksInTextAndCostsBecomeSpaces) {
    EXPECT_EQ(onOneLine("a\r\nb\rc\nd\ve\ff"), "a b c d e f");
    EXPECT_EQ(onOneLine("next\u0085line\u2028sep\u2029para"), "next line sep para");
    EXPECT_EQ(onOneLine("\r\n\r\n"), "  ") << "each break is one space, CR LF included";
    EXPECT_EQ(onOneLine("tab\tand £ € ✓ stay"), "tab\tand £ € ✓ stay");
    EXPECT_EQ(onOneLine(std::string("\xC2\xA0 \xE2\x80\xA7 \xC2")), "\xC2\xA0 \xE2\x80\xA7 \xC2")
        << "neighbours of the separators and a cut sequence are kept as they are";
    EXPECT_EQ(onOneLine(""), "");

    // A spreadsheet cell pasted into a box: the design file keeps one value a line.
    SystemStore store;
    store.addSystem();
    store.setText(1, codes::Baseboard, TextField::Manufacturer, "Acme\r\nBoards");
    store.setText(1, codes::Baseboard, TextField::Model, "X1\n");
    store.setCost(1, codes::Baseboard, "199.99\r\n");
    EXPECT_EQ(store.text(1, codes::Baseboard, TextField::Manufacturer), "Acme Boards");
    EXPECT_EQ(store.text(1, codes::Baseboard, TextField::Model), "X1 ");
    EXPECT_EQ(store.cost(1, codes::Baseboard), "199.99 ");
    const std::string file = designFileText(store);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + kLinesPerSystem);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 1 + kLinesPerSystem);
}
