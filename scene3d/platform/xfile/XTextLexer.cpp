#include "scene3d/platform/xfile/XTextLexer.h"

#include <array>
#include <charconv>
#include <string>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

namespace {

bool isSpace(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// What some writers leave after the last object: NUL padding, or the end-of-file mark of
// old editors (Ctrl-Z).
bool isFiller(std::uint8_t c) { return c == 0x00 || c == 0x1A; }

// Characters that end a word (besides the start of a // comment), by table: the test runs
// once for every byte of a file.
constexpr std::array<bool, 256> wordEndTable() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c)
        table[c] = true;
    for (char c : std::string_view(" \t\r\n\f\v{}()[]<>,;\"#"))
        table[static_cast<std::uint8_t>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> endsWord = wordEndTable();

// What may come before a number in a run of data: white space and separators.
constexpr std::array<bool, 256> spaceOrSeparatorTable() {
    std::array<bool, 256> table{};
    for (char c : std::string_view(" \t\r\n\f\v,;"))
        table[static_cast<std::uint8_t>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> spaceOrSeparator = spaceOrSeparatorTable();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool looksNumeric(std::string_view word) {
    const char first = word.front();
    if (first >= '0' && first <= '9') return true;
    return (first == '-' || first == '+' || first == '.') && word.find_first_of("0123456789") != word.npos;
}

// What a word is: Name, Ellipsis, Integer or Float, with the number's value.
struct Word {
    TokenKind kind = TokenKind::Name;
    NumberValue value;
};

// The plain spellings model files are made of, "-12" and "0.500000", read where they
// start; end is where the reading stopped, which the caller checks to be the word's end.
struct PlainDecimal {
    bool negative = false;
    bool point = false;
    std::uint64_t digits = 0; // all digits, the point ignored
    int count = 0;
    int fractionDigits = 0;
    const char* end = nullptr;
};

// Reads a run of digits into value (which wraps when there are more than 19: count tells)
// and returns where it stopped.
const char* scanDigits(const char* p, const char* last, std::uint64_t& value, int& count) {
    for (; p < last && isDigit(*p); ++p, ++count)
        value = value * 10 + static_cast<std::uint64_t>(*p - '0');
    return p;
}

PlainDecimal scanPlainDecimal(const char* p, const char* last) {
    PlainDecimal d;
    if (p < last && *p == '-') {
        d.negative = true;
        ++p;
    }
    p = scanDigits(p, last, d.digits, d.count);
    if (d.count > 0 && p < last && *p == '.') {
        const int integerDigits = d.count;
        d.point = true;
        p = scanDigits(p + 1, last, d.digits, d.count);
        d.fractionDigits = d.count - integerDigits;
    }
    d.end = p;
    return d;
}

constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a whole word read by scanPlainDecimal, when it is certain: up to 18 digits
// (a long long holds them, and the digits did not wrap), up to 22 after the point, and
// then m / 10^k, one division of two exact doubles, rounds as from_chars would. An
// integer out of the 32-bit range is left to the general path, which rejects it. Inlined
// into its callers: it runs for every number, and a result passed back through memory
// cost more than the number itself.
[[gnu::always_inline]] inline bool plainValue(const PlainDecimal& d, TokenKind& kind, NumberValue& value) {
    constexpr std::uint64_t exactInDouble = std::uint64_t{1} << 53;
    if (d.count == 0 || d.count > 18 || (d.point && (d.fractionDigits == 0 || d.fractionDigits > 22)))
        return false;
    if (d.point) {
        if (d.digits > exactInDouble) return false;
        const double magnitude = static_cast<double>(d.digits) / powersOfTen[d.fractionDigits];
        kind = TokenKind::Float;
        value.number = d.negative ? -magnitude : magnitude;
        return true;
    }
    const long long integer =
        d.negative ? -static_cast<long long>(d.digits) : static_cast<long long>(d.digits);
    if (integer < -2147483648LL || integer > 4294967295LL) return false;
    kind = TokenKind::Integer;
    value.integer = static_cast<std::uint32_t>(integer);
    value.number = static_cast<double>(integer);
    return true;
}

[[noreturn]] void fail(std::size_t offset, const std::string& what) {
    throw PlatformError(result::parseError, "text .x: " + what + " at byte " + std::to_string(offset));
}

Word classifyWord(std::string_view text, std::size_t start) {
    const char* first = text.data();
    const char* last = first + text.size();
    Word word;
    const PlainDecimal plain = scanPlainDecimal(first, last);
    if (plain.end == last && plainValue(plain, word.kind, word.value)) return word;

    if (text == "...") {
        word.kind = TokenKind::Ellipsis;
        return word;
    }
    if (!looksNumeric(text)) return word;
    const char* digits = (*first == '+') ? first + 1 : first; // from_chars takes no leading '+'
    long long integer = 0;
    const auto parsed = std::from_chars(digits, last, integer);
    if (parsed.ec == std::errc{} && parsed.ptr == last) {
        if (integer < -2147483648LL || integer > 4294967295LL) fail(start, "integer out of range");
        word.kind = TokenKind::Integer;
        word.value.integer = static_cast<std::uint32_t>(integer);
        word.value.number = static_cast<double>(integer);
        return word;
    }
    double number = 0.0;
    const auto parsedFloat = std::from_chars(digits, last, number);
    if (parsedFloat.ec == std::errc{} && parsedFloat.ptr == last) {
        word.kind = TokenKind::Float;
        word.value.number = number;
    }
    // Otherwise a word such as "1stFloor": a name that starts with a digit.
    return word;
}

} // namespace

const Token& XTextLexer::peek() {
    if (!peeked_) peeked_ = lex();
    return *peeked_;
}

const Token& XTextLexer::next() {
    if (peeked_) {
        taken_ = *peeked_;
        peeked_.reset();
    } else {
        taken_ = lex();
    }
    return taken_;
}

XTokenSource::Filler XTextLexer::takeFillerToEnd() {
    if (peeked_) return {};
    skipSpaceAndComments();
    if (pos_ >= text_.size() || !isFiller(text_[pos_])) return {};
    for (std::size_t i = pos_; i < text_.size(); ++i)
        if (!isFiller(text_[i]) && !isSpace(text_[i])) return {};
    const Filler filler{base_ + pos_, text_.size() - pos_};
    pos_ = text_.size();
    return filler;
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
    t.offset = base_ + pos_;
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
        if (c < 0x20 || c == 0x7F || c == '>') fail(base_ + start, "unexpected character");
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
    if (end >= text_.size() || text_[end] != '>') fail(base_ + start, "unterminated GUID");
    std::string_view inner(reinterpret_cast<const char*>(text_.data()) + start + 1, end - start - 1);
    while (!inner.empty() && isSpace(static_cast<std::uint8_t>(inner.front())))
        inner.remove_prefix(1);
    while (!inner.empty() && isSpace(static_cast<std::uint8_t>(inner.back())))
        inner.remove_suffix(1);
    const auto guid = parseGuid(inner);
    if (!guid) fail(base_ + start, "malformed GUID");
    pos_ = end + 1;
    Token t;
    t.kind = TokenKind::Guid;
    t.guid = *guid;
    t.offset = base_ + start;
    return t;
}

Token XTextLexer::lexString(std::size_t start) {
    std::size_t end = start + 1;
    while (end < text_.size() && text_[end] != '"')
        ++end;
    if (end >= text_.size()) fail(base_ + start, "unterminated string");
    Token t;
    t.kind = TokenKind::String;
    t.text = std::string_view(reinterpret_cast<const char*>(text_.data()) + start + 1, end - start - 1);
    t.offset = base_ + start;
    pos_ = end + 1;
    return t;
}

std::size_t XTextLexer::wordEnd(std::size_t start) const {
    std::size_t end = start;
    while (end < text_.size()) {
        const std::uint8_t c = text_[end];
        if (endsWord[c]) break;
        if (c == '/' && end + 1 < text_.size() && text_[end + 1] == '/') break;
        ++end;
    }
    return end;
}

Token XTextLexer::lexWord(std::size_t start) {
    const std::size_t end = wordEnd(start);
    pos_ = end;
    Token t;
    t.offset = base_ + start;
    t.text = std::string_view(reinterpret_cast<const char*>(text_.data()) + start, end - start);
    const Word word = classifyWord(t.text, base_ + start);
    t.kind = word.kind;
    t.integer = word.value.integer;
    t.number = word.value.number;
    return t;
}

void XTextLexer::skipToValue() {
    for (;;) {
        while (pos_ < text_.size() && spaceOrSeparator[text_[pos_]])
            ++pos_;
        if (pos_ >= text_.size() || (text_[pos_] != '#' && text_[pos_] != '/')) return;
        const std::size_t before = pos_;
        skipSpaceAndComments();
        if (pos_ == before) return; // a '/' that starts no comment
    }
}

bool XTextLexer::takePlainNumber(TokenKind& kind, NumberValue& value) {
    const char* first = reinterpret_cast<const char*>(text_.data()) + pos_;
    const char* last = reinterpret_cast<const char*>(text_.data()) + text_.size();
    const PlainDecimal plain = scanPlainDecimal(first, last);
    const std::size_t stop = pos_ + static_cast<std::size_t>(plain.end - first);
    if (plain.count == 0 || wordEnd(stop) != stop || !plainValue(plain, kind, value)) return false;
    pos_ = stop;
    return true;
}

TokenKind XTextLexer::takeNumber(NumberValue& value) {
    if (peeked_) return XTokenSource::takeNumber(value);
    skipToValue();
    TokenKind kind = TokenKind::End;
    if (takePlainNumber(kind, value)) return kind;
    // Every other number starts so, and lex() takes such a character for a word's start.
    const char c = pos_ < text_.size() ? static_cast<char>(text_[pos_]) : '\0';
    if (isDigit(c) || c == '-' || c == '+' || c == '.') {
        const std::size_t end = wordEnd(pos_);
        const Word word = classifyWord(
            std::string_view(reinterpret_cast<const char*>(text_.data()) + pos_, end - pos_), base_ + pos_);
        if (word.kind == TokenKind::Integer || word.kind == TokenKind::Float) {
            value = word.value;
            pos_ = end;
            return word.kind;
        }
    }
    return peek().kind;
}

std::size_t XTextLexer::takeNumbers(std::span<double> numbers) {
    std::size_t taken = 0;
    NumberValue value;
    TokenKind kind = TokenKind::End;
    while (taken < numbers.size()) {
        if (!peeked_) {
            skipToValue();
            if (takePlainNumber(kind, value)) {
                numbers[taken++] = value.number;
                continue;
            }
        }
        kind = takeNumber(value);
        if (kind != TokenKind::Integer && kind != TokenKind::Float) break;
        numbers[taken++] = value.number;
    }
    return taken;
}

std::size_t XTextLexer::takeIntegers(std::span<std::uint32_t> integers) {
    std::size_t taken = 0;
    NumberValue value;
    TokenKind kind = TokenKind::End;
    while (taken < integers.size() && !peeked_) {
        skipToValue();
        const std::size_t before = pos_;
        if (!takePlainNumber(kind, value)) break;
        if (kind != TokenKind::Integer) {
            pos_ = before; // left for the caller to reject
            break;
        }
        integers[taken++] = value.integer;
    }
    return taken;
}

} // namespace bw
