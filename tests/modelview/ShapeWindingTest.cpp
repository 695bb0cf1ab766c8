#include <gtest/gtest.h>

#include <cmath>

#include "scene3d/math/Camera.h"
#include "scene3d/math/VectorTransform.h"
#include "tools/modelgen/ShapeBuilder.h"

using namespace bw;
using namespace bw::modelgen;

namespace {

constexpr Vector3 kEye{0, 0, -20};

// Signed area on screen, y up: negative when the corners run clockwise.
float screenArea(const std::array<Vector3, 3>& corners) {
    const Matrix viewProjection =
        *lookAtLH(kEye, {0, 0, 0}, {0, 1, 0}) * perspectiveFovLH(0.785375f, 0.75f, 1, 3000);
    Vector3 s[3];
    for (int i = 0; i < 3; ++i)
        s[i] = transformCoord(corners[i], viewProjection);
    return (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
}

std::array<Vector3, 3> cornersOf(const TriangleMesh& mesh, const MeshFace& face) {
    return {mesh.vertices()[face.corners[0]].position, mesh.vertices()[face.corners[1]].position,
            mesh.vertices()[face.corners[2]].position};
}

TEST(ShapeWinding, BoxFacesTurnedToTheCameraAreClockwiseOnScreen) {
    const TriangleMesh box = buildShape(Shape::Box, {2, 1, 3}, Material::Grey);
    for (const Vector3 turn : {Vector3{}, Vector3{30, 0, 0}, Vector3{-20, 40, 0}, Vector3{10, -60, 25}}) {
        SCOPED_TRACE(::testing::Message() << turn.x << " " << turn.y << " " << turn.z);
        TriangleMesh turned;
        turned.append(box, turnMatrix(turn));
        int clockwise = 0;
        for (const MeshFace& face : turned.faces()) {
            const auto corners = cornersOf(turned, face);
            const Vector3 outward = turned.vertices()[face.corners[0]].normal;
            const Vector3 centre = (corners[0] + corners[1] + corners[2]) * (1.0f / 3);
            const float towardsEye = dot(outward, normalize(kEye - centre));
            if (std::fabs(towardsEye) < 1e-3f) continue; // seen edge-on
            const bool isClockwise = screenArea(corners) < 0;
            EXPECT_EQ(isClockwise, towardsEye > 0);
            clockwise += isClockwise;
        }
        // A box shows at most three of its faces, two triangles each, and at least one.
        EXPECT_GE(clockwise, 2);
        EXPECT_LE(clockwise, 6);
    }
}

TEST(ShapeWinding, ClosedShapesAreWoundOutwards) {
    struct Case {
        Shape shape;
        Vector3 size;
        float volume; // of the ideal solid; the faceted one is a little smaller
    };
    const float pi = 3.14159265f;
    const Case cases[] = {
        {Shape::Box, {2, 1, 3}, 6},
        {Shape::Cylinder, {1, 2, 1}, pi * 0.25f * 2},
        {Shape::Cone, {1, 2, 0.5f}, pi * 2 / 3 * (0.25f + 0.125f + 0.0625f)},
        {Shape::Cone, {1, 2, 0}, pi * 2 / 3 * 0.25f},
        {Shape::Tube, {1, 2, 0.5f}, pi * 2 * (0.25f - 0.0625f)},
        {Shape::Sphere, {1, 2, 3}, pi * 4 / 3 * 0.5f * 1 * 1.5f},
        {Shape::Bend, {0.2f, 1, 90}, pi * 0.01f * (2 * pi * 1 / 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        const TriangleMesh mesh = buildShape(c.shape, c.size, Material::Grey);
        // Signed volume by the divergence theorem: positive when every face turns outwards.
        float volume = 0;
        for (const MeshFace& face : mesh.faces()) {
            const auto p = cornersOf(mesh, face);
            volume += dot(p[0], cross(p[1], p[2])) / 6;
        }
        EXPECT_GT(volume, c.volume * 0.9f);
        EXPECT_LT(volume, c.volume * 1.001f);
    }
}

TEST(ShapeWinding, PanelFacesTheDefaultCamera) {
    const TriangleMesh panel = buildShape(Shape::Panel, {2, 1, 0}, Material::Grey);
    ASSERT_EQ(panel.faces().size(), 2u);
    for (const MeshFace& face : panel.faces())
        EXPECT_LT(screenArea(cornersOf(panel, face)), 0);
}

} // namespace
