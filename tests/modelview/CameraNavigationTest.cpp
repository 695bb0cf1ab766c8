#include <gtest/gtest.h>

#include <cmath>

#include "modelview/CameraNavigation.h"

using namespace bw;
using namespace bw::modelview;

TEST(CameraNavigation, CommandsMoveTheEyeByOneUnitWithoutBounds) {
    Vector3 eye{0, 0, -10};
    eye = moveEye(eye, Navigation::In);
    EXPECT_FLOAT_EQ(eye.z, -9.0f);
    for (int i = 0; i < 11; ++i)
        eye = moveEye(eye, Navigation::Out);
    EXPECT_FLOAT_EQ(eye.z, -20.0f);
    for (int i = 0; i < 25; ++i)
        eye = moveEye(eye, Navigation::In);
    EXPECT_FLOAT_EQ(eye.z, 5.0f); // past the model, on its other side

    const Vector3 start{0, 0, -10};
    EXPECT_FLOAT_EQ(moveEye(start, Navigation::Up).y, -1.0f);
    EXPECT_FLOAT_EQ(moveEye(start, Navigation::Down).y, 1.0f);
    EXPECT_FLOAT_EQ(moveEye(start, Navigation::Left).x, 1.0f);
    EXPECT_FLOAT_EQ(moveEye(start, Navigation::Right).x, -1.0f);
}

TEST(CameraNavigation, TrackballTurnsByLengthOverRadiusAboutThePerpendicular) {
    // A drag from (100, 100) to (103, 104).
    const auto turn = trackballTurn(3, 4);
    ASSERT_TRUE(turn);
    EXPECT_NEAR(turn->angle, 5.0f / std::sqrt(2525.0f), 1e-6f);
    EXPECT_NEAR(turn->angle, 0.0995f, 1e-4f);
    EXPECT_FLOAT_EQ(turn->viewAxis.x, -0.8f);
    EXPECT_FLOAT_EQ(turn->viewAxis.y, -0.6f);
    EXPECT_FLOAT_EQ(turn->viewAxis.z, 0.0f);

    EXPECT_FALSE(trackballTurn(0, 0));
    // Even the largest step stays below one radian.
    EXPECT_LT(trackballTurn(32767, -32768)->angle, 1.0f);
}

TEST(CameraNavigation, PointerRoundsHalvesToEven) {
    EXPECT_EQ(roundPointer(10.5), 10);
    EXPECT_EQ(roundPointer(11.5), 12);
    EXPECT_EQ(roundPointer(-2.5), -2);
    EXPECT_EQ(roundPointer(7.49), 7);
    EXPECT_EQ(roundPointer(1e9), 32767);
}
