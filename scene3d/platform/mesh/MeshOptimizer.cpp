// Face order within a subset comes from meshoptimizer's vertex-cache optimiser; the
// attribute sort and the vertex renumbering around it are ours.
#include "scene3d/platform/mesh/MeshOptimizer.h"

#include <algorithm>
#include <meshoptimizer.h>
#include <numeric>

namespace bw {

Mesh optimizeMesh(const Mesh& mesh, std::vector<std::uint32_t>* vertexRemap) {
    const std::uint32_t faces = mesh.faceCount();
    const std::uint32_t vertices = mesh.vertexCount();
    const auto attributes = mesh.faceAttributes();

    std::vector<std::uint32_t> faceOrder(faces);
    std::iota(faceOrder.begin(), faceOrder.end(), 0u);
    std::stable_sort(faceOrder.begin(), faceOrder.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return attributes[a] < attributes[b]; });

    std::vector<std::uint32_t> sortedIndices(std::size_t{faces} * 3);
    std::vector<std::uint32_t> sortedAttributes(faces);
    for (std::uint32_t f = 0; f < faces; ++f) {
        const auto c = mesh.face(faceOrder[f]);
        std::copy(c.begin(), c.end(), sortedIndices.begin() + std::size_t{f} * 3);
        sortedAttributes[f] = attributes[faceOrder[f]];
    }

    std::vector<std::uint32_t> cacheIndices(sortedIndices.size());
    for (const auto& run : buildAttributeTable(sortedIndices, sortedAttributes)) {
        const std::size_t first = std::size_t{run.faceStart} * 3, count = std::size_t{run.faceCount} * 3;
        meshopt_optimizeVertexCache(cacheIndices.data() + first, sortedIndices.data() + first, count,
                                    vertices);
    }

    // remap[old] = new; vertices no face uses keep their order after the used ones.
    std::vector<std::uint32_t> remap(vertices);
    std::uint32_t used = vertices == 0
                             ? 0
                             : static_cast<std::uint32_t>(meshopt_optimizeVertexFetchRemap(
                                   remap.data(), cacheIndices.data(), cacheIndices.size(), vertices));
    for (auto& r : remap)
        if (r == ~0u) r = used++;

    const std::uint32_t slots = mesh.layout().slotCount;
    const auto in = mesh.vertexData();
    std::vector<float> out(in.size());
    std::vector<std::uint32_t> previous(vertices);
    for (std::uint32_t v = 0; v < vertices; ++v) {
        std::copy_n(in.begin() + std::size_t{v} * slots, slots, out.begin() + std::size_t{remap[v]} * slots);
        previous[remap[v]] = v;
    }
    for (auto& i : cacheIndices)
        i = remap[i];
    if (vertexRemap) *vertexRemap = std::move(previous);
    return Mesh(mesh.fvf(), out, cacheIndices, sortedAttributes);
}

} // namespace bw
