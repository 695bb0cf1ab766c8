#include "scene3d/platform/xfile/Guid.h"

#include <charconv>
#include <cstdio>

namespace bw {

namespace {

template <typename T> bool parseHex(std::string_view text, T& out) {
    if (text.size() != sizeof(T) * 2) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), out, 16);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

} // namespace

std::optional<Guid> parseGuid(std::string_view text) {
    // 8-4-4-4-12 hexadecimal digits.
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    Guid g;
    if (!parseHex(text.substr(0, 8), g.data1) || !parseHex(text.substr(9, 4), g.data2) ||
        !parseHex(text.substr(14, 4), g.data3))
        return std::nullopt;
    const std::string_view tail[8] = {text.substr(19, 2), text.substr(21, 2), text.substr(24, 2),
                                      text.substr(26, 2), text.substr(28, 2), text.substr(30, 2),
                                      text.substr(32, 2), text.substr(34, 2)};
    for (int i = 0; i < 8; ++i)
        if (!parseHex(tail[i], g.data4[i])) return std::nullopt;
    return g;
}

std::string formatGuid(const Guid& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", g.data1, g.data2,
                  g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                  g.data4[7]);
    return buffer;
}

} // namespace bw
