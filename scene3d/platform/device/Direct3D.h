#pragma once
// The program's Direct3D object: the adapters come in as plain data (the Qt layer fills
// them from the screens), and each device type is served by the driver registered for
// it. A type without a driver is not available.

#include <array>
#include <memory>
#include <vector>

#include "scene3d/platform/device/DeviceDriver.h"
#include "scene3d/platform/device/Direct3D8.h"

namespace bw {

struct AdapterDescription {
    AdapterIdentifier identifier;
    std::vector<DisplayMode> modes; // every mode the adapter offers
    DisplayMode currentMode;        // the desktop's mode
};

class Direct3D : public IDirect3D8 {
public:
    explicit Direct3D(std::vector<AdapterDescription> adapters);

    // Serves requests for deviceType with driver; an empty driver withdraws the type.
    void setDriver(DeviceType deviceType, std::shared_ptr<DeviceDriver> driver);

    std::uint32_t GetAdapterCount() override;
    ResultCode GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags,
                                    AdapterIdentifier& identifier) override;
    std::uint32_t GetAdapterModeCount(std::uint32_t adapter) override;
    ResultCode EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode, DisplayMode& displayMode) override;
    ResultCode GetAdapterDisplayMode(std::uint32_t adapter, DisplayMode& displayMode) override;
    ResultCode CheckDeviceType(std::uint32_t adapter, DeviceType deviceType, std::uint32_t displayFormat,
                               std::uint32_t backBufferFormat, bool windowed) override;
    ResultCode GetDeviceCaps(std::uint32_t adapter, DeviceType deviceType, DeviceCaps& caps) override;
    ResultCode CreateDevice(std::uint32_t adapter, DeviceType deviceType, DeviceWindow* focusWindow,
                            std::uint32_t behaviourFlags, const PresentParameters& parameters,
                            std::shared_ptr<IDirect3DDevice8>& device) override;

private:
    const AdapterDescription* adapterAt(std::uint32_t adapter) const;
    DeviceDriver* driverFor(DeviceType deviceType) const;
    bool adapterHasFormat(const AdapterDescription& adapter, std::uint32_t format) const;
    bool adapterHasMode(const AdapterDescription& adapter, std::uint32_t width, std::uint32_t height,
                        std::uint32_t format) const;

    std::vector<AdapterDescription> adapters_;
    std::array<std::shared_ptr<DeviceDriver>, 4> drivers_; // by device type
};

} // namespace bw
