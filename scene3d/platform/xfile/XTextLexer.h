#pragma once

#include <optional>
#include <span>

#include "scene3d/platform/xfile/XToken.h"

namespace bw {

// Tokens of the text form: punctuation, names, numbers, "strings", <GUIDs>, comments
// starting with // or # running to the end of the line.
class XTextLexer : public XTokenSource {
public:
    // base: where text starts in the file, so that messages count from the file's start.
    explicit XTextLexer(std::span<const std::uint8_t> text, std::size_t base = 0)
        : text_(text), base_(base) {}

    const Token& peek() override;
    const Token& next() override;
    std::size_t remainingBytes() const override { return text_.size() - pos_; }
    // Reads a number where the data has one without making a token: most of a model file
    // is numbers, and this is where loading spends its time.
    TokenKind takeNumber(NumberValue& value) override;
    std::size_t takeNumbers(std::span<double> numbers) override;
    std::size_t takeIntegers(std::span<std::uint32_t> integers) override;
    Filler takeFillerToEnd() override;

private:
    Token lex();
    void skipSpaceAndComments();
    Token lexGuid(std::size_t start);
    Token lexString(std::size_t start);
    Token lexWord(std::size_t start);
    // Where the word starting at start ends.
    std::size_t wordEnd(std::size_t start) const;
    // Past white space, separators and comments.
    void skipToValue();
    // A plain number ("-12", "0.500000") at the current position, taken; false, taking
    // nothing, for anything else.
    bool takePlainNumber(TokenKind& kind, NumberValue& value);

    std::span<const std::uint8_t> text_;
    std::size_t base_;
    std::size_t pos_ = 0;
    std::optional<Token> peeked_;
    Token taken_; // the last token next() gave
};

} // namespace bw
