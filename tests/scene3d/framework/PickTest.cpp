#include <gtest/gtest.h>

#include "scene3d/framework/CD3DPick.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/common/PlatformError.h"
#include "tests/scene3d/framework/SceneTestSupport.h"

namespace bw {
namespace {

// A 200 x 200 view with the default scene: the eye at (0, 0, -20) looking at the origin.
class CD3DPickTest : public ::testing::Test {
protected:
    CD3DPickTest() {
        util.SetViewSize(200, 200);
        util.DefaultSceneSetup(device);
    }

    static FramePtr squareFrame(const std::string& name, float z) {
        auto frame = CD3DFrame::Create();
        frame->ObjectName = name;
        frame->AddD3DXMesh(scenetest::squareMesh(z));
        return frame;
    }

    scenetest::RecordingDevice device{200, 200};
    D3DUtil util{scenetest::noTextures()};
    CD3DPick pick;
};

TEST_F(CD3DPickTest, TheCentrePixelHitsTheSquareAtTheOrigin) {
    auto root = CD3DFrame::Create();
    root->AddChild(squareFrame("front", 0));
    ASSERT_TRUE(pick.ViewportPick(device, root, 100, 100));
    ASSERT_EQ(pick.FindNearest(), 0);
    EXPECT_EQ(pick.GetFrame(0)->ObjectName, "front");
    EXPECT_EQ(pick.GetMesh(0), pick.GetFrame(0)->GetChildMesh(0));
    // 0 at the near plane (1 from the eye), 1 at the far plane (3000): the square is 20 away.
    EXPECT_NEAR(pick.GetRecord(0).dist, 19.0f / 2999.0f, 1e-6);

    // Background: no record, yet the walk reached a mesh.
    EXPECT_TRUE(pick.ViewportPick(device, root, 5, 5));
    EXPECT_EQ(pick.GetCount(), 0);
    EXPECT_EQ(pick.FindNearest(), -1);
    EXPECT_FALSE(pick.ViewportPick(device, CD3DFrame::Create(), 100, 100));
}

TEST_F(CD3DPickTest, DisabledFramesAreNeverHitAndTheNearestEnabledOneWins) {
    auto root = CD3DFrame::Create();
    auto hidden = squareFrame("hidden", -10);
    hidden->Enabled = false;
    root->AddChild(hidden);
    root->AddChild(squareFrame("back", 5));
    auto moved = squareFrame("middle", 0);
    moved->SetPosition({0, 0, 2}); // in front of "back"
    root->AddChild(moved);

    ASSERT_TRUE(pick.ViewportPick(device, root, 100, 100));
    ASSERT_EQ(pick.GetCount(), 2);
    EXPECT_EQ(pick.GetFrame(pick.FindNearest())->ObjectName, "middle");
    EXPECT_EQ(pick.GetFrame(pick.FindFurthest())->ObjectName, "back");
}

TEST_F(CD3DPickTest, EqualDistancesKeepTheFirstAndRecordsGrowInStepsOfTen) {
    auto frame = CD3DFrame::Create();
    std::vector<MeshPtr> meshes;
    meshes.reserve(11);
    for (int i = 0; i < 11; ++i)
        meshes.push_back(frame->AddD3DXMesh(scenetest::squareMesh(0)));
    for (int round = 0; round < 2; ++round) { // a second pick starts from an empty list
        ASSERT_TRUE(pick.ViewportPick(device, frame, 100, 100));
        ASSERT_EQ(pick.GetCount(), 11);
    }
    EXPECT_EQ(pick.FindNearest(), 0);
    EXPECT_EQ(pick.GetMesh(10), meshes[10]);
    EXPECT_EQ(pick.GetFrame(19), nullptr);
    EXPECT_THROW(pick.GetRecord(20), PlatformError);
}

TEST_F(CD3DPickTest, RayPickTakesTheRayIntoEachFramesModelSpace) {
    auto root = CD3DFrame::Create();
    auto frame = squareFrame("scaled", 0);
    frame->SetScale(2);
    frame->SetPosition({0, 0, 10});
    frame->Enabled = false; // not consulted by ray picks
    root->AddChild(frame);

    ASSERT_TRUE(pick.RayPick(device, root, {1.5f, 0, -50}, {0, 0, 1}));
    ASSERT_EQ(pick.GetCount(), 1);
    EXPECT_NEAR(pick.GetRecord(0).dist, 60.0f, 1e-4); // origin + t x the caller's direction: z = 10
    ASSERT_TRUE(pick.RayPick(device, root, {2.5f, 0, -50}, {0, 0, 1})); // the square spans -2 .. 2
    EXPECT_EQ(pick.GetCount(), 0);
}

} // namespace
} // namespace bw
