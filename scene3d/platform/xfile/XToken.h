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

// A stream of tokens with one token of look-ahead. Malformed input throws PlatformError.
class XTokenSource {
public:
    virtual ~XTokenSource() = default;
    virtual const Token& peek() = 0;
    virtual Token next() = 0;
    // Bytes not yet turned into tokens; every value still to come needs at least one.
    virtual std::size_t remainingBytes() const = 0;
};

} // namespace bw
