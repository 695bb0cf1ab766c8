#include "catalogue/SingleLine.h"

namespace bw::catalogue {

namespace {

// Length of the line break that starts at `at`, in bytes of UTF-8; 0 when none does.
std::size_t breakAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    switch (byte(at)) {
    case '\r':
        return byte(at + 1) == '\n' ? 2 : 1;
    case '\n':
    case '\v':
    case '\f':
        return 1;
    case 0xC2: // U+0085 next line
        return byte(at + 1) == 0x85 ? 2 : 0;
    case 0xE2: // U+2028 line separator, U+2029 paragraph separator
        return byte(at + 1) == 0x80 && (byte(at + 2) == 0xA8 || byte(at + 2) == 0xA9) ? 3 : 0;
    default:
        return 0;
    }
}

} // namespace

std::string onOneLine(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t length = breakAt(text, at)) {
            result += ' ';
            at += length;
        } else {
            result += text[at++];
        }
    }
    return result;
}

} // namespace bw::catalogue
