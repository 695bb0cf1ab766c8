#pragma once
// Creates OpenGL devices for the Direct3D object, where OpenGL can be had.

#include <cstdint>
#include <memory>

#include "scene3d/platform/device/DeviceDriver.h"

namespace bw {

// What an OpenGL device offers: hardware transform and lighting among it.
DeviceCaps openGLDeviceCaps(std::uint32_t maxTextureSize);

class OpenGLDriver : public DeviceDriver {
public:
    explicit OpenGLDriver(std::uint32_t maxTextureSize) : maxTextureSize_(maxTextureSize) {}

    DeviceCaps caps() const override;
    bool supportsBackBufferFormat(std::uint32_t format) const override;
    ResultCode createDevice(const DeviceCreation& creation,
                            std::shared_ptr<IDirect3DDevice8>& device) override;

private:
    std::uint32_t maxTextureSize_;
};

// The OpenGL driver when an OpenGL 3.3 core context can really be made here; empty
// without a QGuiApplication, or on a platform without OpenGL.
std::shared_ptr<OpenGLDriver> openGLDriverIfAvailable();

} // namespace bw
