#include "catalogue/Utf8.h"

namespace bw::catalogue::utf8 {

std::optional<Character> decodeAt(std::string_view text, std::size_t at) {
    if (at >= text.size()) return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) return Character{lead, 1};

    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0; // anything below it was encoded in too many bytes
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) return std::nullopt;
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return Character{value, length};
}

void append(std::string& out, char32_t codePoint) {
    const auto put = [&](unsigned bits) { out += static_cast<char>(bits); };
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) codePoint = U'\uFFFD';
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

std::string repaired(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const auto character = decodeAt(text, at)) {
            out.append(text.substr(at, character->length));
            at += character->length;
        } else {
            append(out, U'\uFFFD');
            ++at;
        }
    }
    return out;
}

} // namespace bw::catalogue::utf8
