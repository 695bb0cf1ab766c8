#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "scene3d/platform/xfile/Guid.h"

namespace bw {

// Member types a template can declare. Strings are kept in a side table of the data object.
enum class PrimitiveType : std::uint8_t {
    Word,
    Dword,
    Float,
    Double,
    Char,
    Uchar,
    Sword,
    Sdword,
    String,
    Void
};

// One token of a text or binary .x stream. Text numbers arrive one by one (Integer,
// Float); binary files pack them in lists whose elements are read in place.
enum class TokenKind : std::uint8_t {
    End,
    Name,
    String,
    Integer,
    Float,
    Guid,
    IntegerList,
    FloatList,
    OBrace,
    CBrace,
    OParen,
    CParen,
    OBracket,
    CBracket,
    OAngle,
    CAngle,
    Dot,
    Ellipsis,
    Comma,
    Semicolon,
    Template,
    Array,
    Primitive,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;              // Name and String; the spelling of a text number
    std::uint32_t integer = 0;          // Integer (negative text values as two's complement)
    double number = 0.0;                // Float, and Integer as a number
    Guid guid;                          // Guid
    PrimitiveType primitive{};          // Primitive (binary type keywords)
    std::span<const std::uint8_t> list; // IntegerList and FloatList: the elements' bytes
    std::uint32_t listCount = 0;
    std::uint8_t listElementSize = 0;
    std::size_t offset = 0; // where the token starts in the stream
};

// One Integer or Float token's value, without the rest of a token.
struct NumberValue {
    std::uint32_t integer = 0; // Integer only
    double number = 0.0;
};

// A stream of tokens with one token of look-ahead. Malformed input throws PlatformError.
class XTokenSource {
public:
    virtual ~XTokenSource() = default;
    virtual const Token& peek() = 0;
    // The token taken, valid until the next token is looked at or taken: whoever keeps it
    // longer copies it. Tokens are taken by the ten thousand, most only to be checked.
    virtual const Token& next() = 0;
    // Bytes not yet turned into tokens; every value still to come needs at least one.
    virtual std::size_t remainingBytes() const = 0;
    // Where a source can tell without reading them: the bytes that the values just ahead,
    // up to the next token that is not a value or a separator, take at most in a data
    // object's data. Room for an object's values is then made once. 0 where it cannot.
    virtual std::size_t valueBytesAhead() { return 0; }

    // Bytes that hold nothing, from here to the end of the stream, such as the padding some
    // writers leave after the last object: where they start in the file and how many. Taken,
    // so that the stream ends there. Nothing, and nothing taken, when anything else follows
    // or a token has been peeked.
    struct Filler {
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    virtual Filler takeFillerToEnd() { return {}; }

    // Skips separators (',' ';'). When the next token is an Integer or Float it is taken
    // into value; otherwise it stays for peek(). Returns the kind of that token. Data
    // members are read through here, so a source may do it without making tokens.
    virtual TokenKind takeNumber(NumberValue& value) {
        while (peek().kind == TokenKind::Comma || peek().kind == TokenKind::Semicolon)
            next();
        const Token& t = peek();
        const TokenKind kind = t.kind;
        if (kind != TokenKind::Integer && kind != TokenKind::Float) return kind;
        value.integer = t.integer;
        value.number = t.number;
        next();
        return kind;
    }

    // Takes numbers (Integer or Float) in a row as takeNumber does, up to numbers.size(),
    // and stops before anything else; returns how many it took.
    virtual std::size_t takeNumbers(std::span<double> numbers) {
        std::size_t taken = 0;
        NumberValue value;
        while (taken < numbers.size()) {
            const TokenKind kind = takeNumber(value);
            if (kind != TokenKind::Integer && kind != TokenKind::Float) break;
            numbers[taken++] = value.number;
        }
        return taken;
    }

    // Takes Integer tokens in a row, up to integers.size(), and may stop before any
    // token at all (this one takes none); what is left is read one value at a time.
    virtual std::size_t takeIntegers(std::span<std::uint32_t> /*integers*/) { return 0; }

    // Skips separators; when the next token is an IntegerList or FloatList, takes it into
    // list and returns true, else takes nothing more and returns false. Lists are of the
    // binary form only: a text source says false without looking.
    virtual bool takeList(Token& /*list*/) { return false; }
};

} // namespace bw
