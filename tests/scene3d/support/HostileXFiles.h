#pragma once
// Small .x files that would make a reader without limits build far more than they hold:
// what fuzzing found, made at test time instead of kept as data.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

// A text file of one mesh of `meshFaces` triangles, a frame A that references it fanOut
// times, then a frame B that references A fanOut times: fanOut squared copies of the mesh
// when every reference is followed, from a file of a few kilobytes. The parser's walk
// through references stays within maxExpandedObjects for fanOut up to 1,000.
std::string amplifiedReferences(int fanOut = 1000, int meshFaces = 32);

// A compressed text file of blocks of 32 KiB: `paddingBlocks` of comments of random
// letters (they hardly compress), then `frameBlocks` of empty frames, 4,096 a block (they
// compress about 470 times). Without padding it is a bomb: 1,000 frame blocks make 32 MiB
// from about 70 KB. object is what the blocks repeat, 8 bytes: an empty frame, or another
// object such as one of a template nobody declares.
std::vector<std::uint8_t> compressedFrames(int frameBlocks, int paddingBlocks = 0,
                                           std::string_view object = "Frame{}\n");

// Each block of compressedFrames expands to this, and holds this many frames.
inline constexpr std::size_t compressedBlockSize = 32768;
inline constexpr std::size_t framesPerBlock = compressedBlockSize / 8;

} // namespace bw::test
