#pragma once
// A scripted Direct3D object for tests of device set-up and recovery: adapters, modes,
// format answers, capabilities and creation failures are what the test says, and every
// call is recorded. The devices it creates are reference devices, so tests can draw, pick
// and read pixels, and make a device lost and restorable.

#include <optional>
#include <string>
#include <vector>

#include "scene3d/platform/device/DeviceWindow.h"
#include "scene3d/platform/device/Direct3D8.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace bw::fake {

struct FakeAdapter {
    AdapterIdentifier identifier;
    std::vector<DisplayMode> modes;
    DisplayMode currentMode;
};

// An adapter whose desktop runs width x height in format, offering that mode only.
FakeAdapter desktopAdapter(std::uint32_t width, std::uint32_t height, std::uint32_t format,
                           std::uint32_t refreshRate = 60);

struct DeviceCreationCall {
    std::uint32_t adapter = 0;
    DeviceType deviceType = D3DDEVTYPE_HAL;
    DeviceWindow* focusWindow = nullptr;
    std::uint32_t behaviourFlags = 0;
    PresentParameters parameters;
    ResultCode result = D3D_OK;
};

class FakeDirect3D : public IDirect3D8 {
public:
    FakeDirect3D();

    std::vector<FakeAdapter> adapters;
    // Capabilities per device type; the hardware ones announce hardware T&L.
    DeviceCaps hardwareCaps;
    DeviceCaps referenceCaps;
    // Without hardware, type 1 answers D3DERR_NOTAVAILABLE everywhere.
    bool hardwareAvailable = true;

    // CheckDeviceType(adapter, type, format, format, windowed) fails for this format;
    // windowed empty means both ways.
    void rejectFormat(DeviceType deviceType, std::uint32_t format,
                      std::optional<bool> windowed = std::nullopt);
    // CreateDevice for this type fails with code.
    void failCreation(DeviceType deviceType, ResultCode code = D3DERR_NOTAVAILABLE);
    void failEveryCreation(ResultCode code = D3DERR_NOTAVAILABLE);

    // Every call, in order, e.g. "GetAdapterCount", "EnumAdapterModes 0 3",
    // "CheckDeviceType 0 1 22 22 windowed", "CreateDevice 0 2 flags=32".
    std::vector<std::string> calls;
    std::vector<DeviceCreationCall> creations;
    std::vector<std::shared_ptr<ReferenceDevice>> devices; // every device created, in order
    std::shared_ptr<ReferenceDevice> lastDevice() const { return devices.empty() ? nullptr : devices.back(); }

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
    struct Rejection {
        DeviceType deviceType;
        std::uint32_t format;
        std::optional<bool> windowed;
    };
    struct CreationFailure {
        std::optional<DeviceType> deviceType; // empty: every type
        ResultCode code;
    };

    const FakeAdapter* adapterAt(std::uint32_t adapter) const;
    bool typeAvailable(DeviceType deviceType) const;

    std::vector<Rejection> rejections_;
    std::vector<CreationFailure> creationFailures_;
};

// A window of a fixed size that keeps the last picture presented to it.
class FakeDeviceWindow : public DeviceWindow {
public:
    FakeDeviceWindow(int width, int height);

    WindowRect client;
    WindowRect frame; // the window rectangle, frame included
    Picture lastPicture;
    int presentCount = 0;

    WindowRect clientRect() const override { return client; }
    WindowRect windowRect() const override { return frame; }
    void present(const PictureRows& picture) override;
};

} // namespace bw::fake
