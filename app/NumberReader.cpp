#include "app/NumberReader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace bw::app {

namespace {

// Walks the text as if its blanks, tabs and line feeds were not there.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void next() {
        ++at_;
        skipBlanks();
    }
    bool take(char wanted) {
        if (peek() != wanted) return false;
        next();
        return true;
    }
    bool takeEither(char a, char b) { return take(a) || take(b); }

private:
    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n'))
            ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c, int radix) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value < radix ? value : -1;
}

// Digits after "&H" or "&O", as the bit pattern of a signed 32-bit value; more than 32
// significant bits do not fit.
std::optional<std::int32_t> readRadixDigits(Cursor& cursor, int radix) {
    std::uint64_t value = 0;
    for (int digit; (digit = digitValue(cursor.peek(), radix)) >= 0; cursor.next()) {
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

void appendDigits(Cursor& cursor, std::string& out) {
    for (; isDecimalDigit(cursor.peek()); cursor.next())
        out += cursor.peek();
}

// Sign, digits, decimal point, exponent: gathered without blanks, then converted by the
// library so that long digit strings round correctly.
std::optional<double> readDecimal(Cursor& cursor) {
    std::string literal;
    if (cursor.take('-'))
        literal += '-';
    else
        cursor.take('+');

    std::string whole;
    std::string fraction;
    appendDigits(cursor, whole);
    if (cursor.take('.')) appendDigits(cursor, fraction);
    if (whole.empty() && fraction.empty()) return 0.0;
    literal += whole.empty() ? "0" : whole;
    if (!fraction.empty()) literal += '.' + fraction;

    const char letter = cursor.peek();
    if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
        cursor.next();
        std::string exponent = "e";
        if (cursor.take('-'))
            exponent += '-';
        else
            cursor.take('+');
        const std::size_t signLength = exponent.size();
        appendDigits(cursor, exponent);
        if (exponent.size() > signLength) literal += exponent;
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (error == std::errc::result_out_of_range) return std::nullopt;
    if (error != std::errc()) return 0.0;
    return value;
}

std::optional<double> readValue(std::string_view text) {
    Cursor cursor(text);
    if (cursor.take('&')) {
        if (cursor.takeEither('H', 'h')) return readRadixDigits(cursor, 16);
        if (cursor.takeEither('O', 'o')) return readRadixDigits(cursor, 8);
        return 0.0;
    }
    return readDecimal(cursor);
}

} // namespace

double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest < 0.5) return below;
    if (rest > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t readNumber(std::string_view text) {
    const std::optional<double> value = readValue(text);
    if (!value) return 0;
    const double rounded = roundHalfToEven(*value);
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!(rounded >= lowest && rounded <= highest)) return 0;
    return static_cast<std::int32_t>(rounded);
}

} // namespace bw::app
