#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/PartCatalogue.h"
#include "modelview/IdentificationTable.h"
#include "tests/modelview/TableFiles.h"

using bw::modelview::findIdentification;
using bw::modelview::identifications;

namespace {

// Codes deliberately different from the transcribed table (see the mended-codes test).
const std::set<std::string> kMendedNames{"Frame0Cube_13b3", "Frame1Cube", "Frame1Cube_22"};

TEST(IdentificationTable, StartsWithTheEstablishedNamesInOrder) {
    const auto expected = bw::modeltest::identificationRows();
    ASSERT_EQ(expected.size(), 186u);
    ASSERT_GT(identifications().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& entry = identifications()[i];
        SCOPED_TRACE(expected[i].frameName);
        EXPECT_EQ(entry.frameName, expected[i].frameName);
        EXPECT_EQ(entry.caption, expected[i].caption);
        if (kMendedNames.count(expected[i].frameName) == 0) {
            EXPECT_EQ(entry.partCode.has_value(), expected[i].partCode.has_value());
            if (entry.partCode && expected[i].partCode) {
                EXPECT_EQ(*entry.partCode, *expected[i].partCode);
            }
        }
    }
}

TEST(IdentificationTable, MendedCodes) {
    const auto* drive = findIdentification("Frame0Cube_13b3");
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->caption, "CD/DVD Drive 3");
    EXPECT_EQ(drive->partCode, bw::catalogue::codes::DvdCdDrive3);

    const auto* socket = findIdentification("Frame1Cube");
    ASSERT_NE(socket, nullptr);
    EXPECT_EQ(socket->caption, "Ethernet Socket");
    EXPECT_FALSE(socket->partCode.has_value());

    const auto* amd = findIdentification("Frame1Cube_22");
    ASSERT_NE(amd, nullptr);
    EXPECT_EQ(amd->caption, "AMD Processor");
    EXPECT_EQ(amd->partCode, bw::catalogue::codes::AmdProcessor);
}

TEST(IdentificationTable, LookupIsExactAndNamesAreUnique) {
    std::set<std::string_view> names;
    for (const auto& entry : identifications()) {
        EXPECT_TRUE(names.insert(entry.frameName).second) << "twice: " << entry.frameName;
        EXPECT_EQ(findIdentification(entry.frameName), &entry);
        EXPECT_FALSE(entry.caption.empty()) << entry.frameName;
        if (entry.partCode) {
            EXPECT_TRUE(bw::catalogue::isSelectableCode(*entry.partCode)) << entry.frameName;
        }
    }
    const auto* board = findIdentification("Frame0Cube");
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->caption, "Motherboard");
    EXPECT_EQ(board->partCode, bw::catalogue::codes::Baseboard);
    const auto* bios = findIdentification("Frame15Cube_1");
    ASSERT_NE(bios, nullptr);
    EXPECT_FALSE(bios->partCode.has_value());
    EXPECT_EQ(findIdentification("frame0cube"), nullptr);
    EXPECT_EQ(findIdentification("Frame0Cub"), nullptr);
    EXPECT_EQ(findIdentification("Frame0Cube "), nullptr);
    EXPECT_EQ(findIdentification(""), nullptr);
}

} // namespace
