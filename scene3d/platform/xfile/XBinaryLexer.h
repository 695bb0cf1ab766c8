#pragma once

#include <span>

#include "scene3d/platform/xfile/XToken.h"

namespace bw {

// Tokens of the binary form: little-endian 16-bit token codes, some followed by a record
// (name, string, integer, GUID, integer list, float list).
class XBinaryLexer : public XTokenSource {
public:
    // floatBytes is 4 or 8, as the file header says; base is where bytes start in the file,
    // so that messages count from the file's start.
    XBinaryLexer(std::span<const std::uint8_t> bytes, int floatBytes, std::size_t base = 0)
        : bytes_(bytes), floatBytes_(floatBytes), base_(base) {}

    const Token& peek() override;
    const Token& next() override;
    std::size_t remainingBytes() const override { return bytes_.size() - pos_; }
    std::size_t valueBytesAhead() override;
    Filler takeFillerToEnd() override;
    bool takeList(Token& list) override;

private:
    // The next token, into t.
    void lex(Token& t);
    std::uint16_t readWord();
    std::uint32_t readDword();
    std::span<const std::uint8_t> take(std::uint64_t count);

    std::span<const std::uint8_t> bytes_;
    int floatBytes_;
    std::size_t base_;
    std::size_t pos_ = 0;
    Token token_;         // the last token made
    bool peeked_ = false; // token_ is the next one
};

} // namespace bw
