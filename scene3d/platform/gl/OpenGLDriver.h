#pragma once
// Creates OpenGL devices for the Direct3D object, where OpenGL can be had.

#include <cstdint>
#include <memory>

#include "scene3d/platform/device/DeviceDriver.h"

namespace bw {

// What an OpenGL device offers: hardware transform and lighting among it.
DeviceCaps openGLDeviceCaps(std::uint32_t maxTextureSize);

namespace gl {
class OffscreenContext;
}

class OpenGLDriver : public DeviceDriver {
public:
    // probe, when given, is the context that showed OpenGL can be had, used for nothing
    // else since: the first device created takes it over instead of making its own.
    explicit OpenGLDriver(std::uint32_t maxTextureSize);
    OpenGLDriver(std::uint32_t maxTextureSize, std::unique_ptr<gl::OffscreenContext> probe);
    ~OpenGLDriver() override;

    DeviceCaps caps() const override;
    bool supportsBackBufferFormat(std::uint32_t format) const override;
    ResultCode createDevice(const DeviceCreation& creation,
                            std::shared_ptr<IDirect3DDevice8>& device) override;

private:
    std::uint32_t maxTextureSize_;
    std::unique_ptr<gl::OffscreenContext> probe_;
};

// The OpenGL driver when an OpenGL 3.3 core context can really be made here; empty
// without a QGuiApplication, or on a platform without OpenGL.
std::shared_ptr<OpenGLDriver> openGLDriverIfAvailable();
// The OpenGL driver over a context already made current, which its first device takes
// over; empty when the context reports no usable texture size.
std::shared_ptr<OpenGLDriver> openGLDriverFor(std::unique_ptr<gl::OffscreenContext> probe);

} // namespace bw
