#include <gtest/gtest.h>

#include <map>
#include <set>

#include "modelview/FrameTable.h"
#include "tests/modelview/TableFiles.h"
#include "tests/support/TsvRows.h"

using namespace bw;
using namespace bw::modelview;
namespace codes = bw::catalogue::codes;

TEST(FrameTable, MatchesTheTranscribedTableRowForRow) {
    const auto rows = modeltest::frameRows();
    const auto& frames = partFrames();
    ASSERT_EQ(frames.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].frame);
        EXPECT_EQ(frames[i].name, rows[i].frame);
        EXPECT_EQ(frames[i].files, rows[i].files);
        EXPECT_FLOAT_EQ(frames[i].position.x, rows[i].position.x);
        EXPECT_FLOAT_EQ(frames[i].position.y, rows[i].position.y);
        EXPECT_FLOAT_EQ(frames[i].position.z, rows[i].position.z);
        EXPECT_EQ(std::vector<int>(frames[i].partCodes.begin(), frames[i].partCodes.end()),
                  rows[i].partCodes);
    }
    EXPECT_EQ(frames[frames.size() - 2].name, kAxesFrame);
    EXPECT_EQ(frames.back().name, kBaseFrame);
}

TEST(FrameTable, LoadSequenceReadsEveryFileOnceInItsFramesOrder) {
    const auto& frames = partFrames();
    std::map<std::size_t, std::size_t> nextFile;
    std::vector<std::string> order;
    for (const LoadStep& step : loadSequence()) {
        EXPECT_EQ(step.first, nextFile[step.frame]) << frames[step.frame].name << " read out of order";
        nextFile[step.frame] = step.first + step.count;
        order.push_back(frames[step.frame].name);
    }
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(nextFile[i], frames[i].files.size()) << frames[i].name << " not read completely";

    // The board is read in four runs, around the frames that come between.
    EXPECT_EQ(order.front(), "boardFrame");
    EXPECT_EQ(order[1], "ps2ConnectorFrame");
    EXPECT_EQ(order[2], "boardFrame");
    EXPECT_EQ(order[3], "northBridgeFrame");
    EXPECT_EQ(std::count(order.begin(), order.end(), "boardFrame"), 4);
    EXPECT_EQ(order.back(), "baseFrame");
    EXPECT_EQ(order[order.size() - 2], "axesFrame");
    // The first PCI card is filled after the integrated video and before the battery.
    const auto card = std::find(order.begin(), order.end(), "pciCardFrame1");
    ASSERT_NE(card, order.end());
    EXPECT_EQ(*(card - 1), "integratedVideoFrame");
    EXPECT_EQ(*(card + 1), "batteryFrame");
}

TEST(FrameTable, LoadSequenceMatchesTheTranscribedOrder) {
    const auto rows = tests::readTsvRows(LOAD_SEQUENCE_TABLE, 3);
    const auto& steps = loadSequence();
    ASSERT_EQ(steps.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(partFrames()[steps[i].frame].name, rows[i][0]);
        EXPECT_EQ(steps[i].first, std::stoul(rows[i][1]));
        EXPECT_EQ(steps[i].count, std::stoul(rows[i][2]));
    }
}

TEST(FrameTable, PartSlotsSwitchTheirFrames) {
    auto names = [](catalogue::PartCode code) {
        std::vector<std::string> result;
        for (std::size_t i : framesShowing(code))
            result.push_back(partFrames()[i].name);
        return result;
    };
    EXPECT_EQ(names(codes::Baseboard), std::vector<std::string>{"boardFrame"});
    EXPECT_EQ(names(codes::KeyboardUsb2), (std::vector<std::string>{"usbPlugFrame2", "usbKeyboardFrame2"}));
    EXPECT_EQ(names(codes::MouseUsb2), (std::vector<std::string>{"usbPlugFrame2", "usbMouseFrame2"}));
    EXPECT_EQ(names(codes::DvdCdDrive3), std::vector<std::string>{"opticalDriveFrame3"});
    EXPECT_EQ(names(codes::PciCard7), std::vector<std::string>{"pciCardFrame7"});
    // Slots without a frame of their own (the enclosure, the integrated parts without a model).
    EXPECT_TRUE(names(codes::Enclosure).empty());
    EXPECT_THROW(frameIndex("noSuchFrame"), std::out_of_range);
}
