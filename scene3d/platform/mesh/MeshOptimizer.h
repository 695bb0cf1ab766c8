#pragma once

#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

// A copy of the mesh with faces sorted by attribute id (stably), each subset's faces
// reordered for the post-transform vertex cache, and vertices renumbered in the order
// the faces first use them (unused vertices last), so that every subset ends up with one
// attribute run and a compact vertex range. vertexRemap, when given, receives for each
// new vertex the index it had before.
Mesh optimizeMesh(const Mesh& mesh, std::vector<std::uint32_t>* vertexRemap = nullptr);

} // namespace bw
