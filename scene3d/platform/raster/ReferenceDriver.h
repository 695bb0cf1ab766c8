#pragma once
// Creates reference devices for the Direct3D object.

#include "scene3d/platform/device/DeviceDriver.h"

namespace bw {

class ReferenceDriver : public DeviceDriver {
public:
    DeviceCaps caps() const override;
    bool supportsBackBufferFormat(std::uint32_t format) const override;
    ResultCode createDevice(const DeviceCreation& creation,
                            std::shared_ptr<IDirect3DDevice8>& device) override;
};

} // namespace bw
