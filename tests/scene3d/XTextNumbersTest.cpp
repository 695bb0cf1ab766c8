// Numbers of the text form. Plain spellings take a quick path; whatever path a number
// takes, it must read as from_chars reads its word (an integer first, then a double), to
// the bit, and a word that is no number must be left for the parser to reject.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>
#include <string>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/XTextLexer.h"

namespace bw {
namespace {

struct Reading {
    TokenKind kind = TokenKind::Name;
    std::uint32_t integer = 0;
    double number = 0.0;
    bool outOfRange = false; // an integer beyond 32 bits: an error
};

// The reference: the word as from_chars reads it.
Reading referenceReading(const std::string& word) {
    Reading r;
    const char* first = word.data() + (word[0] == '+' ? 1 : 0);
    const char* last = word.data() + word.size();
    long long integer = 0;
    if (auto [end, ec] = std::from_chars(first, last, integer); ec == std::errc{} && end == last) {
        r.outOfRange = integer < -2147483648LL || integer > 4294967295LL;
        r.kind = TokenKind::Integer;
        r.integer = static_cast<std::uint32_t>(integer);
        r.number = static_cast<double>(integer);
        return r;
    }
    double number = 0.0;
    if (auto [end, ec] = std::from_chars(first, last, number); ec == std::errc{} && end == last) {
        r.kind = TokenKind::Float;
        r.number = number;
    }
    return r;
}

std::span<const std::uint8_t> bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Reads word both ways (takeNumber, and a token through next()) and checks both.
void expectReadsAsReference(const std::string& word) {
    SCOPED_TRACE(word);
    const Reading expected = referenceReading(word);
    const std::string text = word + ";";
    XTextLexer quick(bytes(text));
    XTextLexer general(bytes(text));
    NumberValue value;
    if (expected.outOfRange) {
        EXPECT_THROW(quick.takeNumber(value), PlatformError);
        EXPECT_THROW(general.next(), PlatformError);
        return;
    }
    const TokenKind kind = quick.takeNumber(value);
    const Token token = general.next();
    EXPECT_EQ(kind, expected.kind);
    EXPECT_EQ(token.kind, expected.kind);
    if (expected.kind == TokenKind::Name) {
        EXPECT_EQ(quick.peek().text, word); // not taken
        return;
    }
    EXPECT_EQ(std::bit_cast<std::uint64_t>(value.number), std::bit_cast<std::uint64_t>(expected.number));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(token.number), std::bit_cast<std::uint64_t>(expected.number));
    if (expected.kind == TokenKind::Integer) {
        EXPECT_EQ(value.integer, expected.integer);
        EXPECT_EQ(token.integer, expected.integer);
    }
    EXPECT_EQ(quick.peek().kind, TokenKind::Semicolon);
}

std::string randomDecimal(std::mt19937& random) {
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::string word = between(0, 2) == 0 ? "-" : "";
    const int integerDigits = between(0, 9) == 0 ? between(10, 21) : between(1, 4);
    for (int i = 0; i < integerDigits; ++i)
        word += static_cast<char>('0' + between(0, 9));
    if (between(0, 3) != 0) {
        word += '.';
        const int fractionDigits = between(0, 9) == 0 ? between(8, 26) : between(1, 7);
        for (int i = 0; i < fractionDigits; ++i)
            word += static_cast<char>('0' + between(0, 9));
    }
    return word;
}

TEST(XTextNumbers, RandomPlainSpellingsReadAsFromCharsReadsThem) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 20000; ++i)
        expectReadsAsReference(randomDecimal(random));
    // Where the quick path must hand over: long, wide, signed, exponents, odd points.
    for (const char* word : {"4294967295",
                             "4294967296",
                             "-2147483648",
                             "-2147483649",
                             "999999999999999999",
                             "9999999999999999999",
                             "99999999999999999999",
                             "-0",
                             "-0.000000",
                             "0.1",
                             "123456789012345678.5",
                             "9007199254740993.0",
                             "0.30000000000000004441",
                             "1e3",
                             "-2.5E-3",
                             "+7",
                             "+0.25",
                             ".5",
                             "-.5",
                             "5.",
                             "1stFloor",
                             "12abc",
                             "1/2",
                             "0x10",
                             "1.2.3",
                             "--1",
                             "-",
                             "+"})
        expectReadsAsReference(word);
}

TEST(XTextNumbers, RunsSkipSeparatorsAndCommentsAndStopBeforeAnythingElse) {
    const std::string text = "1;, 2.5 # a note\n 3 // another\n;-4;; 5e1,7//x\n8 }";
    XTextLexer lexer(bytes(text));
    std::vector<double> numbers(10);
    ASSERT_EQ(lexer.takeNumbers(numbers), 7u);
    EXPECT_EQ(std::vector<double>(numbers.begin(), numbers.begin() + 7),
              (std::vector<double>{1, 2.5, 3, -4, 50, 7, 8}));
    EXPECT_EQ(lexer.peek().kind, TokenKind::CBrace);

    // Integers only: a float stops the run untaken, for the caller to reject.
    const std::string integerText = "1,2,3.5,4;";
    XTextLexer integers(bytes(integerText));
    std::vector<std::uint32_t> taken(4);
    EXPECT_EQ(integers.takeIntegers(taken), 2u);
    NumberValue value;
    EXPECT_EQ(integers.takeNumber(value), TokenKind::Float);
    EXPECT_EQ(value.number, 3.5);
    EXPECT_EQ(integers.takeIntegers(taken), 1u);
    EXPECT_EQ(taken[0], 4u);
    EXPECT_EQ(integers.takeIntegers(taken), 0u);
    EXPECT_EQ(integers.peek().kind, TokenKind::End);

    // A name, a string or a brace is not taken, and a run stops before it.
    const std::string mixedText = "6 Frame \"x\"";
    XTextLexer mixed(bytes(mixedText));
    EXPECT_EQ(mixed.takeNumbers(numbers), 1u);
    EXPECT_EQ(mixed.takeNumber(value), TokenKind::Name);
    EXPECT_EQ(mixed.next().text, "Frame");
    EXPECT_EQ(mixed.takeNumber(value), TokenKind::String);
}

} // namespace
} // namespace bw
