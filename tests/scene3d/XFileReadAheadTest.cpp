// Files read ahead on other threads walk exactly as files read on the spot: the same
// objects in the same order, a failure at the same place, a missing file as missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XFileReadAhead.h"
#include "tests/scene3d/support/HostileXFiles.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// What a walk over a file met: object names, then "error" when reading failed, then
// what the walk gives after the failure ("end").
std::vector<std::string> walk(XFile& file) {
    std::vector<std::string> met;
    for (int steps = 0; steps < 100; ++steps) {
        try {
            const XDataObject* object = file.nextObject();
            met.push_back(object ? object->name : "end");
            if (!object) break;
        } catch (const PlatformError&) {
            met.push_back("error");
        }
    }
    return met;
}

std::vector<std::string> walkOnTheSpot(const fs::path& path) {
    try {
        XFile file = XFile::open(path);
        return walk(file);
    } catch (const PlatformError&) {
        return {"cannot open"};
    }
}

class XFileReadAheadTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("read_ahead_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        for (int i = 0; i < 12; ++i) {
            std::string text = "xof 0302txt 0032\n";
            for (int k = 0; k <= i % 3; ++k)
                text += "Frame F" + std::to_string(i) + "_" + std::to_string(k) + " { }\n";
            if (i % 4 == 3) text += "Frame Broken { Mesh { 2; 1.0; } }\nFrame Never { }\n";
            write("f" + std::to_string(i) + ".x", text);
        }
        write("notx.x", "this is not a model");
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }

    // The files in an order with repeats, a missing file and a file of another kind.
    std::vector<fs::path> paths() const {
        std::vector<fs::path> list;
        for (int i : {0, 1, 2, 3, 4, 5, 3, 6, 7, 8, 9, 10, 11, 0, 7})
            list.push_back(folder / ("f" + std::to_string(i) + ".x"));
        list.insert(list.begin() + 4, folder / "missing.x");
        list.insert(list.begin() + 9, folder / "notx.x");
        return list;
    }

    fs::path folder;
};

TEST_F(XFileReadAheadTest, WalksAsFilesReadOnTheSpot) {
    const auto list = paths();
    std::vector<std::vector<std::string>> expected;
    expected.reserve(list.size());
    for (const fs::path& path : list)
        expected.push_back(walkOnTheSpot(path));
    ASSERT_EQ(expected[4], std::vector<std::string>{"cannot open"});
    ASSERT_EQ(expected[3], (std::vector<std::string>{"F3_0", "error", "end"}));

    // A window of one byte reads ahead no further than the file to be taken next.
    for (unsigned readers : {0u, 1u, 3u}) {
        for (std::size_t window : {1u, 4u}) {
            for (std::uint64_t windowBytes : {std::uint64_t{1}, maxReadAheadBytes}) {
                SCOPED_TRACE("readers " + std::to_string(readers) + ", window " + std::to_string(window) +
                             ", bytes " + std::to_string(windowBytes));
                XFileReadAhead files(list, readers, window, windowBytes);
                for (std::size_t i = 0; i < list.size(); ++i) {
                    std::optional<XFile> file = files.take();
                    EXPECT_EQ(file ? walk(*file) : std::vector<std::string>{"cannot open"}, expected[i])
                        << list[i];
                }
            }
        }
    }
}

TEST_F(XFileReadAheadTest, AFileRefusedForItsSizeIsThrownWhereItIsTaken) {
    const auto bomb = test::compressedFrames(1000);
    std::ofstream(folder / "bomb.x", std::ios::binary)
        .write(reinterpret_cast<const char*>(bomb.data()), static_cast<std::streamsize>(bomb.size()));
    const std::vector<fs::path> list{folder / "f1.x", folder / "bomb.x", folder / "missing.x",
                                     folder / "f2.x"};
    for (unsigned readers : {0u, 2u}) {
        XFileReadAhead files(list, readers);
        EXPECT_TRUE(files.take());
        try {
            files.take();
            ADD_FAILURE() << "the bomb is taken as a file";
        } catch (const PlatformError& e) {
            EXPECT_TRUE(refusesFile(e)) << e.what();
        }
        EXPECT_FALSE(files.take()) << "a missing file is still only missing";
        std::optional<XFile> last = files.take();
        ASSERT_TRUE(last);
        EXPECT_GT(last->heldBytes(), 16u);
    }
}

TEST_F(XFileReadAheadTest, ReadingEverythingFirstChangesNothingForTheWalk) {
    for (const fs::path& path : paths()) {
        SCOPED_TRACE(path.string());
        const auto expected = walkOnTheSpot(path);
        if (expected.front() == "cannot open") continue;
        XFile file = XFile::open(path);
        EXPECT_FALSE(file.walkAgain()) << "not read yet";
        file.readRemaining();
        std::optional<XFile> again = file.walkAgain();
        EXPECT_EQ(walk(file), expected);
        // A second walk shares the objects of a file read without a failure.
        const bool failed = std::find(expected.begin(), expected.end(), "error") != expected.end();
        ASSERT_EQ(again.has_value(), !failed);
        if (again) {
            EXPECT_EQ(walk(*again), expected);
        }
    }
}

TEST_F(XFileReadAheadTest, AFileReadWholeWalksAsReadOnTheSpotAndHandsItsBufferOn) {
    const OpenFolder open(folder);
    FileBytes buffer;
    // The largest file first: the others then fit in the buffer it left.
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("f" + std::to_string(i) + ".x");
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return fs::file_size(folder / a) > fs::file_size(folder / b);
    });
    const std::uint8_t* first = nullptr;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto expected = walkOnTheSpot(folder / name);
        XFile file = XFile::readWhole(open, name, buffer);
        if (!first) first = reinterpret_cast<const std::uint8_t*>(buffer.data());
        EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(buffer.data()), first) << "the buffer was made again";
        EXPECT_EQ(buffer.size(), fs::file_size(folder / name));
        // The walk and what the file holds: its values, not its bytes (now the buffer's).
        std::optional<XFile> again = file.walkAgain();
        EXPECT_EQ(walk(file), expected);
        if (again) {
            EXPECT_EQ(walk(*again), expected);
        }
        XFile held = XFile::open(folder / name);
        held.readRemaining();
        EXPECT_EQ(file.heldBytes(), held.heldBytes() - buffer.size());
    }
    EXPECT_THROW(XFile::readWhole(open, "missing.x", buffer), PlatformError);
    EXPECT_THROW(XFile::readWhole(open, "notx.x", buffer), PlatformError);
}

TEST_F(XFileReadAheadTest, FilesNotTakenAreDroppedWithoutWaitingForThem) {
    std::vector<fs::path> many(200, paths().front());
    XFileReadAhead files(many, 2, 8);
    EXPECT_TRUE(files.take().has_value());
    // Leaving now must stop the readers, not read the other 199.
}

} // namespace
} // namespace bw
