#include "scene3d/platform/mesh/MeshAdjacency.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace bw {

namespace {

// The first vertex at each vertex's position. Positions compare by their bits (after
// folding -0 into 0), so that NaNs cannot upset the ordering.
std::vector<std::uint32_t> pointRepresentatives(const Mesh& mesh) {
    std::map<std::array<std::uint32_t, 3>, std::uint32_t> first;
    std::vector<std::uint32_t> representative(mesh.vertexCount());
    for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        const Vector3 p = mesh.position(v);
        const float coordinates[3] = {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f};
        std::array<std::uint32_t, 3> key;
        std::memcpy(key.data(), coordinates, sizeof coordinates);
        representative[v] = first.emplace(key, v).first->second;
    }
    return representative;
}

struct DirectedEdge {
    std::uint64_t key;
    std::uint32_t face;
    friend bool operator<(const DirectedEdge& a, const DirectedEdge& b) {
        return a.key != b.key ? a.key < b.key : a.face < b.face;
    }
};

std::uint64_t edgeKey(std::uint32_t from, std::uint32_t to) {
    return (std::uint64_t{from} << 32) | to;
}

} // namespace

std::vector<std::uint32_t> generateAdjacency(const Mesh& mesh) {
    const auto rep = pointRepresentatives(mesh);
    const std::uint32_t faces = mesh.faceCount();
    std::vector<DirectedEdge> edges;
    edges.reserve(std::size_t{faces} * 3);
    for (std::uint32_t f = 0; f < faces; ++f) {
        const auto c = mesh.face(f);
        for (int k = 0; k < 3; ++k)
            edges.push_back({edgeKey(rep[c[k]], rep[c[(k + 1) % 3]]), f});
    }
    std::sort(edges.begin(), edges.end());

    std::vector<std::uint32_t> adjacency(std::size_t{faces} * 3, noAdjacentFace);
    for (std::uint32_t f = 0; f < faces; ++f) {
        const auto c = mesh.face(f);
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = rep[c[k]], b = rep[c[(k + 1) % 3]];
            if (a == b) continue;
            auto it = std::lower_bound(edges.begin(), edges.end(), DirectedEdge{edgeKey(b, a), 0});
            while (it != edges.end() && it->key == edgeKey(b, a) && it->face == f)
                ++it;
            if (it != edges.end() && it->key == edgeKey(b, a)) adjacency[std::size_t{f} * 3 + k] = it->face;
        }
    }
    return adjacency;
}

} // namespace bw
