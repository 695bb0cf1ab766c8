#include "scene3d/platform/device/Direct3D.h"

#include <algorithm>
#include <bit>

#include "scene3d/platform/device/Formats.h"

namespace bw {

namespace {

constexpr std::uint32_t vertexProcessingFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                                D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                                D3DCREATE_MIXED_VERTEXPROCESSING;

} // namespace

Direct3D::Direct3D(std::vector<AdapterDescription> adapters) : adapters_(std::move(adapters)) {}

void Direct3D::setDriver(DeviceType deviceType, std::shared_ptr<DeviceDriver> driver) {
    if (deviceType < drivers_.size()) drivers_[deviceType] = std::move(driver);
}

const AdapterDescription* Direct3D::adapterAt(std::uint32_t adapter) const {
    return adapter < adapters_.size() ? &adapters_[adapter] : nullptr;
}

DeviceDriver* Direct3D::driverFor(DeviceType deviceType) const {
    return deviceType < drivers_.size() ? drivers_[deviceType].get() : nullptr;
}

bool Direct3D::adapterHasFormat(const AdapterDescription& adapter, std::uint32_t format) const {
    return std::any_of(adapter.modes.begin(), adapter.modes.end(),
                       [format](const DisplayMode& mode) { return mode.format == format; });
}

bool Direct3D::adapterHasMode(const AdapterDescription& adapter, std::uint32_t width, std::uint32_t height,
                              std::uint32_t format) const {
    return std::any_of(adapter.modes.begin(), adapter.modes.end(), [&](const DisplayMode& mode) {
        return mode.width == width && mode.height == height && mode.format == format;
    });
}

std::uint32_t Direct3D::GetAdapterCount() { return static_cast<std::uint32_t>(adapters_.size()); }

ResultCode Direct3D::GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t,
                                          AdapterIdentifier& identifier) {
    const auto* description = adapterAt(adapter);
    if (!description) return D3DERR_INVALIDCALL;
    identifier = description->identifier;
    return D3D_OK;
}

std::uint32_t Direct3D::GetAdapterModeCount(std::uint32_t adapter) {
    const auto* description = adapterAt(adapter);
    return description ? static_cast<std::uint32_t>(description->modes.size()) : 0;
}

ResultCode Direct3D::EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode, DisplayMode& displayMode) {
    const auto* description = adapterAt(adapter);
    if (!description || mode >= description->modes.size()) return D3DERR_INVALIDCALL;
    displayMode = description->modes[mode];
    return D3D_OK;
}

ResultCode Direct3D::GetAdapterDisplayMode(std::uint32_t adapter, DisplayMode& displayMode) {
    const auto* description = adapterAt(adapter);
    if (!description) return D3DERR_INVALIDCALL;
    displayMode = description->currentMode;
    return D3D_OK;
}

ResultCode Direct3D::CheckDeviceType(std::uint32_t adapter, DeviceType deviceType,
                                     std::uint32_t displayFormat, std::uint32_t backBufferFormat,
                                     bool windowed) {
    const auto* description = adapterAt(adapter);
    if (!description) return D3DERR_INVALIDCALL;
    const auto* driver = driverFor(deviceType);
    if (!driver) return D3DERR_NOTAVAILABLE;
    // A window shares the desktop, so it can only use the desktop's format.
    const bool displayFormatUsable = windowed ? displayFormat == description->currentMode.format
                                              : adapterHasFormat(*description, displayFormat);
    if (!displayFormatUsable) return D3DERR_NOTAVAILABLE;
    if (backBufferFormat != displayFormat || !driver->supportsBackBufferFormat(backBufferFormat))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

ResultCode Direct3D::GetDeviceCaps(std::uint32_t adapter, DeviceType deviceType, DeviceCaps& caps) {
    if (!adapterAt(adapter)) return D3DERR_INVALIDCALL;
    const auto* driver = driverFor(deviceType);
    if (!driver) return D3DERR_NOTAVAILABLE;
    caps = driver->caps();
    caps.deviceType = deviceType;
    caps.adapterOrdinal = adapter;
    return D3D_OK;
}

ResultCode Direct3D::CreateDevice(std::uint32_t adapter, DeviceType deviceType, DeviceWindow* focusWindow,
                                  std::uint32_t behaviourFlags, const PresentParameters& parameters,
                                  std::shared_ptr<IDirect3DDevice8>& device) {
    device.reset();
    const auto* description = adapterAt(adapter);
    if (!description) return D3DERR_INVALIDCALL;
    auto* driver = driverFor(deviceType);
    if (!driver) return D3DERR_NOTAVAILABLE;

    DeviceCreation creation{adapter, deviceType, focusWindow, behaviourFlags, parameters, {}};
    if (const auto result = GetDeviceCaps(adapter, deviceType, creation.caps); failed(result)) return result;

    // Exactly one way of processing vertices; hardware processing needs hardware T&L.
    const std::uint32_t processing = behaviourFlags & vertexProcessingFlags;
    if (std::popcount(processing) != 1) return D3DERR_INVALIDCALL;
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING &&
        !(creation.caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT))
        return D3DERR_INVALIDCALL;

    if (parameters.windowed) {
        const std::uint32_t desktopFormat = description->currentMode.format;
        const std::uint32_t backBufferFormat =
            parameters.backBufferFormat == D3DFMT_UNKNOWN ? desktopFormat : parameters.backBufferFormat;
        creation.parameters.backBufferFormat = backBufferFormat;
        if (failed(CheckDeviceType(adapter, deviceType, desktopFormat, backBufferFormat, true)))
            return D3DERR_NOTAVAILABLE;
    } else {
        if (!adapterHasMode(*description, parameters.backBufferWidth, parameters.backBufferHeight,
                            parameters.backBufferFormat))
            return D3DERR_INVALIDCALL;
        if (failed(CheckDeviceType(adapter, deviceType, parameters.backBufferFormat,
                                   parameters.backBufferFormat, false)))
            return D3DERR_NOTAVAILABLE;
    }
    return driver->createDevice(creation, device);
}

} // namespace bw
