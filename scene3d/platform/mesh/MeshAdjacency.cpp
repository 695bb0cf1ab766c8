#include "scene3d/platform/mesh/MeshAdjacency.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace bw {

namespace {

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    return x ^ (x >> 33);
}

// A hash table of positions, kept per thread from one mesh to the next: meshes are
// loaded by the hundred at start-up, and filling a fresh table for each cost more than
// the lookups. A slot counts only when stamped with the current use.
class PositionTable {
public:
    // Starts a use for `vertices` entries; at most half full.
    void start(std::uint32_t vertices) {
        const std::size_t size = std::bit_ceil(std::max<std::size_t>(std::size_t{vertices} * 2, 16));
        if (slots_.size() < size || slots_.size() > std::max(size, keptSlots)) {
            slots_.assign(size, Slot{});
            stamp_ = 0;
        }
        mask_ = size - 1;
        if (++stamp_ == 0) { // wrapped: no old stamp may match
            std::fill(slots_.begin(), slots_.end(), Slot{});
            stamp_ = 1;
        }
    }

    // The vertex first entered at the position, entering `vertex` there when none was.
    std::uint32_t firstAt(const std::array<std::uint32_t, 3>& position, std::uint32_t vertex) {
        std::size_t i = mix((std::uint64_t{position[0]} << 32 | position[1]) ^ mix(position[2])) & mask_;
        while (slots_[i].stamp == stamp_ && slots_[i].position != position)
            i = (i + 1) & mask_;
        if (slots_[i].stamp != stamp_) slots_[i] = {position, vertex, stamp_};
        return slots_[i].vertex;
    }

private:
    struct Slot {
        std::array<std::uint32_t, 3> position{};
        std::uint32_t vertex = 0;
        std::uint32_t stamp = 0;
    };
    // A table grown for an unusually large mesh is not kept beyond this.
    static constexpr std::size_t keptSlots = std::size_t{1} << 16;

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::uint32_t stamp_ = 0;
};

// The first vertex at each vertex's position. Positions compare by their bits (after
// folding -0 into 0), so that NaNs neither match nor upset anything.
std::vector<std::uint32_t> pointRepresentatives(const Mesh& mesh) {
    thread_local PositionTable table;
    const std::uint32_t vertices = mesh.vertexCount();
    table.start(vertices);
    std::vector<std::uint32_t> representative(vertices);
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const Vector3 p = mesh.position(v);
        const float coordinates[3] = {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f};
        std::array<std::uint32_t, 3> key;
        std::memcpy(key.data(), coordinates, sizeof coordinates);
        representative[v] = table.firstAt(key, v);
    }
    return representative;
}

} // namespace

std::vector<std::uint32_t> generateAdjacency(const Mesh& mesh) {
    const auto rep = pointRepresentatives(mesh);
    const std::uint32_t faces = mesh.faceCount();
    // Each corner's point, once, rather than looked up again in every pass.
    const std::span<const std::uint32_t> indices = mesh.indices();
    std::vector<std::uint32_t> point(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        point[i] = rep[indices[i]];
    constexpr std::uint32_t nextCorner[3] = {1, 2, 0};
    // Every directed edge, listed under the point it leaves, faces in increasing order:
    // the first other face on the way back from b to a is then the first in b's list.
    struct Edge {
        std::uint32_t to;
        std::uint32_t face;
    };
    std::vector<std::uint32_t> start(rep.size() + 1, 0);
    for (const std::uint32_t p : point)
        ++start[p + 1];
    for (std::size_t p = 1; p < start.size(); ++p)
        start[p] += start[p - 1];
    std::vector<Edge> edges(point.size());
    std::vector<std::uint32_t> filled(start.begin(), start.end() - 1);
    for (std::uint32_t f = 0; f < faces; ++f) {
        const std::uint32_t* c = point.data() + std::size_t{f} * 3;
        for (int k = 0; k < 3; ++k)
            edges[filled[c[k]]++] = {c[nextCorner[k]], f};
    }

    std::vector<std::uint32_t> adjacency(std::size_t{faces} * 3, noAdjacentFace);
    for (std::uint32_t f = 0; f < faces; ++f) {
        const std::uint32_t* c = point.data() + std::size_t{f} * 3;
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = c[k], b = c[nextCorner[k]];
            if (a == b) continue;
            for (std::uint32_t e = start[b]; e < start[b + 1]; ++e) {
                if (edges[e].to == a && edges[e].face != f) {
                    adjacency[std::size_t{f} * 3 + k] = edges[e].face;
                    break;
                }
            }
        }
    }
    return adjacency;
}

} // namespace bw
