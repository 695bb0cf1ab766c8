#include "scene3d/platform/gl/OpenGLDriver.h"

#include <QOpenGLFunctions_3_3_Core>

#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/gl/OffscreenContext.h"
#include "scene3d/platform/gl/OpenGLDevice.h"

namespace bw {

DeviceCaps openGLDeviceCaps(std::uint32_t maxTextureSize) {
    DeviceCaps caps;
    caps.devCaps = D3DDEVCAPS_EXECUTESYSTEMMEMORY | D3DDEVCAPS_TLVERTEXSYSTEMMEMORY |
                   D3DDEVCAPS_TEXTURESYSTEMMEMORY | D3DDEVCAPS_DRAWPRIMTLVERTEX |
                   D3DDEVCAPS_CANRENDERAFTERFLIP | D3DDEVCAPS_HWTRANSFORMANDLIGHT |
                   D3DDEVCAPS_HWRASTERIZATION;
    caps.maxTextureWidth = maxTextureSize;
    caps.maxTextureHeight = maxTextureSize;
    caps.maxActiveLights = deviceLightCount;
    caps.maxSimultaneousTextures = 1;
    caps.maxPrimitiveCount = 0xFFFFFFu;
    caps.maxVertexIndex = 0xFFFFFFFFu;
    return caps;
}

OpenGLDriver::OpenGLDriver(std::uint32_t maxTextureSize) : OpenGLDriver(maxTextureSize, nullptr) {}

OpenGLDriver::OpenGLDriver(std::uint32_t maxTextureSize, std::unique_ptr<gl::OffscreenContext> probe)
    : maxTextureSize_(maxTextureSize), probe_(std::move(probe)) {}

OpenGLDriver::~OpenGLDriver() = default;

DeviceCaps OpenGLDriver::caps() const { return openGLDeviceCaps(maxTextureSize_); }

bool OpenGLDriver::supportsBackBufferFormat(std::uint32_t format) const {
    // The framebuffer object is 8 bits a channel either way.
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

ResultCode OpenGLDriver::createDevice(const DeviceCreation& creation,
                                      std::shared_ptr<IDirect3DDevice8>& device) {
    try {
        // Making a context costs about as much as the rest of a device: the probe's is used.
        device = std::make_shared<OpenGLDevice>(creation, std::move(probe_));
        return D3D_OK;
    } catch (const PlatformError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
}

std::shared_ptr<OpenGLDriver> openGLDriverIfAvailable() {
    auto probe = std::make_unique<gl::OffscreenContext>();
    return probe->create() ? openGLDriverFor(std::move(probe)) : nullptr;
}

std::shared_ptr<OpenGLDriver> openGLDriverFor(std::unique_ptr<gl::OffscreenContext> probe) {
    GLint maxTextureSize = 0;
    probe->functions().glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    if (maxTextureSize <= 0) return nullptr;
    return std::make_shared<OpenGLDriver>(static_cast<std::uint32_t>(maxTextureSize), std::move(probe));
}

} // namespace bw
