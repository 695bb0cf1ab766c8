#pragma once

#include <optional>
#include <span>

#include "scene3d/platform/xfile/XToken.h"

namespace bw {

// Tokens of the text form: punctuation, names, numbers, "strings", <GUIDs>, comments
// starting with // or # running to the end of the line.
class XTextLexer : public XTokenSource {
public:
    explicit XTextLexer(std::span<const std::uint8_t> text) : text_(text) {}

    const Token& peek() override;
    Token next() override;
    std::size_t remainingBytes() const override { return text_.size() - pos_; }

private:
    Token lex();
    void skipSpaceAndComments();
    Token lexGuid(std::size_t start);
    Token lexString(std::size_t start);
    Token lexWord(std::size_t start);

    std::span<const std::uint8_t> text_;
    std::size_t pos_ = 0;
    std::optional<Token> peeked_;
};

} // namespace bw
