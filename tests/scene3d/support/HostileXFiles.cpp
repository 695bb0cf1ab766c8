#include "tests/scene3d/support/HostileXFiles.h"

#include <random>
#include <span>
#include <stdexcept>
#include <zlib.h>

namespace bw::test {

namespace {

// A raw deflate stream of data whose window starts with dictionary, as MSZIP blocks are.
std::vector<std::uint8_t> deflateBlock(std::span<const std::uint8_t> data,
                                       std::span<const std::uint8_t> dictionary) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib");
    if (!dictionary.empty())
        deflateSetDictionary(&z, dictionary.data(), static_cast<uInt>(dictionary.size()));
    std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    if (status != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

void appendWord(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendBlock(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& deflated) {
    appendWord(out, compressedBlockSize);
    appendWord(out, deflated.size() + 2);
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), deflated.begin(), deflated.end());
}

} // namespace

std::string amplifiedReferences(int fanOut, int meshFaces) {
    // A strip of triangles over meshFaces + 2 vertices.
    std::string text = "xof 0303txt 0032\nMesh M {\n" + std::to_string(meshFaces + 2) + ";\n";
    for (int v = 0; v < meshFaces + 2; ++v)
        text +=
            std::to_string(v / 2) + ";" + std::to_string(v % 2) + ";0;" + (v + 1 < meshFaces + 2 ? "," : ";");
    text += "\n" + std::to_string(meshFaces) + ";\n";
    for (int f = 0; f < meshFaces; ++f)
        text += "3;" + std::to_string(f) + "," + std::to_string(f + 1) + "," + std::to_string(f + 2) + ";" +
                (f + 1 < meshFaces ? "," : ";");
    text += "\n}\nFrame A {\n";
    for (int i = 0; i < fanOut; ++i)
        text += "{M}";
    text += "\n}\nFrame B {\n";
    for (int i = 0; i < fanOut; ++i)
        text += "{A}";
    text += "\n}\n";
    return text;
}

std::vector<std::uint8_t> compressedFrames(int frameBlocks, int paddingBlocks, std::string_view object) {
    if (compressedBlockSize % object.size() != 0)
        throw std::invalid_argument("objects must fill whole blocks");
    std::vector<std::uint8_t> frames;
    frames.reserve(compressedBlockSize);
    while (frames.size() < compressedBlockSize)
        for (const char c : object)
            frames.push_back(static_cast<std::uint8_t>(c));

    std::vector<std::uint8_t> out;
    for (const char c : std::string("xof 0302tzip0032"))
        out.push_back(static_cast<std::uint8_t>(c));
    const std::uint32_t total = 16 + static_cast<std::uint32_t>(compressedBlockSize) *
                                         static_cast<std::uint32_t>(frameBlocks + paddingBlocks);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(total >> (8 * i)));

    std::mt19937 random(7);
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<std::uint8_t> previous; // the window the next block starts with
    for (int b = 0; b < paddingBlocks; ++b) {
        std::vector<std::uint8_t> comments;
        comments.reserve(compressedBlockSize);
        while (comments.size() < compressedBlockSize) {
            comments.push_back('/');
            comments.push_back('/');
            for (int i = 0; i < 125; ++i)
                comments.push_back(static_cast<std::uint8_t>(letters[random() % letters.size()]));
            comments.push_back('\n');
        }
        appendBlock(out, deflateBlock(comments, previous));
        previous = std::move(comments);
    }
    // Every frame block after the first sees the same window: one deflate stream serves.
    std::vector<std::uint8_t> repeated;
    for (int b = 0; b < frameBlocks; ++b) {
        if (b <= 1) repeated = deflateBlock(frames, previous);
        appendBlock(out, repeated);
        previous = frames;
    }
    return out;
}

} // namespace bw::test
