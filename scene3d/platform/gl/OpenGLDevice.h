#pragma once
// The hardware device (device type 1) on OpenGL 3.3 core: a context of its own on an
// offscreen surface, a framebuffer object as back buffer, and one shader program that
// draws what the reference rasterizer draws, up to rounding. Present reads the picture
// back and hands it to the device window, like the reference device does.
//
// Loss: when the context goes away (Qt destroys it, or a driver reset makes it invalid)
// the device is lost: TestCooperativeLevel reports D3DERR_DEVICELOST until a new context
// can be made, then D3DERR_DEVICENOTRESET; Reset then makes the back buffer again and the
// program and buffers come back as draws need them. While lost, draws and clears do
// nothing and Present fails.

#include <cstdint>
#include <memory>
#include <vector>

#include "scene3d/platform/device/DeviceDriver.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/fixedfunction/StatefulDevice.h"
#include "scene3d/platform/gl/GpuUploadCounters.h"

namespace bw {

namespace gl {
class OffscreenContext;
struct GpuResources;
} // namespace gl

class OpenGLDevice : public fixedfunction::StatefulDevice {
public:
    // Named buffers and textures not drawn in this many presented frames are freed.
    static constexpr std::uint64_t framesBeforeEviction = 300;

    // Throws PlatformError: D3DERR_NOTAVAILABLE when no OpenGL 3.3 core context can be
    // made, D3DERR_INVALIDCALL when the parameters give no usable back buffer. A context
    // made but not yet used for anything may be handed over instead of making one.
    explicit OpenGLDevice(const DeviceCreation& creation);
    OpenGLDevice(const DeviceCreation& creation, std::unique_ptr<gl::OffscreenContext> unused);
    ~OpenGLDevice() override;

    // A windowless device drawing into a width x height target with a depth buffer.
    static std::shared_ptr<OpenGLDevice> createOffscreen(int width, int height);

    ResultCode TestCooperativeLevel() override;
    ResultCode Reset(const PresentParameters& parameters) override;
    ResultCode Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) override;
    ResultCode Present(DeviceWindow* overrideWindow = nullptr) override;
    ResultCode GetDeviceCaps(DeviceCaps& caps) override;
    ResultCode DrawIndexedTriangles(const IndexedTriangles& triangles) override;
    ResultCode GetBackBufferPicture(Picture& picture) override;

    const PresentParameters& presentParameters() const { return creation_.parameters; }

    // What went to the GPU since the device was made, across resets.
    const gl::GpuUploadCounters& uploadCounters() const { return counters_; }
    // Named geometries and textures held on the GPU now.
    std::size_t residentGeometryCount() const;
    std::size_t residentTextureCount() const;

    // Tears the context down as a driver reset would, to test recovery.
    void simulateContextLoss();

private:
    enum class Cooperation { Ready, Lost, NotReset };

    ResultCode applyPresentParameters(const PresentParameters& parameters);
    // The context is current and the device can draw; notices a lost context.
    bool drawable();
    void loseDevice();
    bool programReady();
    void applyPipelineState();

    DeviceCreation creation_;
    gl::GpuUploadCounters counters_;
    std::unique_ptr<gl::OffscreenContext> context_;
    std::unique_ptr<gl::GpuResources> gpu_;
    Cooperation cooperation_ = Cooperation::Ready;
    std::uint64_t frame_ = 0; // presented frames
    int maxTargetSize_ = 0;
    int maxTextureSize_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace bw
