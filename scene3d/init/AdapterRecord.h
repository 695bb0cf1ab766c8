#pragma once
// What the enumeration learns about one display adapter: for each device type the display
// formats a device can use and the display modes worth offering.

#include <array>
#include <cstdint>
#include <vector>

#include "scene3d/platform/device/AdapterIdentifier.h"
#include "scene3d/platform/device/DeviceCaps.h"
#include "scene3d/platform/device/DeviceTypes.h"
#include "scene3d/platform/device/DisplayMode.h"

namespace bw {

struct FormatEntry {
    std::uint32_t format = 0;
    std::int32_t behaviourFlags = 0; // vertex processing a device in this format uses
    bool fullscreenCapable = false;
    bool windowedCapable = false;

    friend bool operator==(const FormatEntry&, const FormatEntry&) = default;
};

struct ModeEntry {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t format = 0;

    friend bool operator==(const ModeEntry&, const ModeEntry&) = default;
};

// The lists hold exactly the accepted entries: their sizes are the format and mode counts.
struct DeviceTypeLists {
    std::vector<FormatEntry> formats;
    std::vector<ModeEntry> modes;
    std::uint32_t currentMode = 0; // index into modes of the last full-screen creation

    // The behaviour flags of the first entry with this format, or -1.
    std::int32_t findFormat(std::uint32_t format) const;
    // The index of the first entry with the same width, height and format, or -1.
    std::int32_t findMode(const ModeEntry& mode) const;
};

struct AdapterRecord {
    DeviceType deviceType{};              // the type in use on this adapter; 0 until a creation
    DeviceCaps caps;                      // written by each format check
    std::array<DeviceTypeLists, 2> lists; // hardware, reference
    AdapterIdentifier identifier;
    DisplayMode desktopMode;
    bool windowed = false;  // the last creation on this adapter was windowed
    bool reference = false; // the device in use is the reference rasterizer

    // The lists of the hardware or the reference device; nullptr for any other type.
    DeviceTypeLists* listsFor(DeviceType deviceType);
    const DeviceTypeLists* listsFor(DeviceType deviceType) const;
};

} // namespace bw
