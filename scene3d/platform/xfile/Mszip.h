#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bw {

// Largest expanded file a compressed .x file may declare, and how far it may expand in
// proportion to its own size: the program's model files compress at most 17:1 as text and
// 11:1 as binary, while deflate reaches about 1032:1. A small file may always expand to
// minExpansionAllowance.
inline constexpr std::uint32_t maxExpandedXFileSize = 32u << 20;
inline constexpr std::uint32_t maxExpansionRatio = 128;
inline constexpr std::uint32_t minExpansionAllowance = 64u << 10;

// Expands the part of a compressed .x file that follows its 16-byte header:
//   DWORD  size of the expanded file, header included
//   blocks { WORD expanded size, WORD compressed size (with the signature), "CK", deflate data }
// Each block is a raw deflate stream whose window starts with the previous 32 KiB of
// output. Returns the expanded bytes without the header, and in trailingBytes how many
// bytes follow the block that completes the declared size (left alone); throws
// PlatformError (badFile) on a truncated or corrupt stream, naming the byte of the file
// where, and with overBudget (LoadBudget.h) when the declared size passes the limits above.
std::vector<std::uint8_t> expandMszip(std::span<const std::uint8_t> compressed,
                                      std::size_t* trailingBytes = nullptr);

} // namespace bw
