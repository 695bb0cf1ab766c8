#include "scene3d/platform/xfile/XTextLexer.h"

#include <charconv>
#include <cstring>
#include <string>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

namespace {

bool isSpace(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isDelimiter(std::uint8_t c) {
    return c != 0 && std::strchr("{}()[]<>,;\"#", c) != nullptr;
}

bool looksNumeric(std::string_view word) {
    const char first = word.front();
    if (first >= '0' && first <= '9') return true;
    return (first == '-' || first == '+' || first == '.') && word.find_first_of("0123456789") != word.npos;
}

[[noreturn]] void fail(std::size_t offset, const std::string& what) {
    throw PlatformError(result::parseError, "text .x: " + what + " at byte " + std::to_string(offset));
}

} // namespace

const Token& XTextLexer::peek() {
    if (!peeked_) peeked_ = lex();
    return *peeked_;
}

Token XTextLexer::next() {
    if (peeked_) {
        Token t = *peeked_;
        peeked_.reset();
        return t;
    }
    return lex();
}

void XTextLexer::skipSpaceAndComments() {
    while (pos_ < text_.size()) {
        const std::uint8_t c = text_[pos_];
        const bool comment = c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/');
        if (isSpace(c)) {
            ++pos_;
        } else if (comment) {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else {
            return;
        }
    }
}

Token XTextLexer::lex() {
    skipSpaceAndComments();
    Token t;
    t.offset = pos_;
    if (pos_ >= text_.size()) return t;
    const std::uint8_t c = text_[pos_];
    const std::size_t start = pos_;
    switch (c) {
    case '{':
        t.kind = TokenKind::OBrace;
        break;
    case '}':
        t.kind = TokenKind::CBrace;
        break;
    case '(':
        t.kind = TokenKind::OParen;
        break;
    case ')':
        t.kind = TokenKind::CParen;
        break;
    case '[':
        t.kind = TokenKind::OBracket;
        break;
    case ']':
        t.kind = TokenKind::CBracket;
        break;
    case ',':
        t.kind = TokenKind::Comma;
        break;
    case ';':
        t.kind = TokenKind::Semicolon;
        break;
    case '<':
        return lexGuid(start);
    case '"':
        return lexString(start);
    default:
        if (c < 0x20 || c == 0x7F || c == '>') fail(start, "unexpected character");
        return lexWord(start);
    }
    ++pos_;
    return t;
}

Token XTextLexer::lexGuid(std::size_t start) {
    // <8-4-4-4-12>; nothing else may appear between the angle brackets.
    constexpr std::size_t guidLength = 36;
    std::size_t end = start + 1;
    while (end < text_.size() && text_[end] != '>' && end - start <= guidLength + 2)
        ++end;
    if (end >= text_.size() || text_[end] != '>') fail(start, "unterminated GUID");
    std::string_view inner(reinterpret_cast<const char*>(text_.data()) + start + 1, end - start - 1);
    while (!inner.empty() && isSpace(static_cast<std::uint8_t>(inner.front())))
        inner.remove_prefix(1);
    while (!inner.empty() && isSpace(static_cast<std::uint8_t>(inner.back())))
        inner.remove_suffix(1);
    const auto guid = parseGuid(inner);
    if (!guid) fail(start, "malformed GUID");
    pos_ = end + 1;
    Token t;
    t.kind = TokenKind::Guid;
    t.guid = *guid;
    t.offset = start;
    return t;
}

Token XTextLexer::lexString(std::size_t start) {
    std::size_t end = start + 1;
    while (end < text_.size() && text_[end] != '"')
        ++end;
    if (end >= text_.size()) fail(start, "unterminated string");
    Token t;
    t.kind = TokenKind::String;
    t.text = std::string_view(reinterpret_cast<const char*>(text_.data()) + start + 1, end - start - 1);
    t.offset = start;
    pos_ = end + 1;
    return t;
}

Token XTextLexer::lexWord(std::size_t start) {
    std::size_t end = start;
    while (end < text_.size()) {
        const std::uint8_t c = text_[end];
        if (isSpace(c) || isDelimiter(c) || c < 0x20) break;
        if (c == '/' && end + 1 < text_.size() && text_[end + 1] == '/') break;
        ++end;
    }
    pos_ = end;
    Token t;
    t.offset = start;
    t.text = std::string_view(reinterpret_cast<const char*>(text_.data()) + start, end - start);
    if (t.text == "...") {
        t.kind = TokenKind::Ellipsis;
        return t;
    }
    if (!looksNumeric(t.text)) {
        t.kind = TokenKind::Name;
        return t;
    }
    const char* first = t.text.data();
    const char* last = first + t.text.size();
    const char* digits = (*first == '+') ? first + 1 : first; // from_chars takes no leading '+'
    long long integer = 0;
    auto parsed = std::from_chars(digits, last, integer);
    if (parsed.ec == std::errc{} && parsed.ptr == last) {
        if (integer < -2147483648LL || integer > 4294967295LL) fail(start, "integer out of range");
        t.kind = TokenKind::Integer;
        t.integer = static_cast<std::uint32_t>(integer);
        t.number = static_cast<double>(integer);
        return t;
    }
    double number = 0.0;
    auto parsedFloat = std::from_chars(digits, last, number);
    if (parsedFloat.ec == std::errc{} && parsedFloat.ptr == last) {
        t.kind = TokenKind::Float;
        t.number = number;
        return t;
    }
    // A word such as "1stFloor": a name that starts with a digit.
    t.kind = TokenKind::Name;
    return t;
}

} // namespace bw
