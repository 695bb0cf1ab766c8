#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

#include "storage/FileReplacement.h"

using bw::storage::replaceFile;
namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;
constexpr const char* kStillRoot = "cannot leave root";

struct TempDir {
    fs::path path =
        fs::temp_directory_path() / ("bw-storage-" + std::to_string(::getpid()) + "-" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() { fs::create_directories(path); }
    ~TempDir() {
        ::chmod(path.c_str(), 0700);
        fs::remove_all(path);
    }
};

std::string message(int error) { return std::generic_category().message(error); }

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_ino;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a child process finds wrong, one line each; it reports instead of asserting.
struct Findings {
    std::string text;
    void expect(bool holds, const std::string& what) {
        if (!holds) text += what + "\n";
    }
};

// Runs `check` in a child process, which may limit itself (file size, user) without
// touching the test, and returns its findings.
std::string inChild(const std::function<std::string()>& check) {
    int ends[2];
    if (::pipe(ends) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child < 0) return "no fork";
    if (child == 0) {
        ::close(ends[0]);
        std::string findings;
        try {
            findings = check();
        } catch (const std::exception& e) {
            findings = std::string("exception: ") + e.what();
        }
        for (std::size_t done = 0; done < findings.size();) {
            const ssize_t wrote = ::write(ends[1], findings.data() + done, findings.size() - done);
            if (wrote <= 0) break;
            done += static_cast<std::size_t>(wrote);
        }
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string findings;
    char block[512];
    for (ssize_t got; (got = ::read(ends[0], block, sizeof block)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        findings.append(block, static_cast<std::size_t>(got));
    }
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) findings += "the child did not end normally\n";
    return findings;
}

// Permissions stop everyone but root; root's child becomes nobody, owning `folder`.
std::string asOrdinaryUser(const fs::path& folder, const std::function<std::string()>& check) {
    if (::geteuid() == 0 && ::chown(folder.c_str(), kNobody, kNobody) != 0) return kStillRoot;
    return inChild([&] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return std::string(kStillRoot);
        if (::access(folder.c_str(), W_OK | X_OK) != 0) return std::string(kStillRoot);
        return check();
    });
}

// Lets the child's writes stop at `bytes` with EFBIG rather than kill it with SIGXFSZ.
void limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

TEST(FileReplacement, KeepsThePermissionBitsAndGivesANewFileTheUmasksMode) {
    TempDir dir;
    const fs::path file = dir.path / "design.VELDR";
    const mode_t umaskBefore = ::umask(022);
    ASSERT_TRUE(replaceFile(file, "first").ok);
    EXPECT_EQ(modeOf(file), 0644u);
    ::umask(077);
    ASSERT_TRUE(replaceFile(dir.path / "private", "p").ok);
    EXPECT_EQ(modeOf(dir.path / "private"), 0600u);
    ::umask(umaskBefore);

    for (const mode_t mode : {0600u, 0444u, 0751u, 0640u}) {
        ::chmod(file.c_str(), mode);
        const std::string content = "content for mode " + std::to_string(mode);
        const auto replaced = replaceFile(file, content);
        EXPECT_TRUE(replaced.ok) << replaced.error;
        EXPECT_EQ(readFile(file), content);
        EXPECT_EQ(modeOf(file), mode);
    }
    ASSERT_TRUE(replaceFile(file, "").ok);
    EXPECT_EQ(readFile(file), "") << "an empty content empties the file";
    EXPECT_EQ(namesIn(dir.path), (std::vector<std::string>{"design.VELDR", "private"})) << "temporary left";
}

TEST(FileReplacement, FollowsLinksToTheirFileAndKeepsTheLinks) {
    TempDir dir;
    fs::create_directory(dir.path / "sub");
    writeFile(dir.path / "sub" / "real.txt", "old");
    ::chmod((dir.path / "sub" / "real.txt").c_str(), 0640);
    // first -> second -> sub/real.txt, both relative to the link's own folder.
    fs::create_symlink("second", dir.path / "first");
    fs::create_symlink("sub/real.txt", dir.path / "second");
    const auto throughChain = replaceFile(dir.path / "first", "new");
    ASSERT_TRUE(throughChain.ok) << throughChain.error;
    EXPECT_EQ(readFile(dir.path / "sub" / "real.txt"), "new");
    EXPECT_EQ(modeOf(dir.path / "sub" / "real.txt"), 0640u);
    EXPECT_TRUE(fs::is_symlink(dir.path / "first"));
    EXPECT_EQ(fs::read_symlink(dir.path / "first"), "second");
    EXPECT_TRUE(fs::is_symlink(dir.path / "second"));
    EXPECT_EQ(namesIn(dir.path / "sub"), std::vector<std::string>{"real.txt"});

    // A link to a file that is not there yet gets its file; an absolute link works too.
    fs::create_symlink(dir.path / "sub" / "later.txt", dir.path / "dangling");
    const auto dangling = replaceFile(dir.path / "dangling", "made");
    ASSERT_TRUE(dangling.ok) << dangling.error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling"));
    EXPECT_EQ(readFile(dir.path / "sub" / "later.txt"), "made");

    // A loop of links is an error, and nothing is made.
    fs::create_symlink("loopB", dir.path / "loopA");
    fs::create_symlink("loopA", dir.path / "loopB");
    const auto loop = replaceFile(dir.path / "loopA", "x");
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.error, message(ELOOP));
    EXPECT_EQ(namesIn(dir.path),
              (std::vector<std::string>{"dangling", "first", "loopA", "loopB", "second", "sub"}));
}

TEST(FileReplacement, RemovesOnlyItsOwnStaleTemporaries) {
    TempDir dir;
    const fs::path file = dir.path / "board.VELDR";
    writeFile(file, "old");
    for (const char* name : {"board.VELDR.saving-123", "board.VELDR.saving-000042"})
        writeFile(dir.path / name, "left by a save that was killed");
    const std::vector<std::string> kept = {"board.VELDR.other",      "board.VELDR.saving-",
                                           "board.VELDR.saving-12a", "board.VELDR.saving-77",
                                           "board.VELDR.saving-9",   "keep",
                                           "other.VELDR.saving-5"};
    for (const char* name : {"board.VELDR.other", "board.VELDR.saving-", "board.VELDR.saving-12a",
                             "other.VELDR.saving-5", "keep"})
        writeFile(dir.path / name, "not ours");
    fs::create_directory(dir.path / "board.VELDR.saving-9");
    fs::create_symlink("keep", dir.path / "board.VELDR.saving-77");

    ASSERT_TRUE(replaceFile(file, "new").ok);
    EXPECT_EQ(readFile(file), "new");
    std::vector<std::string> expected = kept;
    expected.push_back("board.VELDR");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(dir.path), expected);
    EXPECT_EQ(readFile(dir.path / "keep"), "not ours");
}

TEST(FileReplacement, FailuresSayWhyAndLeaveNothingBehind) {
    TempDir dir;
    fs::create_directory(dir.path / "folder");
    const auto intoFolder = replaceFile(dir.path / "folder", "x");
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_EQ(intoFolder.error, message(EISDIR));
    EXPECT_TRUE(fs::is_directory(dir.path / "folder"));

    const auto missingFolder = replaceFile(dir.path / "missing" / "x.png", "x");
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_EQ(missingFolder.error, message(ENOENT));

    writeFile(dir.path / "plain", "plain");
    const auto underAFile = replaceFile(dir.path / "plain" / "x.png", "x");
    EXPECT_FALSE(underAFile.ok);
    EXPECT_EQ(underAFile.error, message(ENOTDIR));

    ASSERT_EQ(::mkfifo((dir.path / "pipe").c_str(), 0600), 0);
    const auto intoPipe = replaceFile(dir.path / "pipe", "x");
    EXPECT_FALSE(intoPipe.ok);
    EXPECT_FALSE(intoPipe.error.empty());
    EXPECT_TRUE(fs::is_fifo(dir.path / "pipe")) << "a pipe is not swapped for a plain file";

    EXPECT_EQ(namesIn(dir.path), (std::vector<std::string>{"folder", "pipe", "plain"}));
    EXPECT_TRUE(fs::is_empty(dir.path / "folder"));
    EXPECT_EQ(readFile(dir.path / "plain"), "plain");
}

TEST(FileReplacement, AFileSizeLimitIsAWriteErrorThatKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir.path / "picture.png";
    writeFile(file, "the old picture");
    const std::string findings = inChild([&] {
        Findings f;
        limitFileSize(4096);
        const std::string big(100000, 'n');
        const auto replaced = replaceFile(file, big);
        f.expect(!replaced.ok, "a write past the limit succeeded");
        f.expect(replaced.error == message(EFBIG), "the reason is '" + replaced.error + "'");
        f.expect(readFile(file) == "the old picture", "the old file changed");
        const auto fresh = replaceFile(dir.path / "fresh.png", big);
        f.expect(!fresh.ok && !fs::exists(dir.path / "fresh.png"), "a partial new file was left");
        f.expect(namesIn(dir.path) == std::vector<std::string>{"picture.png"}, "a temporary was left");
        return f.text;
    });
    EXPECT_EQ(findings, "");
}

TEST(FileReplacement, AFileInAReadOnlyFolderIsRewrittenInPlaceWithACopyKeptMeanwhile) {
    TempDir dir;
    const std::string findings = asOrdinaryUser(dir.path, [&] {
        Findings f;
        const fs::path folder = dir.path / "readonly";
        const fs::path backups = dir.path / "backups";
        const fs::path file = folder / "design.VELDR";
        const fs::path locked = folder / "locked.VELDR";
        fs::create_directory(folder);
        writeFile(file, "the old and rather long content");
        writeFile(locked, "locked");
        ::chmod(file.c_str(), 0640);
        ::chmod(locked.c_str(), 0444);
        ::chmod(folder.c_str(), 0500);
        const ino_t inode = inodeOf(file);

        const auto shorter = replaceFile(file, "short", backups);
        f.expect(shorter.ok, "the writable file was not written: " + shorter.error);
        f.expect(readFile(file) == "short", "the content is '" + readFile(file) + "'");
        f.expect(inodeOf(file) == inode && modeOf(file) == 0640, "not the same file any more");
        f.expect(fs::is_directory(backups) && fs::is_empty(backups), "the copy was not removed");

        const auto notWritable = replaceFile(locked, "new", backups);
        f.expect(!notWritable.ok && notWritable.error == message(EACCES),
                 "a read-only file in a read-only folder: '" + notWritable.error + "'");
        f.expect(readFile(locked) == "locked", "the read-only file changed");
        const auto newFile = replaceFile(folder / "new.VELDR", "new", backups);
        f.expect(!newFile.ok && newFile.error == message(EACCES), "a new file: '" + newFile.error + "'");

        // No copy, no rewrite: here the backup folder's place is taken by a file.
        writeFile(dir.path / "blocked", "");
        const auto noCopy = replaceFile(file, "other", dir.path / "blocked");
        f.expect(!noCopy.ok && noCopy.error.find(message(ENOTDIR)) == 0, "no copy: '" + noCopy.error + "'");
        f.expect(readFile(file) == "short", "rewritten without a copy");

        // A rewrite that fails half-way puts the old content back.
        limitFileSize(64);
        const auto tooBig = replaceFile(file, std::string(1000, 'b'), backups);
        f.expect(!tooBig.ok && tooBig.error == message(EFBIG), "past the limit: '" + tooBig.error + "'");
        f.expect(readFile(file) == "short", "the old content was not put back");
        f.expect(fs::is_empty(backups), "the copy was not removed after the old content went back");
        f.expect(namesIn(folder) == std::vector<std::string>{"design.VELDR", "locked.VELDR"}, "files left");
        ::chmod(folder.c_str(), 0700);
        return f.text;
    });
    if (findings == kStillRoot)
        GTEST_SKIP() << "running as root, which cannot become nobody to meet a read-only folder";
    EXPECT_EQ(findings, "");
}
