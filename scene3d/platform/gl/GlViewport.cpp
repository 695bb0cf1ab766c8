#include "scene3d/platform/gl/GlViewport.h"

namespace bw::gl {

GlViewportPlacement glViewportFor(const Viewport& viewport, int targetHeight) {
    GlViewportPlacement placement;
    placement.x = static_cast<int>(viewport.x);
    placement.width = static_cast<int>(viewport.width);
    placement.height = static_cast<int>(viewport.height);
    placement.y = targetHeight - static_cast<int>(viewport.y) - placement.height;
    // Half a pixel in normalised device coordinates is 1 / size: right, and down the
    // screen (which is down in OpenGL's y too once the rows are reversed).
    placement.clipOffsetX = placement.width > 0 ? 1.0f / static_cast<float>(placement.width) : 0.0f;
    placement.clipOffsetY = placement.height > 0 ? -1.0f / static_cast<float>(placement.height) : 0.0f;
    placement.minDepth = viewport.minZ;
    placement.maxDepth = viewport.maxZ;
    return placement;
}

} // namespace bw::gl
