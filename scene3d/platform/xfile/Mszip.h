#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bw {

// Largest expanded payload a compressed .x file may declare.
inline constexpr std::uint32_t maxExpandedXFileSize = 256u << 20;

// Expands the part of a compressed .x file that follows its 16-byte header:
//   DWORD  size of the expanded file, header included
//   blocks { WORD expanded size, WORD compressed size (with the signature), "CK", deflate data }
// Each block is a raw deflate stream whose window starts with the previous 32 KiB of
// output. Returns the expanded bytes without the header; throws PlatformError (badFile)
// on a truncated or corrupt stream.
std::vector<std::uint8_t> expandMszip(std::span<const std::uint8_t> compressed);

} // namespace bw
