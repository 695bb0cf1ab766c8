#pragma once
// One kind of device the Direct3D object can create: the reference rasterizer, or the
// OpenGL device. The Direct3D object handles adapters and checks; a driver only states
// what it can do and builds devices.

#include <cstdint>
#include <memory>

#include "scene3d/platform/device/DeviceCaps.h"
#include "scene3d/platform/device/DeviceTypes.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/device/PresentParameters.h"
#include "scene3d/platform/device/ResultCodes.h"

namespace bw {

class DeviceWindow;

struct DeviceCreation {
    std::uint32_t adapter = 0;
    DeviceType deviceType = D3DDEVTYPE_REF; // the type the caller asked for
    DeviceWindow* focusWindow = nullptr;
    std::uint32_t behaviourFlags = 0;
    PresentParameters parameters;
    DeviceCaps caps; // what GetDeviceCaps of the device reports
};

class DeviceDriver {
public:
    virtual ~DeviceDriver() = default;

    // deviceType and adapterOrdinal are filled in by the Direct3D object.
    virtual DeviceCaps caps() const = 0;
    virtual bool supportsBackBufferFormat(std::uint32_t format) const = 0;
    virtual ResultCode createDevice(const DeviceCreation& creation,
                                    std::shared_ptr<IDirect3DDevice8>& device) = 0;
};

} // namespace bw
