#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "catalogue/DesignFile.h"

using namespace bw::catalogue;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A tower to which nothing but the motherboard has been added.
SystemStore towerWithMotherboard() {
    SystemStore store;
    store.setCurrentSystem(*store.addSystem());
    store.setPresent(1, codes::Enclosure, true);
    store.setExtraInteger(1, codes::Enclosure, enclosure::Tower);
    store.setPresent(1, codes::Baseboard, true);
    store.setText(1, codes::Baseboard, TextField::PartName, "Baseboard");
    return store;
}

struct TempDir {
    fs::path path =
        fs::temp_directory_path() / ("bw-design-" + std::to_string(::getpid()) + "-" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        ::chmod(path.c_str(), 0700);
        fs::remove_all(path);
    }
};

} // namespace

TEST(DesignFile, FirstLinesOfATowerWithItsMotherboard) {
    const std::string text = designFileText(towerWithMotherboard());
    const std::string expectedStart = " 1 \r\nTrue\r\n 1 \r\n\r\n\r\n\r\n\r\n" // count, Enclosure
                                      "False\r\n\r\n\r\n\r\n\r\n"              // MousePs2
                                      "False\r\n\r\n\r\n\r\n\r\n"              // KeyboardPs2
                                      "False\r\n 0 \r\n\r\n\r\n\r\n\r\n"       // OperatingSystem
                                      "False\r\n\r\n\r\n\r\n\r\n"              // Screen
                                      "True\r\n\r\nBaseboard\r\n\r\n\r\n"      // Baseboard
                                      "False\r\n";                             // Ps2Connector
    ASSERT_GE(text.size(), expectedStart.size());
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(linesOf(text).size(), 1u + kLinesPerSystem);
}

TEST(DesignFile, EmptyStoreAndManySystems) {
    SystemStore store;
    EXPECT_EQ(designFileText(store), " 0 \r\n");
    for (int i = 0; i < 5; ++i)
        store.addSystem();
    const auto lines = linesOf(designFileText(store));
    ASSERT_EQ(lines.size(), 1u + 5u * kLinesPerSystem);
    EXPECT_EQ(lines[0], " 5 ");
    // The first line of slot k of system s sits where the layout puts it.
    auto firstLine = [](int s, int k) {
        const int d = k == 0 ? 1 : k <= 3 ? 5 * k + 2 : 5 * k + 3;
        return 1 + kLinesPerSystem * (s - 1) + d;
    };
    for (int s = 1; s <= 5; ++s)
        for (int k : {0, 1, 3, 4, 5, 171})
            EXPECT_EQ(lines[static_cast<std::size_t>(firstLine(s, k) - 1)], "False");
    EXPECT_EQ(lines[static_cast<std::size_t>(firstLine(3, 3))], " 0 ");
}

TEST(DesignFile, ValuesAreWrittenAsStored) {
    SystemStore store;
    store.addSystem();
    store.addSystem();
    // Details stored for a part that is not present; a cost with letters and spaces; UTF-8.
    store.setCost(2, 70, "about £ 40 each");
    store.setText(2, 70, TextField::PartName, "Hard Disk Drive 1");
    store.setText(2, 70, TextField::Manufacturer, "Ölwerk");
    store.setText(2, 70, TextField::Model, "  spaced  ");
    store.setExtraInteger(2, codes::Enclosure, -3);
    const auto lines = linesOf(designFileText(store));
    const std::size_t at = kLinesPerSystem + 5 * 70 + 3; // system 2, slot 70, zero-based
    EXPECT_EQ(lines[at], "False");
    EXPECT_EQ(lines[at + 1], "about £ 40 each");
    EXPECT_EQ(lines[at + 2], "Hard Disk Drive 1");
    EXPECT_EQ(lines[at + 3], "Ölwerk");
    EXPECT_EQ(lines[at + 4], "  spaced  ");
    EXPECT_EQ(lines[kLinesPerSystem + 2], "-3 ");
}

TEST(DesignFile, WritingReplacesTheFileAndFailureKeepsTheOldOne) {
    TempDir dir;
    const fs::path file = dir.path / "Untitled.VELDR";
    SystemStore store = towerWithMotherboard();
    ASSERT_TRUE(writeDesignFile(file, store).ok);
    store.setText(1, codes::Baseboard, TextField::Manufacturer, "Second");
    ASSERT_TRUE(writeDesignFile(file, store).ok);
    const std::string saved = readFile(file);
    EXPECT_EQ(saved, designFileText(store));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1)
        << "temporary file left";

    // A write that fails half-way (the disk is "full"): the old file stays, no temporary is left.
    {
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = old;
        tiny.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        SystemStore big;
        for (int i = 0; i < 20; ++i)
            big.addSystem();
        const WriteOutcome full = writeDesignFile(file, big);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_FALSE(full.ok);
        EXPECT_EQ(readFile(file), saved);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    }
    // A path that names a folder, or a missing folder, fails cleanly.
    const WriteOutcome intoFolder = writeDesignFile(dir.path, store);
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_TRUE(fs::is_directory(dir.path));
    EXPECT_FALSE(writeDesignFile(dir.path / "missing" / "x.VELDR", store).ok);
}

TEST(DesignFile, AWrittenFileKeepsItsPermissions) {
    TempDir dir;
    const fs::path file = dir.path / "Private.VELDR";
    SystemStore store = towerWithMotherboard();
    ASSERT_TRUE(writeDesignFile(file, store).ok);
    ::chmod(file.c_str(), 0600);
    store.setText(1, codes::Baseboard, TextField::Model, "Second");
    ASSERT_TRUE(writeDesignFile(file, store).ok);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readFile(file), designFileText(store));
}

TEST(DesignFile, AFolderThatCannotBeWrittenKeepsTheOldFileAndSaysWhy) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, which writes into read-only folders anyway";
    TempDir dir;
    const fs::path file = dir.path / "Untitled.VELDR";
    SystemStore store = towerWithMotherboard();
    ASSERT_TRUE(writeDesignFile(file, store).ok);
    const std::string saved = readFile(file);
    // A writable file would be rewritten in place; a read-only one cannot be saved at all.
    ::chmod(file.c_str(), 0444);
    ::chmod(dir.path.c_str(), 0500);
    store.addSystem();
    const WriteOutcome failed = writeDesignFile(file, store);
    ::chmod(dir.path.c_str(), 0700);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_EQ(readFile(file), saved);
}
