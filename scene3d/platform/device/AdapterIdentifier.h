#pragma once

#include <cstdint>
#include <string>

namespace bw {

struct AdapterIdentifier {
    std::string driver;
    std::string description;
    std::uint64_t driverVersion = 0;
    std::uint32_t vendorId = 0;
    std::uint32_t deviceId = 0;
    std::uint32_t subSysId = 0;
    std::uint32_t revision = 0;

    friend bool operator==(const AdapterIdentifier&, const AdapterIdentifier&) = default;
};

} // namespace bw
