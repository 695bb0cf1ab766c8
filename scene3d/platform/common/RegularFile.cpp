#include "scene3d/platform/common/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bw {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Without O_NONBLOCK, opening a pipe that no one writes to would wait for ever.
constexpr int readFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

RegularFile readOpened(const Descriptor& file, std::size_t limit, bool headOnly, FileBytes into = {});

} // namespace

RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit, bool headOnly) {
    return readOpened(Descriptor{::open(path.c_str(), readFlags)}, limit, headOnly);
}

OpenFolder::OpenFolder(std::filesystem::path folder)
    : folder_(std::move(folder)), descriptor_(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

RegularFile OpenFolder::read(const std::string& name, std::size_t limit, FileBytes reuse) const {
    if (descriptor_ < 0) return readRegularFile(folder_ / name, limit);
    return readOpened(Descriptor{::openat(descriptor_, name.c_str(), readFlags)}, limit, false,
                      std::move(reuse));
}

namespace {

RegularFile readOpened(const Descriptor& file, std::size_t limit, bool headOnly, FileBytes into) {
    if (file.fd < 0) return {errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed, {}};
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) return {FileRead::Failed, {}};
    if (!S_ISREG(status.st_mode)) return {FileRead::NotRegular, {}};
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    if (size > limit && !headOnly) return {FileRead::TooLarge, {}};

    RegularFile result{FileRead::Ok, std::move(into)};
    result.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t got = ::read(file.fd, result.bytes.data() + done, result.bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {FileRead::Failed, {}};
        if (got == 0) break; // the file shrank while it was read
        done += static_cast<std::size_t>(got);
    }
    result.bytes.resize(done);
    return result;
}

} // namespace

} // namespace bw
