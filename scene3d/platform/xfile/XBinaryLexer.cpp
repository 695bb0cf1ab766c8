#include "scene3d/platform/xfile/XBinaryLexer.h"

#include <iterator>
#include <string>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

namespace {

enum BinaryToken : std::uint16_t {
    tokenName = 1,
    tokenString = 2,
    tokenInteger = 3,
    tokenGuid = 5,
    tokenIntegerList = 6,
    tokenFloatList = 7,
    tokenComma = 19,
    tokenSemicolon = 20,
    tokenTemplate = 31,
    tokenArray = 52,
};

struct StandAlone {
    std::uint16_t code;
    TokenKind kind;
};

constexpr StandAlone standAloneTokens[] = {
    {10, TokenKind::OBrace},
    {11, TokenKind::CBrace},
    {12, TokenKind::OParen},
    {13, TokenKind::CParen},
    {14, TokenKind::OBracket},
    {15, TokenKind::CBracket},
    {16, TokenKind::OAngle},
    {17, TokenKind::CAngle},
    {18, TokenKind::Dot},
    {tokenComma, TokenKind::Comma},
    {tokenSemicolon, TokenKind::Semicolon},
};

struct TypeToken {
    std::uint16_t code;
    PrimitiveType type;
};

constexpr TypeToken typeTokens[] = {
    {40, PrimitiveType::Word},   {41, PrimitiveType::Dword},  {42, PrimitiveType::Float},
    {43, PrimitiveType::Double}, {44, PrimitiveType::Char},   {45, PrimitiveType::Uchar},
    {46, PrimitiveType::Sword},  {47, PrimitiveType::Sdword}, {48, PrimitiveType::Void},
    {49, PrimitiveType::String}, {50, PrimitiveType::String}, {51, PrimitiveType::String},
};

// Codes without gaps, so that each table can be indexed by code.
template <typename Entry, std::size_t n> constexpr bool consecutive(const Entry (&table)[n]) {
    for (std::size_t i = 1; i < n; ++i)
        if (table[i].code != table[0].code + i) return false;
    return true;
}
static_assert(consecutive(standAloneTokens) && consecutive(typeTokens));

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace

const Token& XBinaryLexer::peek() {
    if (!peeked_) {
        lex(token_);
        peeked_ = true;
    }
    return token_;
}

const Token& XBinaryLexer::next() {
    if (!peeked_) lex(token_);
    peeked_ = false;
    return token_;
}

std::span<const std::uint8_t> XBinaryLexer::take(std::uint64_t count) {
    if (count > remainingBytes())
        throw PlatformError(result::badFile,
                            "binary .x: record runs past the end at byte " + std::to_string(base_ + pos_));
    const auto part = bytes_.subspan(pos_, static_cast<std::size_t>(count));
    pos_ += static_cast<std::size_t>(count);
    return part;
}

std::uint16_t XBinaryLexer::readWord() {
    const auto b = take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t XBinaryLexer::readDword() {
    const auto b = take(4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

bool XBinaryLexer::takeList(Token& list) {
    while (peek().kind == TokenKind::Comma || peek().kind == TokenKind::Semicolon)
        next();
    const TokenKind kind = peek().kind;
    if (kind != TokenKind::IntegerList && kind != TokenKind::FloatList) return false;
    list = next();
    return true;
}

std::size_t XBinaryLexer::valueBytesAhead() {
    // Values are stored 4 bytes each (8 for a DOUBLE, which comes from a list of them), so a
    // list's bytes bound what it gives; a lone integer or string gives 4. The records are
    // only passed over here, within what is left: what is wrong with them is reported when
    // they are read.
    std::size_t bytes = 0;
    if (peeked_) {
        const TokenKind kind = token_.kind;
        if (kind == TokenKind::IntegerList || kind == TokenKind::FloatList) {
            bytes += token_.list.size();
        } else if (kind == TokenKind::Integer || kind == TokenKind::String) {
            bytes += 4;
        } else if (kind != TokenKind::Comma && kind != TokenKind::Semicolon) {
            return 0;
        }
    }
    const auto dword = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    };
    for (std::size_t at = pos_; bytes_.size() - at >= 2;) {
        const auto code = static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
        const std::size_t left = bytes_.size() - at - 2;
        if (code == tokenIntegerList || code == tokenFloatList) {
            if (left < 4) break;
            const std::uint64_t size = std::uint64_t{dword(at + 2)} *
                                       (code == tokenIntegerList ? 4 : static_cast<unsigned>(floatBytes_));
            if (size > left - 4) break;
            bytes += static_cast<std::size_t>(size);
            at += 6 + static_cast<std::size_t>(size);
        } else if (code == tokenInteger) {
            if (left < 4) break;
            bytes += 4;
            at += 6;
        } else if (code == tokenComma || code == tokenSemicolon) {
            at += 2;
        } else {
            break; // a string, a name, a brace: the values end here or go on slowly
        }
    }
    return bytes;
}

XTokenSource::Filler XBinaryLexer::takeFillerToEnd() {
    // No token code has a zero low byte, so zeros where a token would start are padding.
    if (peeked_ || pos_ >= bytes_.size() || bytes_[pos_] != 0) return {};
    for (std::size_t i = pos_; i < bytes_.size(); ++i)
        if (bytes_[i] != 0) return {};
    const Filler filler{base_ + pos_, bytes_.size() - pos_};
    pos_ = bytes_.size();
    return filler;
}

void XBinaryLexer::lex(Token& t) {
    // Only what the kind uses is set; the rest may be left from the token before, except
    // what a misreading could take for values.
    t.kind = TokenKind::End;
    t.offset = base_ + pos_;
    t.text = {};
    t.listCount = 0;
    if (pos_ >= bytes_.size()) return;
    const std::uint16_t code = readWord();
    switch (code) {
    case tokenName:
        t.kind = TokenKind::Name;
        t.text = asText(take(readDword()));
        return;
    case tokenString: {
        t.kind = TokenKind::String;
        t.text = asText(take(readDword()));
        const std::uint16_t terminator = readWord();
        if (terminator != tokenComma && terminator != tokenSemicolon)
            throw PlatformError(result::parseError,
                                "binary .x: string without terminator at byte " + std::to_string(t.offset));
        // The terminator is a DWORD in most writers and a lone token in some; its upper half
        // is zero, and no token starts with a zero word, so the two cannot be confused.
        if (remainingBytes() >= 2 && bytes_[pos_] == 0 && bytes_[pos_ + 1] == 0) pos_ += 2;
        return;
    }
    case tokenInteger:
        t.kind = TokenKind::Integer;
        t.integer = readDword();
        t.number = t.integer;
        return;
    case tokenGuid: {
        t.kind = TokenKind::Guid;
        t.guid.data1 = readDword();
        t.guid.data2 = readWord();
        t.guid.data3 = readWord();
        const auto tail = take(8);
        for (std::size_t i = 0; i < 8; ++i)
            t.guid.data4[i] = tail[i];
        return;
    }
    case tokenIntegerList:
    case tokenFloatList: {
        t.kind = code == tokenIntegerList ? TokenKind::IntegerList : TokenKind::FloatList;
        t.listElementSize = static_cast<std::uint8_t>(code == tokenIntegerList ? 4 : floatBytes_);
        t.listCount = readDword();
        t.list = take(std::uint64_t{t.listCount} * t.listElementSize);
        return;
    }
    case tokenTemplate:
        t.kind = TokenKind::Template;
        return;
    case tokenArray:
        t.kind = TokenKind::Array;
        return;
    default:
        break;
    }
    // Both tables run through their codes one by one: the code is the index.
    if (code >= standAloneTokens[0].code && code <= std::end(standAloneTokens)[-1].code) {
        t.kind = standAloneTokens[code - standAloneTokens[0].code].kind;
        return;
    }
    if (code >= typeTokens[0].code && code <= std::end(typeTokens)[-1].code) {
        t.kind = TokenKind::Primitive;
        t.primitive = typeTokens[code - typeTokens[0].code].type;
        return;
    }
    throw PlatformError(result::parseError, "binary .x: unknown token " + std::to_string(code) + " at byte " +
                                                std::to_string(t.offset));
}

} // namespace bw
