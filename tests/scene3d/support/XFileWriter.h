#pragma once

// Test-only writers that turn objects read from a text .x file into the binary and the
// compressed forms, so that every form of one model can be compared.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "scene3d/platform/xfile/XDataObject.h"
#include "scene3d/platform/xfile/XTemplate.h"

namespace bw::test {

// Token-level builder of a binary .x stream (without the file header).
class BinaryTokenWriter {
public:
    explicit BinaryTokenWriter(int floatBits) : floatBits_(floatBits) {}

    void token(std::uint16_t code);
    void name(std::string_view text);
    // A string and its terminator token (';' or ','), written as a DWORD or, as some
    // writers do, as a WORD.
    void string(std::string_view text, std::uint16_t terminator = 20, int terminatorBytes = 4);
    void integer(std::uint32_t value);
    void guid(const Guid& guid);
    void integers(std::span<const std::uint32_t> values);
    void floats(std::span<const double> values);
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    void word(std::uint16_t value);
    void dword(std::uint32_t value);
    int floatBits_;
    std::vector<std::uint8_t> bytes_;
};

// A whole binary file: header "xof 0302bin 00NN", the given template declarations, then
// the objects with their data re-encoded from their templates as integer and float lists.
std::vector<std::uint8_t> writeBinaryXFile(std::span<const std::shared_ptr<const XTemplate>> declarations,
                                           std::span<const XDataObject* const> objects, int floatBits);

// How textToBinary writes what a text file leaves to the writer.
struct BinaryForm {
    int floatBits = 32;
    // Each number a token of its own and the separators kept as tokens; else numbers in a
    // row packed into one list and the separators left out, as most writers do.
    bool keepSeparators = false;
    int stringTerminatorBytes = 4;
};

// The binary form of a whole text file (header included), token for token: the same
// version, template declarations, names and strings; text integers become integers and
// numbers with a point or an exponent floats, so floats must be spelled so in the text. A
// separator after a string is its terminator.
std::vector<std::uint8_t> textToBinary(std::string_view text, const BinaryForm& form = {});

// The compressed form of a text or binary file: same header with tzip/bzip, the expanded
// size, then deflate blocks of at most blockSize bytes that each see the previous output.
std::vector<std::uint8_t> compressXFile(std::span<const std::uint8_t> file, std::size_t blockSize = 32768);

} // namespace bw::test
