#include <gtest/gtest.h>

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

} // namespace
} // namespace bw
