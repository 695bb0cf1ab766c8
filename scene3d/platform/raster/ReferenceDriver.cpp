#include "scene3d/platform/raster/ReferenceDriver.h"

#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace bw {

DeviceCaps ReferenceDriver::caps() const {
    DeviceCaps caps;
    // Everything runs on the processor: no hardware transform and lighting.
    caps.devCaps = D3DDEVCAPS_EXECUTESYSTEMMEMORY | D3DDEVCAPS_TLVERTEXSYSTEMMEMORY |
                   D3DDEVCAPS_TEXTURESYSTEMMEMORY | D3DDEVCAPS_DRAWPRIMTLVERTEX |
                   D3DDEVCAPS_CANRENDERAFTERFLIP;
    caps.maxTextureWidth = 8192;
    caps.maxTextureHeight = 8192;
    caps.maxActiveLights = deviceLightCount;
    caps.maxSimultaneousTextures = 1;
    caps.maxPrimitiveCount = 0xFFFFFFu;
    caps.maxVertexIndex = 0xFFFFFFFFu;
    return caps;
}

bool ReferenceDriver::supportsBackBufferFormat(std::uint32_t format) const {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

ResultCode ReferenceDriver::createDevice(const DeviceCreation& creation,
                                         std::shared_ptr<IDirect3DDevice8>& device) {
    try {
        device = std::make_shared<ReferenceDevice>(creation);
        return D3D_OK;
    } catch (const PlatformError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
}

} // namespace bw
