#pragma once
// An optional judge of the display formats the enumeration accepts: it may refuse a
// format, or allow hardware vertex processing for it.

#include <cstdint>

namespace bw {

class DeviceVerifier {
public:
    virtual ~DeviceVerifier() = default;

    // Whether a device created with these behaviour flags may run in this display format.
    virtual bool VerifyDevice(std::uint32_t behaviourFlags, std::uint32_t format) = 0;
};

} // namespace bw
