#pragma once
// Reads a file only when it is a regular file. A named pipe, a device or a folder put where
// a file is expected would otherwise block the reader, or feed it without end.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bw {

enum class FileRead { Ok, Missing, NotRegular, TooLarge, Failed };

// Leaves the elements of a resize as they are, for buffers about to be filled: zeroing a
// buffer the file then overwrites cost as much as reading a small file.
template <typename T> struct UninitializedAllocator : std::allocator<T> {
    template <typename U> struct rebind { using other = UninitializedAllocator<U>; };
    UninitializedAllocator() = default;
    template <typename U> UninitializedAllocator(const UninitializedAllocator<U>& /*other*/) {}
    template <typename U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using FileBytes = std::vector<char, UninitializedAllocator<char>>;

struct RegularFile {
    FileRead outcome = FileRead::Missing;
    FileBytes bytes; // the whole file, or its first `limit` bytes (see below)
};

// The bytes of the regular file at `path`, never more than `limit`. A larger file gives
// TooLarge with no bytes, unless `headOnly`, which reads its first `limit` bytes instead.
// Links are followed; nothing else is opened for long enough to block.
RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit, bool headOnly = false);

// A folder held open while many of its files are read: each then opens by its name alone,
// without the path being looked up again from the root (which cost a third of opening a
// small file). Where the folder cannot be opened, files are read by their whole path.
class OpenFolder {
public:
    explicit OpenFolder(std::filesystem::path folder);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // readRegularFile of the file of that name in the folder; safe from several threads.
    // The bytes go into reuse, whose room is kept (it is the result's bytes then): a buffer
    // handed from file to file is allocated once.
    RegularFile read(const std::string& name, std::size_t limit, FileBytes reuse = {}) const;
    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
    int descriptor_;
};

} // namespace bw
