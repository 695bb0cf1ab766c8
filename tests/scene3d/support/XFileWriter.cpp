#include "tests/scene3d/support/XFileWriter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <zlib.h>

#include "scene3d/platform/xfile/XTextLexer.h"

namespace bw::test {

namespace {

enum : std::uint16_t {
    tName = 1,
    tString = 2,
    tInteger = 3,
    tGuid = 5,
    tIntegerList = 6,
    tFloatList = 7,
    tOBrace = 10,
    tCBrace = 11,
    tOBracket = 14,
    tCBracket = 15,
    tDot = 18,
    tComma = 19,
    tSemicolon = 20,
    tTemplate = 31,
    tArray = 52,
};

std::uint16_t primitiveToken(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::Word:
        return 40;
    case PrimitiveType::Dword:
        return 41;
    case PrimitiveType::Float:
        return 42;
    case PrimitiveType::Double:
        return 43;
    case PrimitiveType::Char:
        return 44;
    case PrimitiveType::Uchar:
        return 45;
    case PrimitiveType::Sword:
        return 46;
    case PrimitiveType::Sdword:
        return 47;
    case PrimitiveType::String:
        return 49;
    case PrimitiveType::Void:
        return 48;
    }
    return 48;
}

// Collects consecutive values of one kind into one list token.
class ValueWriter {
public:
    explicit ValueWriter(BinaryTokenWriter& out) : out_(out) {}
    ~ValueWriter() { flush(); }

    void integer(std::uint32_t v) {
        if (!floats_.empty()) flush();
        integers_.push_back(v);
    }
    void number(double v) {
        if (!integers_.empty()) flush();
        floats_.push_back(v);
    }
    void string(std::string_view s) {
        flush();
        out_.string(s);
    }
    void flush() {
        if (!integers_.empty()) out_.integers(integers_);
        if (!floats_.empty()) out_.floats(floats_);
        integers_.clear();
        floats_.clear();
    }

private:
    BinaryTokenWriter& out_;
    std::vector<std::uint32_t> integers_;
    std::vector<double> floats_;
};

std::uint64_t readBytes(const XDataObject& object, std::size_t& at, std::size_t size) {
    if (at + size > object.data.size()) throw std::runtime_error("data shorter than its template");
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < size; ++i)
        v |= std::uint64_t{object.data[at + i]} << (8 * i);
    at += size;
    return v;
}

void writeInstance(const XTemplate& t, const XDataObject& object, std::size_t& at, ValueWriter& out) {
    std::vector<std::uint32_t> single(t.members.size(), 0);
    for (std::size_t i = 0; i < t.members.size(); ++i) {
        const XMember& m = t.members[i];
        std::uint64_t count = 1;
        for (const auto& d : m.dimensions)
            count *= d.sizeMember >= 0 ? single[d.sizeMember] : d.fixedSize;
        for (std::uint64_t k = 0; k < count; ++k) {
            if (m.templateType) {
                writeInstance(*m.templateType, object, at, out);
            } else if (*m.primitive == PrimitiveType::Float) {
                const auto bits = static_cast<std::uint32_t>(readBytes(object, at, 4));
                float f;
                std::memcpy(&f, &bits, 4);
                out.number(f);
            } else if (*m.primitive == PrimitiveType::Double) {
                const std::uint64_t bits = readBytes(object, at, 8);
                double d;
                std::memcpy(&d, &bits, 8);
                out.number(d);
            } else if (*m.primitive == PrimitiveType::String) {
                out.string(object.strings.at(readBytes(object, at, 4)));
            } else {
                const auto v = static_cast<std::uint32_t>(readBytes(object, at, primitiveSize(*m.primitive)));
                out.integer(v);
                if (m.dimensions.empty()) single[i] = v;
            }
        }
    }
}

void writeObject(const XDataObject& object, BinaryTokenWriter& out) {
    out.name(object.xtemplate->name);
    if (!object.name.empty()) out.name(object.name);
    if (object.id) out.guid(*object.id);
    out.token(tOBrace);
    {
        ValueWriter values(out);
        std::size_t at = 0;
        writeInstance(*object.xtemplate, object, at, values);
    }
    for (const auto& child : object.children) {
        if (child.isReference()) {
            out.token(tOBrace);
            out.name(child.referenceName());
            out.token(tCBrace);
        } else {
            writeObject(child.object(), out);
        }
    }
    out.token(tCBrace);
}

void writeTemplate(const XTemplate& t, BinaryTokenWriter& out) {
    out.token(tTemplate);
    out.name(t.name);
    out.token(tOBrace);
    out.guid(t.guid);
    for (const auto& m : t.members) {
        if (!m.dimensions.empty()) out.token(tArray);
        if (m.primitive) {
            out.token(primitiveToken(*m.primitive));
        } else {
            out.name(m.templateType->name);
        }
        out.name(m.name);
        for (const auto& d : m.dimensions) {
            out.token(tOBracket);
            if (d.sizeMember >= 0) {
                out.name(t.members[d.sizeMember].name);
            } else {
                out.integer(d.fixedSize);
            }
            out.token(tCBracket);
        }
        out.token(tSemicolon);
    }
    if (t.restriction != XRestriction::Closed) {
        out.token(tOBracket);
        if (t.restriction == XRestriction::Open) {
            for (int i = 0; i < 3; ++i)
                out.token(tDot);
        }
        for (std::size_t i = 0; i < t.allowedChildren.size(); ++i) {
            if (i) out.token(tComma);
            out.name(t.allowedChildren[i].name);
            if (t.allowedChildren[i].guid) out.guid(*t.allowedChildren[i].guid);
        }
        out.token(tCBracket);
    }
    out.token(tCBrace);
}

} // namespace

void BinaryTokenWriter::word(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void BinaryTokenWriter::dword(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void BinaryTokenWriter::token(std::uint16_t code) { word(code); }

void BinaryTokenWriter::name(std::string_view text) {
    word(tName);
    dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void BinaryTokenWriter::string(std::string_view text, std::uint16_t terminator, int terminatorBytes) {
    word(tString);
    dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    if (terminatorBytes == 2) {
        word(terminator);
    } else {
        dword(terminator);
    }
}

void BinaryTokenWriter::integer(std::uint32_t value) {
    word(tInteger);
    dword(value);
}

void BinaryTokenWriter::guid(const Guid& g) {
    word(tGuid);
    dword(g.data1);
    word(g.data2);
    word(g.data3);
    bytes_.insert(bytes_.end(), g.data4.begin(), g.data4.end());
}

void BinaryTokenWriter::integers(std::span<const std::uint32_t> values) {
    word(tIntegerList);
    dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values)
        dword(v);
}

void BinaryTokenWriter::floats(std::span<const double> values) {
    word(tFloatList);
    dword(static_cast<std::uint32_t>(values.size()));
    for (double v : values) {
        if (floatBits_ == 64) {
            std::uint64_t bits;
            std::memcpy(&bits, &v, 8);
            dword(static_cast<std::uint32_t>(bits));
            dword(static_cast<std::uint32_t>(bits >> 32));
        } else {
            const float f = static_cast<float>(v);
            std::uint32_t bits;
            std::memcpy(&bits, &f, 4);
            dword(bits);
        }
    }
}

std::vector<std::uint8_t> writeBinaryXFile(std::span<const std::shared_ptr<const XTemplate>> declarations,
                                           std::span<const XDataObject* const> objects, int floatBits) {
    const std::string header = floatBits == 64 ? "xof 0302bin 0064" : "xof 0302bin 0032";
    BinaryTokenWriter out(floatBits);
    out.bytes().assign(header.begin(), header.end());
    for (const auto& t : declarations)
        writeTemplate(*t, out);
    for (const XDataObject* object : objects)
        writeObject(*object, out);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> textToBinary(std::string_view text, const BinaryForm& form) {
    constexpr std::size_t headerSize = 16;
    if (text.size() < headerSize || text.substr(8, 4) != "txt ")
        throw std::runtime_error("not a text .x file");
    const std::string header =
        std::string(text.substr(0, 8)) + "bin " + (form.floatBits == 64 ? "0064" : "0032");
    BinaryTokenWriter out(form.floatBits);
    out.bytes().assign(header.begin(), header.end());

    const std::string_view body = text.substr(headerSize);
    XTextLexer lexer(std::span(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()));
    std::vector<std::uint32_t> integers;
    std::vector<double> floats;
    const auto flush = [&] {
        if (!integers.empty()) out.integers(integers);
        if (!floats.empty()) out.floats(floats);
        integers.clear();
        floats.clear();
    };
    const auto isSeparator = [](TokenKind k) { return k == TokenKind::Comma || k == TokenKind::Semicolon; };
    bool inTemplate = false; // template bodies hold no braces of their own
    for (;;) {
        const Token t = lexer.next();
        if (t.kind == TokenKind::End) break;
        if (t.kind == TokenKind::Integer && !inTemplate && !form.keepSeparators) {
            if (!floats.empty()) flush();
            integers.push_back(t.integer);
            continue;
        }
        if (t.kind == TokenKind::Float && !form.keepSeparators) {
            if (!integers.empty()) flush();
            floats.push_back(t.number);
            continue;
        }
        if (isSeparator(t.kind) && !inTemplate && !form.keepSeparators) continue;
        flush();
        switch (t.kind) {
        case TokenKind::Integer:
            out.integer(t.integer);
            break;
        case TokenKind::Float:
            out.floats(std::vector<double>{t.number});
            break;
        case TokenKind::String: {
            std::uint16_t terminator = tSemicolon;
            if (isSeparator(lexer.peek().kind))
                terminator = lexer.next().kind == TokenKind::Comma ? tComma : tSemicolon;
            out.string(t.text, terminator, form.stringTerminatorBytes);
            break;
        }
        case TokenKind::Name: {
            const std::string word(t.text);
            if (word == "template") {
                out.token(tTemplate);
                inTemplate = true;
            } else if (inTemplate && word == "array") {
                out.token(tArray);
            } else if (const auto type = primitiveFromKeyword(word); inTemplate && type) {
                out.token(primitiveToken(*type));
            } else {
                out.name(word);
            }
            break;
        }
        case TokenKind::Guid:
            out.guid(t.guid);
            break;
        case TokenKind::Ellipsis:
            for (int i = 0; i < 3; ++i)
                out.token(tDot);
            break;
        case TokenKind::CBrace:
            inTemplate = false;
            out.token(tCBrace);
            break;
        case TokenKind::OBrace:
            out.token(tOBrace);
            break;
        case TokenKind::OBracket:
            out.token(tOBracket);
            break;
        case TokenKind::CBracket:
            out.token(tCBracket);
            break;
        case TokenKind::Comma:
            out.token(tComma);
            break;
        case TokenKind::Semicolon:
            out.token(tSemicolon);
            break;
        default:
            throw std::runtime_error("no binary form for a token at byte " + std::to_string(t.offset));
        }
    }
    flush();
    return std::move(out.bytes());
}

std::vector<std::uint8_t> compressXFile(std::span<const std::uint8_t> file, std::size_t blockSize) {
    constexpr std::size_t headerSize = 16, window = 32768;
    std::vector<std::uint8_t> out(file.begin(), file.begin() + headerSize);
    const char* format = std::memcmp(&out[8], "txt ", 4) == 0 ? "tzip" : "bzip";
    std::memcpy(&out[8], format, 4);
    const auto total = static_cast<std::uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(total >> (8 * i)));

    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib");
    for (std::size_t at = headerSize; at < file.size(); at += blockSize) {
        const std::size_t size = std::min(blockSize, file.size() - at);
        deflateReset(&z);
        const std::size_t dictionary = std::min(window, at - headerSize);
        if (dictionary)
            deflateSetDictionary(&z, file.data() + at - dictionary, static_cast<uInt>(dictionary));
        std::vector<std::uint8_t> block(deflateBound(&z, static_cast<uLong>(size)) + 16);
        z.next_in = const_cast<Bytef*>(file.data() + at);
        z.avail_in = static_cast<uInt>(size);
        z.next_out = block.data();
        z.avail_out = static_cast<uInt>(block.size());
        if (deflate(&z, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
        const std::size_t compressed = block.size() - z.avail_out;
        const auto word = [&out](std::size_t v) {
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        };
        word(size);
        word(compressed + 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(compressed));
    }
    deflateEnd(&z);
    return out;
}

} // namespace bw::test
