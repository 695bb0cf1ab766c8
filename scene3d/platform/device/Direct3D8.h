#pragma once
// The Direct3D object, shaped like the platform's IDirect3D8: adapters, their display
// modes and capabilities, and device creation.

#include <cstdint>
#include <memory>

#include "scene3d/platform/device/AdapterIdentifier.h"
#include "scene3d/platform/device/DeviceCaps.h"
#include "scene3d/platform/device/DeviceTypes.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/device/DisplayMode.h"
#include "scene3d/platform/device/PresentParameters.h"
#include "scene3d/platform/device/ResultCodes.h"

namespace bw {

class DeviceWindow;

class IDirect3D8 {
public:
    virtual ~IDirect3D8() = default;

    virtual std::uint32_t GetAdapterCount() = 0;
    virtual ResultCode GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags,
                                            AdapterIdentifier& identifier) = 0;
    // 0 for an adapter that does not exist.
    virtual std::uint32_t GetAdapterModeCount(std::uint32_t adapter) = 0;
    virtual ResultCode EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode,
                                        DisplayMode& displayMode) = 0;
    virtual ResultCode GetAdapterDisplayMode(std::uint32_t adapter, DisplayMode& displayMode) = 0;
    virtual ResultCode CheckDeviceType(std::uint32_t adapter, DeviceType deviceType,
                                       std::uint32_t displayFormat, std::uint32_t backBufferFormat,
                                       bool windowed) = 0;
    virtual ResultCode GetDeviceCaps(std::uint32_t adapter, DeviceType deviceType, DeviceCaps& caps) = 0;
    // focusWindow is the window the device renders for when the parameters name none.
    virtual ResultCode CreateDevice(std::uint32_t adapter, DeviceType deviceType, DeviceWindow* focusWindow,
                                    std::uint32_t behaviourFlags, const PresentParameters& parameters,
                                    std::shared_ptr<IDirect3DDevice8>& device) = 0;
};

} // namespace bw
