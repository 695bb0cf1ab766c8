#pragma once

#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

// The same faces with vertices in another layout: components both layouts have are
// copied (texture sets by index, as many coordinates as both hold), new ones are zero.
// Throws PlatformError (invalidCall) for an invalid layout.
Mesh copyWithLayout(const Mesh& mesh, std::uint32_t fvfCode);

} // namespace bw
