#pragma once
// Which vertex formats the OpenGL device draws, and where their fields lie: the same set
// the shared vertex stage reads for the reference device (untransformed positions only).

#include <cstdint>
#include <optional>

#include "scene3d/platform/fixedfunction/VertexProcessor.h"

namespace bw::gl {

// Empty for a format code the devices do not draw.
std::optional<fixedfunction::VertexFields> drawableVertexFields(std::uint32_t fvfCode);

} // namespace bw::gl
