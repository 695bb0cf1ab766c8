#pragma once
// The OpenGL pipeline state a draw needs, from the device's render states, read the way
// the reference device reads them. Values are OpenGL enums.

#include <cstdint>

#include "scene3d/platform/device/RenderStates.h"

namespace bw::gl {

struct GlDrawState {
    bool depthTest = false;
    bool depthWrite = false;
    std::uint32_t depthFunction = 0;
    bool blend = false;
    std::uint32_t sourceFactor = 0;
    std::uint32_t destinationFactor = 0;
    bool cull = false;
    std::uint32_t cullFace = 0; // front faces run counter-clockwise
};

GlDrawState glDrawStateFor(const RenderStateTable& renderStates, bool hasDepthBuffer);

} // namespace bw::gl
