#pragma once

#include <cstdint>
#include <vector>

#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

inline constexpr std::uint32_t noAdjacentFace = 0xFFFFFFFF;

// Three entries per face, for its edges (corner 0-1, 1-2, 2-0): the first other face that
// has the same edge the other way round, or noAdjacentFace. Vertices at the same position
// count as one, so faces split apart by differing normals stay neighbours.
std::vector<std::uint32_t> generateAdjacency(const Mesh& mesh);

} // namespace bw
