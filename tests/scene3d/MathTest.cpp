#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "scene3d/math/Camera.h"
#include "scene3d/math/Matrix.h"
#include "scene3d/math/Quaternion.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/math/VectorTransform.h"

namespace bw {
namespace {

constexpr float pi = std::numbers::pi_v<float>;

void expectNear(const Matrix& expected, const Matrix& actual, float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(expected.m[r][c], actual.m[r][c], tolerance) << "element m" << r + 1 << c + 1;
}

void expectNear(Vector3 expected, Vector3 actual, float tolerance = 1e-5f) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

Matrix fromRows(std::initializer_list<float> values) {
    Matrix m;
    auto it = values.begin();
    for (auto& row : m.m)
        for (auto& v : row)
            v = *it++;
    return m;
}

TEST(Vectors, ArithmeticAndNormalisation) {
    expectNear({-2, 2, 4}, Vector3{1, 2, 3} - Vector3{3, 0, -1});
    expectNear({2, 4, 6}, Vector3{1, 2, 3} * 2.0f);
    EXPECT_FLOAT_EQ(32.0f, dot(Vector3{1, 2, 3}, Vector3{4, 5, 6}));
    expectNear({0, 0, 1}, cross({1, 0, 0}, {0, 1, 0}));
    expectNear({-3, 6, -3}, cross({1, 2, 3}, {4, 5, 6}));
    EXPECT_FLOAT_EQ(5.0f, length({3, 4, 0}));
    expectNear({0.6f, 0.8f, 0}, normalize({3, 4, 0}));
    EXPECT_EQ((Vector3{}), normalize({0, 0, 0})); // no NaN for a zero vector
}

TEST(Matrices, MultiplyFollowsTheRowVectorConvention) {
    const Matrix a = fromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const Matrix b = fromRows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 1, 1, 1, 1});
    // Worked by hand: row i of a times the columns of b.
    expectNear(fromRows({6, 10, 16, 4, 18, 26, 36, 8, 30, 42, 56, 12, 42, 58, 76, 16}), a * b);
    expectNear(a, a * identityMatrix());
    expectNear(a, identityMatrix() * a);

    // Rotate first, then translate: p x R x T.
    const Matrix rotateThenMove = rotationZMatrix(pi / 2) * translationMatrix(10, 0, 0);
    expectNear({10, 1, 0}, transformCoord({1, 0, 0}, rotateThenMove));
    const Matrix moveThenRotate = translationMatrix(10, 0, 0) * rotationZMatrix(pi / 2);
    expectNear({0, 11, 0}, transformCoord({1, 0, 0}, moveThenRotate));
}

TEST(Matrices, InverseOrNothingForSingularMatrices) {
    expectNear(translationMatrix(-2, -3, -4), *inverse(translationMatrix(2, 3, 4)));
    expectNear(scalingMatrix(0.5f, 0.25f, 0.125f), *inverse(scalingMatrix(2, 4, 8)));

    const Matrix general = fromRows({2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 4, 0, 5, -2, 7, 1});
    const auto inverted = inverse(general);
    ASSERT_TRUE(inverted);
    expectNear(identityMatrix(), general * *inverted);
    expectNear(identityMatrix(), *inverted * general);

    EXPECT_FALSE(inverse(Matrix{}));
    EXPECT_FALSE(inverse(scalingMatrix(1, 0, 1)));
    EXPECT_FALSE(inverse(fromRows({1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1}))); // rows 1, 2 dependent
    // The exact inverse exists but does not fit in a float: reported, not infinite.
    EXPECT_FALSE(inverse(scalingMatrix(1e-39f, 1, 1)));
    Matrix withNaN = identityMatrix();
    withNaN.m[0][0] = NAN;
    EXPECT_FALSE(inverse(withNaN));
}

TEST(Matrices, RotationsTurnClockwiseLookingTowardsTheOrigin) {
    expectNear({0, 0, 1}, transformCoord({0, 1, 0}, rotationXMatrix(pi / 2)));
    expectNear({1, 0, 0}, transformCoord({0, 0, 1}, rotationYMatrix(pi / 2)));
    expectNear({0, 1, 0}, transformCoord({1, 0, 0}, rotationZMatrix(pi / 2)));
    expectNear(rotationZMatrix(0.3f), rotationAxisMatrix({0, 0, 2}, 0.3f));
    expectNear(rotationXMatrix(-1.1f), rotationAxisMatrix({-5, 0, 0}, 1.1f));
    // Half a turn about the diagonal swaps x and y.
    expectNear({0, 1, 0}, transformCoord({1, 0, 0}, rotationAxisMatrix({1, 1, 0}, pi)));
    const Matrix noAxis = rotationAxisMatrix({0, 0, 0}, 1.0f);
    EXPECT_FALSE(std::isnan(noAxis.m[0][0]));

    // A trackball step: a drag of (3, 4) pixels turns by 5 / sqrt(2525) about (-0.8, -0.6, 0).
    const float angle = 5.0f / std::sqrt(2525.0f);
    EXPECT_NEAR(0.0995037f, angle, 1e-6f);
    const Matrix turn = rotationAxisMatrix({-0.8f, -0.6f, 0}, angle);
    expectNear({-0.8f, -0.6f, 0}, transformNormal({-0.8f, -0.6f, 0}, turn)); // the axis stays
    const Vector3 across = transformNormal({0, 0, 1}, turn);
    EXPECT_NEAR(angle, std::acos(dot(across, Vector3{0, 0, 1})), 1e-5f);
}

TEST(Quaternions, ToMatrixFromMatrixAndSlerp) {
    const float h = std::sqrt(0.5f);
    const Quaternion quarterZ{0, 0, h, h};
    expectNear(rotationZMatrix(pi / 2), rotationQuaternionMatrix(quarterZ));
    expectNear(identityMatrix(), rotationQuaternionMatrix(identityQuaternion()));
    expectNear(identityMatrix(), rotationQuaternionMatrix({0, 0, 0, -1}));
    expectNear(rotationAxisMatrix({1, 2, 3}, 0.7f),
               rotationQuaternionMatrix(rotationAxisQuaternion({1, 2, 3}, 0.7f)));

    // Every branch of the matrix-to-quaternion conversion: small and near-half turns.
    for (const auto& [axis, angle] : {std::pair{Vector3{1, 2, 3}, 0.4f},
                                      {Vector3{1, 0.1f, 0.2f}, 3.0f},
                                      {Vector3{0.1f, 1, 0.2f}, 3.0f},
                                      {Vector3{0.1f, 0.2f, 1}, 3.0f}}) {
        const Matrix m = rotationAxisMatrix(axis, angle);
        expectNear(m, rotationQuaternionMatrix(quaternionFromRotationMatrix(m)), 1e-5f);
    }

    const Quaternion half = slerp(identityQuaternion(), quarterZ, 0.5f);
    EXPECT_NEAR(0.0f, half.x, 1e-6f);
    EXPECT_NEAR(std::sin(pi / 8), half.z, 1e-6f);
    EXPECT_NEAR(std::cos(pi / 8), half.w, 1e-6f);
    EXPECT_EQ(identityQuaternion(), slerp(identityQuaternion(), quarterZ, 0.0f));
    // -q is the same rotation; the shorter arc still passes through 45 degrees.
    const Quaternion flipped{0, 0, -h, -h};
    expectNear(rotationZMatrix(pi / 4), rotationQuaternionMatrix(slerp(identityQuaternion(), flipped, 0.5f)));
    // Equal rotations do not divide by sin(0).
    const Quaternion same = slerp(quarterZ, quarterZ, 0.3f);
    EXPECT_NEAR(h, same.z, 1e-6f);
    EXPECT_NEAR(h, same.w, 1e-6f);
}

TEST(Matrices, AffineTransformationScalesTurnsAboutTheCentreThenMoves) {
    const Matrix m =
        affineTransformationMatrix(2.0f, {1, 0, 0}, rotationAxisQuaternion({0, 0, 1}, pi / 2), {0, 0, 5});
    // (2,0,0): scaled (4,0,0), centred (3,0,0), turned (0,3,0), back (1,3,0), moved (1,3,5).
    expectNear({1, 3, 5}, transformCoord({2, 0, 0}, m));
    expectNear(scalingMatrix(3, 3, 3) * translationMatrix(1, 2, 3),
               affineTransformationMatrix(3.0f, {7, 8, 9}, identityQuaternion(), {1, 2, 3}));
}

TEST(VectorTransforms, CoordinatesDivideByWAndNormalsIgnoreTranslation) {
    expectNear({1, 0, 0}, transformNormal({1, 0, 0}, translationMatrix(5, 5, 5)));
    expectNear({6, 5, 5}, transformCoord({1, 0, 0}, translationMatrix(5, 5, 5)));
    Matrix halfW = identityMatrix();
    halfW.m[3][3] = 2.0f;
    expectNear({0.5f, 1.0f, 1.5f}, transformCoord({1, 2, 3}, halfW));
    Matrix zeroW = identityMatrix();
    zeroW.m[3][3] = 0.0f;
    expectNear({1, 2, 3}, transformCoord({1, 2, 3}, zeroW));
}

TEST(Camera, LookAtLeftHanded) {
    // The default view: from (0, 0, -20) towards the origin, y up.
    const auto view = lookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
    ASSERT_TRUE(view);
    expectNear(translationMatrix(0, 0, 20), *view);

    // From (10, 0, 0): z = (-1,0,0), x = up x z = (0,0,1), y = (0,1,0).
    const auto side = lookAtLH({10, 0, 0}, {0, 0, 0}, {0, 1, 0});
    ASSERT_TRUE(side);
    expectNear(fromRows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 10, 1}), *side);
    expectNear({0, 0, 0}, transformCoord({10, 0, 0}, *side));
    expectNear({0, 0, 10}, transformCoord({0, 0, 0}, *side));

    EXPECT_FALSE(lookAtLH({0, 0, 0}, {0, 0, 0}, {0, 1, 0}));  // eye on the target
    EXPECT_FALSE(lookAtLH({0, -5, 0}, {0, 0, 0}, {0, 1, 0})); // looking along up
}

TEST(Camera, PerspectiveWithHeightOverWidthAspect) {
    // The default projection of an 800 x 600 view: fov 3.1415 / 4, aspect 600 / 800.
    const Matrix p = perspectiveFovLH(0.785375f, 0.75f, 1.0f, 3000.0f);
    const float yScale = 2.4142933f; // cot(0.3926875)
    EXPECT_NEAR(yScale, p.m[1][1], 1e-5f);
    EXPECT_NEAR(0.75f * yScale, p.m[0][0], 1e-5f);
    EXPECT_NEAR(3000.0f / 2999.0f, p.m[2][2], 1e-6f);
    EXPECT_NEAR(-3000.0f / 2999.0f, p.m[3][2], 1e-6f);
    EXPECT_EQ(1.0f, p.m[2][3]);
    EXPECT_EQ(0.0f, p.m[3][3]);
    EXPECT_EQ(0.0f, p.m[0][1]);
    // Near and far planes land on depth 0 and 1.
    EXPECT_NEAR(0.0f, transformCoord({0, 0, 1}, p).z, 1e-6f);
    EXPECT_NEAR(1.0f, transformCoord({0, 0, 3000}, p).z, 1e-6f);
}

TEST(Camera, UnprojectTakesPixelsBackThroughTheMatrices) {
    const Viewport viewport{0, 0, 800, 600, 0.0f, 1.0f};
    const Matrix projection = perspectiveFovLH(0.785375f, 0.75f, 1.0f, 3000.0f);
    const Matrix view = *lookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
    const Matrix world = identityMatrix();

    expectNear({0, 0, -19}, *unproject({400, 300, 0}, viewport, projection, view, world), 1e-4f);
    expectNear({0, 0, 2980}, *unproject({400, 300, 1}, viewport, projection, view, world), 0.5f);
    // Top-left pixel on the near plane: x = -1 / xScale, y = 1 / yScale, one unit ahead.
    expectNear({-0.552267f, 0.414199f, -19}, *unproject({0, 0, 0}, viewport, projection, view, world), 1e-4f);
    // In a frame's model space: the world matrix moves the answer the other way.
    expectNear({-5, 0, -19},
               *unproject({400, 300, 0}, viewport, projection, view, translationMatrix(5, 0, 0)), 1e-4f);
    // The viewport's origin is subtracted first.
    const Viewport offset{100, 50, 800, 600, 0.0f, 1.0f};
    expectNear({0, 0, -19}, *unproject({500, 350, 0}, offset, projection, view, world), 1e-4f);

    EXPECT_FALSE(unproject({1, 1, 0}, Viewport{0, 0, 0, 600, 0, 1}, projection, view, world));
    EXPECT_FALSE(unproject({1, 1, 0}, Viewport{0, 0, 800, 600, 0.5f, 0.5f}, projection, view, world));
    EXPECT_FALSE(unproject({1, 1, 0}, viewport, projection, view, scalingMatrix(0, 1, 1)));
}

} // namespace
} // namespace bw
