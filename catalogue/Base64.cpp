#include "catalogue/Base64.h"

#include <cstdint>

namespace bw::catalogue {

std::string base64(std::string_view bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    const auto byte = [&](std::size_t i) -> std::uint32_t {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t triple = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        const std::size_t present = bytes.size() - i; // 1, 2, or 3 and more
        out += kAlphabet[triple >> 18 & 0x3F];
        out += kAlphabet[triple >> 12 & 0x3F];
        out += present > 1 ? kAlphabet[triple >> 6 & 0x3F] : '=';
        out += present > 2 ? kAlphabet[triple & 0x3F] : '=';
    }
    return out;
}

} // namespace bw::catalogue
