#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "scene3d/platform/common/RegularFile.h"

namespace fs = std::filesystem;
using bw::FileRead;
using bw::readRegularFile;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("regular-file-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    fs::path write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
        return path / name;
    }
};

std::string text(const bw::RegularFile& file) { return {file.bytes.begin(), file.bytes.end()}; }

} // namespace

TEST(RegularFile, ReadsWholeFilesWithinTheLimitOrTheirHead) {
    Folder folder;
    const fs::path file = folder.write("a.txt", "hello\nworld");
    EXPECT_EQ(readRegularFile(file, 100).outcome, FileRead::Ok);
    EXPECT_EQ(text(readRegularFile(file, 100)), "hello\nworld");
    EXPECT_EQ(text(readRegularFile(file, 11)), "hello\nworld") << "exactly the limit is fine";
    EXPECT_EQ(readRegularFile(file, 10).outcome, FileRead::TooLarge);
    EXPECT_TRUE(readRegularFile(file, 10).bytes.empty());
    EXPECT_EQ(text(readRegularFile(file, 5, true)), "hello");
    EXPECT_EQ(text(readRegularFile(folder.write("empty", ""), 10)), "");

    fs::create_symlink(file, folder.path / "link");
    EXPECT_EQ(text(readRegularFile(folder.path / "link", 100)), "hello\nworld") << "links are followed";
}

TEST(RegularFile, AnythingButARegularFileReadsAsMissingWithoutBlocking) {
    Folder folder;
    EXPECT_EQ(readRegularFile(folder.path / "none", 100).outcome, FileRead::Missing);
    EXPECT_EQ(readRegularFile(folder.path / "none" / "deeper", 100).outcome, FileRead::Missing);
    EXPECT_EQ(readRegularFile(folder.path, 100).outcome, FileRead::NotRegular);
    // A named pipe nobody writes to: opening it for reading would wait for ever.
    const fs::path pipe = folder.path / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(pipe, 100).outcome, FileRead::NotRegular);
    fs::create_symlink(pipe, folder.path / "to-pipe");
    EXPECT_EQ(readRegularFile(folder.path / "to-pipe", 100).outcome, FileRead::NotRegular);
    EXPECT_EQ(readRegularFile("/dev/zero", 100, true).outcome, FileRead::NotRegular) << "endless device";
}

TEST(RegularFile, AnOpenFolderReadsItsFilesByNameAsTheirPathsWould) {
    Folder folder;
    folder.write("a.txt", "hello");
    fs::create_directories(folder.path / "sub");
    folder.write("sub/b.txt", "inner");
    const bw::OpenFolder open(folder.path);
    EXPECT_EQ(text(open.read("a.txt", 100)), "hello");
    EXPECT_EQ(text(open.read("sub/b.txt", 100)), "inner");
    EXPECT_EQ(open.read("a.txt", 4).outcome, FileRead::TooLarge);
    EXPECT_EQ(open.read("sub", 100).outcome, FileRead::NotRegular);
    EXPECT_EQ(open.read("missing", 100).outcome, FileRead::Missing);
    // A file written after the folder was opened is found too.
    folder.write("later.txt", "late");
    EXPECT_EQ(text(open.read("later.txt", 100)), "late");

    // A folder that cannot be opened reads by the whole path, with the same outcomes.
    const bw::OpenFolder missing(folder.path / "not-there");
    EXPECT_EQ(missing.read("a.txt", 100).outcome, FileRead::Missing);
    const bw::OpenFolder notAFolder(folder.path / "a.txt");
    EXPECT_NE(notAFolder.read("x", 100).outcome, FileRead::Ok);
}
