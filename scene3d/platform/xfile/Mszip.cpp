#include "scene3d/platform/xfile/Mszip.h"

#include <algorithm>
#include <string>
#include <zlib.h>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/LoadBudget.h"

namespace bw {

namespace {

constexpr std::size_t headerSize = 16;
constexpr std::size_t windowSize = 32768;

// at: where in the compressed file, header included.
[[noreturn]] void fail(const std::string& what, std::size_t at) {
    throw PlatformError(result::badFile, "compressed .x: " + what + " at byte " + std::to_string(at));
}

std::uint32_t readLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

// Owns one raw-deflate inflater for the life of the expansion.
class Inflater {
public:
    Inflater() {
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) throw PlatformError(result::outOfMemory, "zlib");
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Inflates one complete deflate stream into exactly out.size() bytes; at is where the
    // block starts, for messages.
    void inflateBlock(std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                      std::span<const std::uint8_t> dictionary, std::size_t at) {
        if (inflateReset(&stream_) != Z_OK) fail("inflater reset", at);
        if (!dictionary.empty() &&
            inflateSetDictionary(&stream_, dictionary.data(), static_cast<uInt>(dictionary.size())) != Z_OK)
            fail("window carried between blocks", at);
        stream_.next_in = const_cast<Bytef*>(in.data());
        stream_.avail_in = static_cast<uInt>(in.size());
        stream_.next_out = out.data();
        stream_.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&stream_, Z_FINISH);
        if (status != Z_STREAM_END || stream_.avail_out != 0) fail("corrupt block", at);
    }

private:
    z_stream stream_{};
};

} // namespace

std::vector<std::uint8_t> expandMszip(std::span<const std::uint8_t> compressed, std::size_t* trailingBytes) {
    if (compressed.size() < 4) fail("missing expanded size", headerSize);
    const std::uint32_t declaredTotal = readLittleEndian(compressed, 0, 4);
    if (declaredTotal < headerSize) fail("implausible expanded size", headerSize);
    const std::uint64_t allowed =
        std::max<std::uint64_t>(minExpansionAllowance, (compressed.size() + headerSize) * maxExpansionRatio);
    if (declaredTotal > std::min<std::uint64_t>(allowed, maxExpandedXFileSize))
        throw PlatformError(overBudget, "compressed .x: expands to " + std::to_string(declaredTotal) +
                                            " bytes, more than " +
                                            (declaredTotal > maxExpandedXFileSize
                                                 ? std::to_string(maxExpandedXFileSize >> 20) + " MiB"
                                                 : std::to_string(maxExpansionRatio) + " times its size"));
    const std::size_t expected = declaredTotal - headerSize;

    std::vector<std::uint8_t> out;
    out.reserve(std::min<std::size_t>(expected, std::size_t{16} << 20));
    Inflater inflater;
    std::size_t pos = 4;
    // Once the declared size is there, whatever follows is no block of this file.
    while (pos < compressed.size() && out.size() < expected) {
        const std::size_t at = headerSize + pos;
        if (compressed.size() - pos < 6) fail("truncated block header", at);
        const std::size_t expandedSize = readLittleEndian(compressed, pos, 2);
        const std::size_t blockSize = readLittleEndian(compressed, pos + 2, 2);
        if (compressed[pos + 4] != 'C' || compressed[pos + 5] != 'K') fail("block without signature", at);
        if (blockSize < 2 || compressed.size() - (pos + 4) < blockSize) fail("truncated block", at);
        if (expandedSize > expected - std::min(expected, out.size())) fail("blocks larger than declared", at);
        const std::size_t start = out.size();
        out.resize(start + expandedSize);
        const std::size_t dictionaryLength = std::min(windowSize, start);
        inflater.inflateBlock(
            compressed.subspan(pos + 6, blockSize - 2), std::span(out).subspan(start),
            std::span<const std::uint8_t>(out).subspan(start - dictionaryLength, dictionaryLength), at);
        pos += 4 + blockSize;
    }
    if (out.size() != expected) fail("fewer bytes than declared", headerSize + compressed.size());
    if (trailingBytes) *trailingBytes = compressed.size() - pos;
    return out;
}

} // namespace bw
