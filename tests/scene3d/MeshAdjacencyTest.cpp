// Face adjacency against a plain reading of its rule, on random meshes with shared
// positions, split vertices, repeated and degenerate faces.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "scene3d/platform/mesh/MeshAdjacency.h"

namespace bw {
namespace {

// The first vertex at each position, positions compared by their bits after -0 is folded.
std::vector<std::uint32_t> representatives(const Mesh& mesh) {
    std::vector<std::uint32_t> rep(mesh.vertexCount());
    for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        rep[v] = v;
        for (std::uint32_t w = 0; w < v; ++w) {
            const Vector3 a = mesh.position(v), b = mesh.position(w);
            const float pa[3] = {a.x + 0.0f, a.y + 0.0f, a.z + 0.0f},
                        pb[3] = {b.x + 0.0f, b.y + 0.0f, b.z + 0.0f};
            // Bit for bit on purpose: the adjacency rule compares positions as stored.
            if (std::memcmp(pa, pb, sizeof pa) == 0) { // NOLINT(bugprone-suspicious-memory-comparison)
                rep[v] = w;
                break;
            }
        }
    }
    return rep;
}

// For each edge a -> b of each face: the lowest other face with an edge b -> a.
std::vector<std::uint32_t> adjacencyByRule(const Mesh& mesh) {
    const auto rep = representatives(mesh);
    std::vector<std::uint32_t> result(std::size_t{mesh.faceCount()} * 3, noAdjacentFace);
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = rep[mesh.face(f)[k]], b = rep[mesh.face(f)[(k + 1) % 3]];
            if (a == b) continue;
            for (std::uint32_t g = 0; g < mesh.faceCount() && result[f * 3 + k] == noAdjacentFace; ++g) {
                if (g == f) continue;
                for (int j = 0; j < 3; ++j)
                    if (rep[mesh.face(g)[j]] == b && rep[mesh.face(g)[(j + 1) % 3]] == a)
                        result[f * 3 + k] = g;
            }
        }
    }
    return result;
}

TEST(MeshAdjacency, MatchesTheRuleOnRandomMeshes) {
    std::mt19937 random(99);
    const auto below = [&](std::uint32_t n) {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 200; ++round) {
        // Few distinct positions, so that vertices share them; some at -0, one a NaN.
        const std::uint32_t vertices = 3 + below(40);
        std::vector<float> data;
        for (std::uint32_t v = 0; v < vertices; ++v) {
            const float x = static_cast<float>(below(3)) - 1.0f;
            data.insert(data.end(), {x == 0.0f && below(2) ? -0.0f : x, static_cast<float>(below(2)),
                                     round % 7 == 0 && v == 1 ? std::nanf("") : 0.0f});
        }
        std::vector<std::uint32_t> indices;
        const std::uint32_t faces = 1 + below(60);
        for (std::uint32_t f = 0; f < faces; ++f) {
            if (f > 0 && below(5) == 0) { // the same face again, or turned round
                const std::size_t other = std::size_t{below(f)} * 3;
                indices.insert(indices.end(), {indices[other], indices[other + 2], indices[other + 1]});
                continue;
            }
            indices.insert(indices.end(), {below(vertices), below(vertices), below(vertices)});
        }
        const Mesh mesh(fvf::xyz, data, indices, std::vector<std::uint32_t>(faces, 0));
        ASSERT_EQ(generateAdjacency(mesh), adjacencyByRule(mesh)) << "round " << round;
    }
}

} // namespace
} // namespace bw
