#include "scene3d/platform/mesh/MeshLayoutCopy.h"

#include <algorithm>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

namespace {

struct SlotCopy {
    std::uint32_t from;
    std::uint32_t to;
    std::uint32_t count;
};

// The slot ranges to copy from one layout into another.
std::vector<SlotCopy> slotCopies(const VertexLayout& from, const VertexLayout& to) {
    std::vector<SlotCopy> copies;
    copies.push_back({0, 0, std::min(from.positionSlots, to.positionSlots)});
    const auto component = [&copies](int a, int b, std::uint32_t count) {
        if (a >= 0 && b >= 0)
            copies.push_back({static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), count});
    };
    component(from.normal, to.normal, 3);
    component(from.pointSize, to.pointSize, 1);
    component(from.diffuse, to.diffuse, 1);
    component(from.specular, to.specular, 1);
    for (std::uint32_t i = 0; i < std::min(from.textureSets, to.textureSets); ++i)
        component(from.texture[i], to.texture[i],
                  std::min(from.textureDimensions[i], to.textureDimensions[i]));
    return copies;
}

} // namespace

Mesh copyWithLayout(const Mesh& mesh, std::uint32_t fvfCode) {
    const auto target = vertexLayoutOf(fvfCode);
    if (!target) throw PlatformError(result::invalidCall, "mesh copy: invalid vertex layout");
    const VertexLayout& source = mesh.layout();
    const auto copies = slotCopies(source, *target);
    const auto in = mesh.vertexData();
    std::vector<float> out(std::size_t{mesh.vertexCount()} * target->slotCount, 0.0f);
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* from = in.data() + v * source.slotCount;
        float* to = out.data() + v * target->slotCount;
        for (const auto& c : copies)
            std::copy_n(from + c.from, c.count, to + c.to);
    }
    const auto indices = mesh.indices();
    const auto attributes = mesh.faceAttributes();
    return Mesh(fvfCode, out, {indices.begin(), indices.end()}, {attributes.begin(), attributes.end()});
}

} // namespace bw
