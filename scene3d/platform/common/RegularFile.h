#pragma once
// Reads a file only when it is a regular file. A named pipe, a device or a folder put where
// a file is expected would otherwise block the reader, or feed it without end.

#include <cstddef>
#include <filesystem>
#include <vector>

namespace bw {

enum class FileRead { Ok, Missing, NotRegular, TooLarge, Failed };

struct RegularFile {
    FileRead outcome = FileRead::Missing;
    std::vector<char> bytes; // the whole file, or its first `limit` bytes (see below)
};

// The bytes of the regular file at `path`, never more than `limit`. A larger file gives
// TooLarge with no bytes, unless `headOnly`, which reads its first `limit` bytes instead.
// Links are followed; nothing else is opened for long enough to block.
RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit, bool headOnly = false);

} // namespace bw
