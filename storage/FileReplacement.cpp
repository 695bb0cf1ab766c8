#include "storage/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace bw::storage {

namespace fs = std::filesystem;

namespace {

// As many links as Linux follows in one path before it gives up.
constexpr int kMostLinks = 40;
constexpr int kNameAttempts = 100;
constexpr int kNameDigits = 6;
constexpr const char* kSavingMark = ".saving-";
constexpr const char* kBackupMark = ".backup-";

std::string reason(int error) { return std::generic_category().message(error); }

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // 0 or the errno of close, which some file systems (NFS) use to report a failed write.
    // After EINTR the descriptor is gone on Linux all the same, and fsync has already run.
    int close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int fd_;
};

struct Target {
    fs::path path; // the file itself, past every link
    bool exists = false;
    struct stat status {};
    int error = 0;
};

// One link at a time: realpath refuses a link whose file does not exist yet, and such a
// link should get its file.
Target resolve(const fs::path& path) {
    Target target{path};
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &target.status) != 0) {
            if (errno != ENOENT) target.error = errno;
            return target;
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        if (links == kMostLinks) {
            target.error = ELOOP;
            return target;
        }
        std::error_code error;
        const fs::path next = fs::read_symlink(target.path, error);
        if (error) {
            target.error = error.value();
            return target;
        }
        target.path = next.is_absolute() ? next : target.path.parent_path() / next;
    }
}

bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = name + kSavingMark;
    return entry.size() > prefix.size() && entry.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// What a save that was killed half-way left behind. Nothing else is touched: not a folder,
// not a link, not a name with anything but digits after the mark.
void removeStaleTemporaries(const fs::path& folder, const std::string& name) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (!isTemporaryOf(entry->path().filename().string(), name)) continue;
        std::error_code ignored;
        if (entry->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entry->path(), ignored);
    }
}

struct NewFile {
    Descriptor file;
    fs::path path;
    int error = 0;
};

// Creates FOLDER/STEM followed by digits, under a name no file had.
NewFile createUnique(const fs::path& folder, const std::string& stem, mode_t mode) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> number(0, 999999);
    NewFile made;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string digits = std::to_string(number(random));
        digits.insert(0, kNameDigits - digits.size(), '0');
        const fs::path path = folder / (stem + digits);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            made.file = Descriptor(fd);
            made.path = path;
            return made;
        }
        if (errno != EEXIST) {
            made.error = errno;
            return made;
        }
    }
    made.error = EEXIST;
    return made;
}

// 0 or an errno. A write may stop short (a signal, a full disk); the next one tells why.
int writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return errno;
        if (wrote == 0) return EIO;
        done += static_cast<std::size_t>(wrote);
    }
    return 0;
}

int readAll(int fd, std::string& bytes) {
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::pread(fd, block, sizeof block, static_cast<off_t>(bytes.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

int syncData(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

// Makes a rename or a new name last through a power cut. By then the file is replaced and
// nothing can be undone, so a folder that cannot be synced is not a failure.
void syncFolder(const fs::path& folder) {
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

// The new file is the old one to everyone who reads it. Only root may give a file away,
// so for others it becomes theirs; when its group cannot be kept, the group's permissions
// are dropped rather than handed to another group.
int carryOwnerAndMode(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
            mode &= ~static_cast<mode_t>(S_IRWXG);
    }
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

Replacement replaceByRename(const Target& target, const fs::path& folder, NewFile temporary,
                            std::string_view bytes) {
    int error = target.exists ? carryOwnerAndMode(temporary.file.get(), target.status) : 0;
    if (!error) error = writeAll(temporary.file.get(), bytes);
    if (!error) error = syncData(temporary.file.get());
    if (!error) error = temporary.file.close();
    if (!error && ::rename(temporary.path.c_str(), target.path.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temporary.path.c_str());
        return {false, reason(error)};
    }
    syncFolder(folder);
    return {};
}

// Puts `old` back after a failed rewrite; 0 or an errno.
int restore(int fd, std::string_view old) {
    int error = writeAll(fd, old);
    if (!error && ::ftruncate(fd, static_cast<off_t>(old.size())) != 0) error = errno;
    if (!error) error = syncData(fd);
    return error;
}

// For a file the user may write in a folder they may not: the only way to save it at all.
// The copy makes a crash half-way recoverable, and a failure undoable.
Replacement rewriteInPlace(const Target& target, std::string_view bytes, const fs::path& backupFolder) {
    const Descriptor file(::open(target.path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return {false, reason(errno)};
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0) return {false, reason(errno)};
    if (!S_ISREG(opened.st_mode)) return {false, "Not a regular file"};
    std::string old;
    if (const int error = readAll(file.get(), old)) return {false, reason(error)};

    const fs::path folder = backupFolder.empty() ? defaultBackupFolder() : backupFolder;
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    // Private: the old content may be anything the user keeps from others.
    NewFile copy = createUnique(folder, target.path.filename().string() + kBackupMark, 0600);
    int error = copy.error;
    if (!error) error = writeAll(copy.file.get(), old);
    if (!error) error = syncData(copy.file.get());
    if (!error) error = copy.file.close();
    if (error) {
        if (!copy.error) ::unlink(copy.path.c_str());
        return {false, reason(error) + " (while copying the old file to " + folder.string() + ")"};
    }
    syncFolder(folder);

    error = writeAll(file.get(), bytes);
    if (!error && ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (!error) error = syncData(file.get());
    if (error && restore(file.get(), old) != 0)
        return {false, reason(error) + " (the old content is kept in " + copy.path.string() + ")"};
    ::unlink(copy.path.c_str());
    if (error) return {false, reason(error)};
    return {};
}

} // namespace

fs::path defaultBackupFolder() {
    std::error_code error;
    fs::path folder = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : folder;
}

Replacement replaceFile(const fs::path& path, std::string_view bytes, const fs::path& backupFolder) {
    const Target target = resolve(path);
    if (target.error) return {false, reason(target.error)};
    if (target.exists && S_ISDIR(target.status.st_mode)) return {false, reason(EISDIR)};
    // A pipe or a device would be swapped for a plain file by the rename.
    if (target.exists && !S_ISREG(target.status.st_mode)) return {false, "Not a regular file"};
    const std::string name = target.path.filename().string();
    if (name.empty() || name == "." || name == "..") return {false, reason(EISDIR)};
    const fs::path folder = target.path.has_parent_path() ? target.path.parent_path() : fs::path(".");

    removeStaleTemporaries(folder, name);
    NewFile temporary = createUnique(folder, name + kSavingMark, 0666);
    if ((temporary.error == EACCES || temporary.error == EPERM) && target.exists)
        return rewriteInPlace(target, bytes, backupFolder);
    if (temporary.error) return {false, reason(temporary.error)};
    return replaceByRename(target, folder, std::move(temporary), bytes);
}

} // namespace bw::storage
