#include "scene3d/platform/gl/VertexFormat.h"

#include "scene3d/platform/mesh/VertexLayout.h"

namespace bw::gl {

std::optional<fixedfunction::VertexFields> drawableVertexFields(std::uint32_t fvfCode) {
    const auto layout = vertexLayoutOf(fvfCode);
    if (!layout) return std::nullopt;
    return fixedfunction::vertexFieldsOf(*layout);
}

} // namespace bw::gl
