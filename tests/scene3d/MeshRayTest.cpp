#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "scene3d/platform/mesh/MeshRayIntersection.h"

namespace bw {
namespace {

// The unit square in z = 0 as two triangles sharing the diagonal from (0,0) to (1,1):
// face 0 = (0,0) (0,1) (1,1), face 1 = (0,0) (1,1) (1,0).
Mesh square() { return Mesh(0x002, {0, 0, 0, 0, 1, 0, 1, 1, 0, 1, 0, 0}, {0, 1, 2, 0, 2, 3}, {0, 0}); }

TEST(RayIntersection, HitReportsFaceBarycentricsAndRayParameter) {
    const Mesh mesh = square();
    const auto hit = intersectRay(mesh, {0.25f, 0.5f, -5}, {0, 0, 1});
    ASSERT_TRUE(hit);
    EXPECT_EQ(0u, hit->face);
    EXPECT_FLOAT_EQ(5.0f, hit->t);
    // (0.25, 0.5) = p0 + u (p1 - p0) + v (p2 - p0) = (v, u + v): v = 0.25, u = 0.25.
    EXPECT_FLOAT_EQ(0.25f, hit->u);
    EXPECT_FLOAT_EQ(0.25f, hit->v);

    // The direction is not normalised: t counts in its length.
    const auto scaled = intersectRay(mesh, {0.75f, 0.25f, -5}, {0, 0, 2});
    ASSERT_TRUE(scaled);
    EXPECT_EQ(1u, scaled->face);
    EXPECT_FLOAT_EQ(2.5f, scaled->t);
    // Face 1: (0.75, 0.25) = u (1,1) + v (1,0): u = 0.25, v = 0.5.
    EXPECT_FLOAT_EQ(0.25f, scaled->u);
    EXPECT_FLOAT_EQ(0.5f, scaled->v);

    // A slanted ray: from (0,0,-1) towards (0.5, 0.5, 1) crosses z = 0 at t = 0.5.
    const auto slanted = intersectRay(mesh, {0, 0, -1}, {0.5f, 0.75f, 2});
    ASSERT_TRUE(slanted);
    EXPECT_FLOAT_EQ(0.5f, slanted->t);
}

TEST(RayIntersection, EdgesAndCornersCount) {
    const Mesh mesh = square();
    // On the outer edge x = 0 of face 0, on the corner (1, 0) of face 1.
    const auto edge = intersectRay(mesh, {0, 0.5f, -1}, {0, 0, 1});
    ASSERT_TRUE(edge);
    EXPECT_EQ(0u, edge->face);
    EXPECT_FLOAT_EQ(0.0f, edge->v);
    const auto corner = intersectRay(mesh, {1, 0, -1}, {0, 0, 1});
    ASSERT_TRUE(corner);
    EXPECT_EQ(1u, corner->face);
    // Just outside misses.
    EXPECT_FALSE(intersectRay(mesh, {-0.001f, 0.5f, -1}, {0, 0, 1}));
    EXPECT_FALSE(intersectRay(mesh, {1.001f, 0.5f, -1}, {0, 0, 1}));
}

TEST(RayIntersection, TwoEqualHitsReportTheLowerFace) {
    // On the shared diagonal both faces are hit at the same t.
    const Mesh mesh = square();
    const auto all = intersectRayAll(mesh, {0.5f, 0.5f, -3}, {0, 0, 1});
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(all[0].t, all[1].t);
    EXPECT_EQ(0u, intersectRay(mesh, {0.5f, 0.5f, -3}, {0, 0, 1})->face);

    // The same triangle twice, listed in either order: the first listed wins.
    const Mesh twice(0x002, {0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0}, {3, 4, 5, 0, 1, 2},
                     {1, 0});
    EXPECT_EQ(0u, intersectRay(twice, {0.2f, 0.2f, -1}, {0, 0, 1})->face);
}

TEST(RayIntersection, BehindTheOriginAndParallelRaysMiss) {
    const Mesh mesh = square();
    EXPECT_FALSE(intersectRay(mesh, {0.25f, 0.5f, 5}, {0, 0, 1}));      // the square is behind
    const auto back = intersectRay(mesh, {0.25f, 0.5f, 5}, {0, 0, -1}); // turned round it is hit
    ASSERT_TRUE(back);
    EXPECT_FLOAT_EQ(5.0f, back->t);
    EXPECT_FALSE(intersectRay(mesh, {-1, 0.5f, 0}, {1, 0, 0}));     // in the plane of the faces
    EXPECT_FALSE(intersectRay(mesh, {-1, 0.5f, 0.1f}, {1, 0, 0}));  // above it, parallel
    EXPECT_FALSE(intersectRay(mesh, {0.25f, 0.5f, -5}, {0, 0, 0})); // no direction at all
    // Starting on the face counts (t = 0).
    const auto onFace = intersectRay(mesh, {0.25f, 0.5f, 0}, {0, 0, 1});
    ASSERT_TRUE(onFace);
    EXPECT_EQ(0.0f, onFace->t);
}

TEST(RayIntersection, TheClosestOfSeveralHitsWins) {
    // Two parallel squares, the far one listed first.
    const Mesh layers(0x002, {0, 0, 4, 0, 1, 4, 1, 1, 4, 0, 0, 1, 0, 1, 1, 1, 1, 1}, {0, 1, 2, 3, 4, 5},
                      {0, 0});
    const auto hit = intersectRay(layers, {0.2f, 0.5f, -1}, {0, 0, 1});
    ASSERT_TRUE(hit);
    EXPECT_EQ(1u, hit->face);
    EXPECT_FLOAT_EQ(2.0f, hit->t);
    EXPECT_EQ(2u, intersectRayAll(layers, {0.2f, 0.5f, -1}, {0, 0, 1}).size());
    EXPECT_FALSE(intersectRay(Mesh(0x002, {}, {}, {}), {0, 0, 0}, {0, 0, 1}));
}

// The faces of mesh with one more vertex, used by no face, far outside them: the rays are
// then never turned away by the mesh's bounds, and every face is tested.
Mesh withWideBounds(const Mesh& mesh) {
    std::vector<float> vertices(mesh.vertexData().begin(), mesh.vertexData().end());
    vertices.insert(vertices.end(), {-1e6f, -1e6f, -1e6f});
    vertices.insert(vertices.end(), {1e6f, 1e6f, 1e6f});
    return Mesh(0x002, vertices, std::vector<std::uint32_t>(mesh.indices().begin(), mesh.indices().end()),
                std::vector<std::uint32_t>(mesh.faceAttributes().begin(), mesh.faceAttributes().end()));
}

TEST(RayIntersection, TheBoundsNeverLoseAHit) {
    // Random small meshes, and rays aimed at their corners, edge midpoints and other points
    // from every side, many of them grazing the bounds: the hits are those of testing
    // every face.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-3.0f, 3.0f);
    int hits = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<float> vertices;
        const int corners = 3 + trial % 4;
        for (int i = 0; i < corners * 3; ++i)
            vertices.push_back(trial % 5 == 0 && i % 3 == 2 ? 0.5f : coordinate(random)); // some flat
        std::vector<std::uint32_t> indices;
        for (int i = 1; i + 1 < corners; ++i)
            indices.insert(indices.end(),
                           {0u, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1)});
        const Mesh mesh(0x002, vertices, indices, std::vector<std::uint32_t>(indices.size() / 3, 0));
        const Mesh reference = withWideBounds(mesh);
        for (std::uint32_t target = 0; target < mesh.vertexCount() * 2; ++target) {
            const Vector3 a = mesh.position(target % mesh.vertexCount());
            const Vector3 b = mesh.position((target + 1) % mesh.vertexCount());
            const Vector3 aim = target < mesh.vertexCount() ? a : (a + b) * 0.5f;
            const Vector3 from{coordinate(random) * 4, coordinate(random) * 4, coordinate(random) * 4};
            const Vector3 direction = aim - from;
            const auto all = intersectRayAll(mesh, from, direction);
            const auto expected = intersectRayAll(reference, from, direction);
            ASSERT_EQ(expected.size(), all.size()) << "trial " << trial << ", target " << target;
            for (std::size_t i = 0; i < all.size(); ++i) {
                EXPECT_EQ(expected[i].face, all[i].face);
                EXPECT_EQ(expected[i].t, all[i].t);
            }
            hits += static_cast<int>(all.size());
        }
    }
    EXPECT_GT(hits, 300); // the rays were aimed at the faces, so most of them hit
}

TEST(RayIntersection, MovedVerticesAreFoundWhereTheyAreNow) {
    Mesh mesh = square();
    EXPECT_FALSE(intersectRay(mesh, {5, 5, -1}, {0, 0, 1}));
    mesh.setPosition(2, {6, 6, 0}); // face 0 now reaches (5, 5)
    EXPECT_TRUE(intersectRay(mesh, {4.9f, 5, -1}, {0, 0, 1}));
    EXPECT_EQ(6.0f, mesh.positionBounds().maximum.x);

    // Written as bytes: the whole square moved to z = 10.
    Mesh written = square();
    std::vector<std::uint8_t> bytes(written.vertexData().size() * sizeof(float));
    std::vector<float> moved(written.vertexData().begin(), written.vertexData().end());
    for (std::size_t i = 2; i < moved.size(); i += 3)
        moved[i] = 10.0f;
    std::memcpy(bytes.data(), moved.data(), bytes.size());
    written.writeVertexBytes(0, bytes);
    const auto hit = intersectRay(written, {0.25f, 0.5f, 20}, {0, 0, -1});
    ASSERT_TRUE(hit);
    EXPECT_FLOAT_EQ(10.0f, hit->t);
}

} // namespace
} // namespace bw
