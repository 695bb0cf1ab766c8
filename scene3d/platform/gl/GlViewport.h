#pragma once
// Where a viewport of the Direct3D-shaped interface lands in OpenGL. Direct3D 8 samples
// pixels at integer window coordinates and counts rows from the top; OpenGL samples at
// half-integer coordinates and counts rows from the bottom. The vertex shader moves clip
// space by half a pixel (x += w * clipOffsetX, y += w * clipOffsetY) so that each pixel
// sees the scene at the point the reference rasterizer samples, and the picture is read
// back with its rows reversed. The viewport's own edges then fall on pixel boundaries, so
// OpenGL's clipping keeps exactly the pixels the reference keeps.

#include "scene3d/math/Viewport.h"

namespace bw::gl {

struct GlViewportPlacement {
    int x = 0; // lower left corner, OpenGL window coordinates
    int y = 0;
    int width = 0;
    int height = 0;
    float clipOffsetX = 0.0f;
    float clipOffsetY = 0.0f;
    float minDepth = 0.0f;
    float maxDepth = 1.0f;
};

GlViewportPlacement glViewportFor(const Viewport& viewport, int targetHeight);

} // namespace bw::gl
