#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend auto operator<=>(const Guid&, const Guid&) = default;
};

// "3D82AB43-62DA-11cf-AB39-0020AF71E433" (no braces); empty when malformed.
std::optional<Guid> parseGuid(std::string_view text);
std::string formatGuid(const Guid& guid);

} // namespace bw
