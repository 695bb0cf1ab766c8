#include <gtest/gtest.h>

#include "scene3d/framework/CD3DAnimation.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/common/PlatformError.h"
#include "tests/scene3d/framework/SceneTestSupport.h"

namespace bw {
namespace {

TEST(CD3DAnimation, KeysInterpolateBetweenNeighboursAndWrapPastTheLastKey) {
    auto frame = CD3DFrame::Create();
    CD3DAnimation animation;
    animation.SetFrame(frame);
    animation.AddPositionKey(0, {0, 0, 0});
    animation.AddPositionKey(100, {10, 0, 0});
    const auto positionAt = [&](float t) {
        animation.SetTime(t);
        return frame->GetPosition().x;
    };
    EXPECT_EQ(positionAt(25), 2.5f);
    EXPECT_EQ(positionAt(150), 5.0f); // wrapped to 50
    EXPECT_EQ(positionAt(100), 0.0f); // no later key: the start value
    EXPECT_EQ(positionAt(-5), 0.0f);  // before the first key: its value

    // Scale and rotation join in as scaling x rotation x translation.
    animation.AddScaleKey(0, {1, 1, 1});
    animation.AddScaleKey(100, {3, 3, 3});
    animation.AddRotateKey(0, identityQuaternion());
    animation.AddRotateKey(100, rotationAxisQuaternion({0, 1, 0}, 3.14159265f / 2));
    animation.SetTime(50);
    scenetest::expectMatrixNear(frame->GetMatrix(), scalingMatrix(2, 2, 2) *
                                                        rotationAxisMatrix({0, 1, 0}, 3.14159265f / 4) *
                                                        translationMatrix(5, 0, 0));
}

TEST(CD3DAnimation, ALastKeyAtTimeZeroDoesNotWrapAndChildrenFollow) {
    auto parent = std::make_shared<CD3DAnimation>();
    auto child = std::make_shared<CD3DAnimation>();
    auto frame = CD3DFrame::Create();
    frame->ObjectName = "door";
    child->SetFrame(frame);
    EXPECT_EQ(child->frameName(), "door");
    child->AddPositionKey(0, {4, 0, 0});
    parent->AddChild(nullptr);
    parent->AddChild(child);
    EXPECT_EQ(parent->GetChildCount(), 1);
    EXPECT_EQ(parent->GetChild(9), nullptr);
    EXPECT_THROW(parent->GetChild(10), PlatformError);

    parent->SetTime(-1);
    EXPECT_EQ(frame->GetPosition(), (Vector3{4, 0, 0}));
    parent->SetTime(7); // not wrapped: no key later than 7
    EXPECT_EQ(frame->GetPosition(), (Vector3{0, 0, 0}));
}

class CD3DAnimationFileTest : public ::testing::Test {
protected:
    FramePtr load(const std::string& body) {
        auto root = CD3DFrame::Create();
        EXPECT_TRUE(
            root->InitFromFile(device, textures, folder.write("a.x", scenetest::xText(body)), nullptr, set));
        return root;
    }

    scenetest::TempFolder folder;
    scenetest::RecordingDevice device;
    TextureCache textures{scenetest::noTextures()};
    AnimationPtr set = std::make_shared<CD3DAnimation>();
};

TEST_F(CD3DAnimationFileTest, ASetReadsItsAnimationsKeysAndFrameReferences) {
    const FramePtr root = load(R"(Frame Door { Frame Hinge {} }
Animation Solo { { Hinge } AnimationKey { 1; 1; 100;3;2.0,2.0,2.0;;; } }
AnimationSet Open {
  Animation Swing {
    { Door }
    AnimationOptions { 1; 0; }
    AnimationKey { 2; 2; 0;3;0.0,0.0,0.0;;, 100;3;10.0,0.0,0.0;;; }
    AnimationKey { 0; 1; 0;4;1.0,0.0,0.0,0.0;;; }
    AnimationKey { 9; 1; 0;3;1.0,1.0,1.0;;; }
    Frame Extra {}
  }
  { Solo }
  { Nowhere }
})");
    EXPECT_EQ(set->ObjectName, "Open");
    ASSERT_EQ(set->GetChildCount(), 2);
    const AnimationPtr swing = set->GetChild(0);
    EXPECT_EQ(swing->GetFrame(), root->GetChildFrame(0));
    // (w, x, y, z) = (1, 0, 0, 0) in the file.
    ASSERT_EQ(swing->rotateKeys().size(), 1u);
    EXPECT_EQ(swing->rotateKeys()[0].quat, (Quaternion{0, 0, 0, -1}));
    // A frame written inside an animation joins the frame root and is not animated.
    EXPECT_EQ(root->GetChildFrame(1)->ObjectName, "Extra");

    EXPECT_EQ(set->GetChild(1)->GetFrame()->ObjectName, "Hinge");
    set->SetTime(25);
    EXPECT_EQ(root->GetChildFrame(0)->GetMatrix(), translationMatrix(2.5f, 0, 0));
    EXPECT_EQ(root->GetChildFrame(0)->GetChildFrame(0)->GetMatrix(), scalingMatrix(2, 2, 2));
}

TEST_F(CD3DAnimationFileTest, MatrixKeysLeaveTheFrameAloneInsideTheCurrentSpan) {
    load(R"(Frame Box {}
AnimationSet Moves { Animation { { Box } AnimationKey { 4; 3;
    0;16;1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,1.0,0.0,0.0,1.0;;,
    10;16;1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,2.0,0.0,0.0,1.0;;,
    20;16;1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,3.0,0.0,0.0,1.0;;; } } })");
    const AnimationPtr moves = set->GetChild(0);
    EXPECT_EQ(moves->matrixKeys().at(2).matrix, translationMatrix(3, 0, 0));
    const FramePtr box = moves->GetFrame();
    box->SetMatrix(translationMatrix(0, 7, 0));
    moves->SetTime(5); // between keys 0 and 1, the last key index being 0
    EXPECT_EQ(box->GetMatrix(), translationMatrix(0, 7, 0));
    moves->SetTime(15); // past that span: the keys apply, then the other channels replace them
    EXPECT_EQ(box->GetMatrix(), identityMatrix());
}

} // namespace
} // namespace bw
