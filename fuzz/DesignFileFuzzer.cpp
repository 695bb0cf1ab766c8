// libFuzzer entry for the design file reader: any input is read or refused, never a crash;
// whatever it accepts, it writes back to bytes that read to the same design.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/DesignFile.h"
#include "catalogue/DesignFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bw::catalogue::DesignRead first = bw::catalogue::readDesignText(bytes);
    if (!first.ok) return 0;
    const std::string written = bw::catalogue::designFileText(first.store);
    const bw::catalogue::DesignRead second = bw::catalogue::readDesignText(written);
    if (!second.ok || bw::catalogue::designFileText(second.store) != written) std::abort();
    return 0;
}
