#include <gtest/gtest.h>

#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/common/PlatformError.h"
#include "tests/scene3d/framework/SceneTestSupport.h"

namespace bw {
namespace {

using scenetest::xTriangle;

std::string transform(float x, float y) {
    return "FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, " + std::to_string(x) +
           "," + std::to_string(y) + ",0.0,1.0;; }\n";
}

std::vector<std::string> childNames(const FramePtr& frame) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(frame->GetChildFrameCount()));
    for (int i = 0; i < frame->GetChildFrameCount(); ++i)
        names.push_back(frame->GetChildFrame(i)->ObjectName);
    return names;
}

class CD3DFrameFileTest : public ::testing::Test {
protected:
    FramePtr load(const std::string& body, const FramePtr& parent = nullptr) {
        auto frame = CD3DFrame::Create();
        frame->ObjectName = "holder";
        EXPECT_TRUE(
            frame->InitFromFile(device, textures, folder.write("m.x", scenetest::xText(body)), parent));
        return frame;
    }

    scenetest::TempFolder folder;
    scenetest::RecordingDevice device;
    TextureCache textures{scenetest::noTextures()};
};

TEST_F(CD3DFrameFileTest, NestedFramesMatricesAndMeshesBuildTheTreeInFileOrder) {
    auto parent = CD3DFrame::Create();
    parent->AddChild(CD3DFrame::Create());
    const FramePtr root = load("Frame Outer {\n" + transform(5, 0) + "Frame Inner {\n" + transform(0, 2) +
                                   xTriangle("InnerMesh") + "}\n" + xTriangle("OuterMesh") +
                                   "Frame Leaf {}\n}\n" + xTriangle("TopMesh") + "Frame Second {}\n",
                               parent);
    EXPECT_EQ(root->ObjectName, "holder");
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"Outer", "Second"}));
    EXPECT_EQ(root->GetChildMesh(0)->ObjectName, "TopMesh");
    const FramePtr outer = root->GetChildFrame(0);
    EXPECT_EQ(childNames(outer), (std::vector<std::string>{"Inner", "Leaf"}));
    EXPECT_EQ(outer->GetChildMesh(0)->ObjectName, "OuterMesh");
    const FramePtr inner = outer->GetChildFrame(0);
    EXPECT_EQ(inner->GetChildMesh(0)->ObjectName, "InnerMesh");
    EXPECT_EQ(parent->GetChildFrame(1), root); // appended after loading, behind what it held

    root->UpdateFrames();
    EXPECT_EQ(inner->GetUpdatedMatrix(), translationMatrix(0, 2, 0) * translationMatrix(5, 0, 0));
    EXPECT_EQ(inner->InverseTransformCoord({6, 3, 1}), (Vector3{1, 1, 1}));

    const FramePtr meshesOnly = load(xTriangle("A") + xTriangle("B"));
    EXPECT_EQ(meshesOnly->GetChildFrameCount(), 0);
    EXPECT_EQ(meshesOnly->GetChildMeshCount(), 2);
}

TEST_F(CD3DFrameFileTest, FailuresKeepWhatWasReadAndTheWalkGoesOn) {
    const std::string broken = "Mesh Broken { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; 3;0,1,7;; }\n";
    const FramePtr root = load("Frame Good {\n" + xTriangle("Read") + broken + xTriangle("NeverRead") +
                               "}\n" + broken + "Frame After {}\n");
    EXPECT_EQ(childNames(root), (std::vector<std::string>{"Good", "After"}));
    EXPECT_EQ(root->GetChildFrame(0)->GetChildMeshCount(), 1);
    // A top-level mesh that fails is added all the same, empty.
    ASSERT_EQ(root->GetChildMeshCount(), 1);
    EXPECT_EQ(root->GetChildMesh(0)->mesh(), nullptr);

    // An object the reader cannot read ends the walk; what came before stays.
    EXPECT_EQ(
        childNames(load("Frame First {}\nFrame Bad { FrameTransformMatrix { oops } }\nFrame Later {}\n")),
        std::vector<std::string>{"First"});

    auto parent = CD3DFrame::Create();
    EXPECT_FALSE(root->InitFromFile(device, textures, folder.path() / "missing.x", parent));
    EXPECT_FALSE(root->InitFromFile(device, textures, folder.write("text.x", "not a .x file"), parent));
    EXPECT_EQ(parent->GetChildFrameCount(), 0);
}

TEST_F(CD3DFrameFileTest, AReferencedFrameIsReadLikeOneWrittenInside) {
    const FramePtr root =
        load("Frame Shared {\n" + transform(1, 0) + xTriangle("S") + "}\nFrame User { { Shared } }\n");
    const FramePtr copy = root->GetChildFrame(1)->GetChildFrame(0);
    EXPECT_NE(copy, root->GetChildFrame(0));
    EXPECT_EQ(copy->ObjectName, "Shared");
    EXPECT_EQ(copy->GetChildMesh(0)->ObjectName, "S");
    EXPECT_EQ(copy->GetMatrix(), translationMatrix(1, 0, 0));
}

TEST(CD3DFrame, ListsGrowInStepsOfFiveAndDestroyStartsThemOver) {
    auto frame = CD3DFrame::Create();
    std::vector<FramePtr> children(6);
    for (auto& child : children) {
        child = CD3DFrame::Create();
        frame->AddChild(child);
    }
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frame->GetChildFrame(i), children[static_cast<std::size_t>(i)]);
    EXPECT_EQ(frame->GetChildFrame(9), nullptr); // allocated, not used
    EXPECT_THROW(frame->GetChildFrame(10), PlatformError);
    EXPECT_THROW(frame->GetChildMesh(0), PlatformError);

    frame->Destroy();
    EXPECT_EQ(frame->GetChildFrameCount(), 0);
    EXPECT_THROW(frame->GetChildFrame(0), PlatformError);
    frame->AddChild(children[5]);
    EXPECT_EQ(frame->GetChildFrame(0), children[5]);
}

TEST(CD3DFrame, SettersRebuildTheLocalMatrixWhileMatrixCallsChangeItAlone) {
    auto frame = CD3DFrame::Create();
    frame->SetMatrix(translationMatrix(7, 8, 9));
    EXPECT_EQ(frame->GetPosition(), (Vector3{7, 8, 9}));
    // Scaled by 2 and turned half round about (1, 0, 0), then moved by (0, 0, 3): the origin
    // goes to (2, 0, 3).
    frame->SetScale(2);
    frame->SetOrientationCenter({1, 0, 0});
    frame->SetOrientation(rotationAxisQuaternion({0, 0, 1}, 3.14159265f));
    frame->SetPosition({0, 0, 3});
    scenetest::expectMatrixNear(frame->GetMatrix(),
                                affineTransformationMatrix(2, {1, 0, 0}, frame->GetOrientation(), {0, 0, 3}));
    EXPECT_NEAR(frame->GetPosition().x, 2, 1e-5);

    const Matrix turn = rotationAxisMatrix({0, 1, 0}, 0.5f);
    frame->SetMatrix(translationMatrix(1, 2, 3));
    frame->AddRotation(CombineBefore, 0, 1, 0, 0.5f);
    frame->AddRotation(CombineAfter, 0, 1, 0, 0.5f);
    frame->AddTranslation(7, 1, 1, 1); // unknown combine type: unchanged
    scenetest::expectMatrixNear(frame->GetMatrix(), turn * translationMatrix(1, 2, 3) * turn);
    frame->AddScale(CombineReplace, 2, 3, 4);
    EXPECT_EQ(frame->GetMatrix(), scalingMatrix(2, 3, 4));
    EXPECT_EQ(frame->GetScale(), 2);
}

FramePtr namedFrame(const std::string& name) {
    auto frame = CD3DFrame::Create();
    frame->ObjectName = name;
    return frame;
}

TEST(CD3DFrame, FindChildObjectSearchesThisFrameItsMeshesThenItsChildren) {
    auto root = namedFrame("x");
    auto mesh = std::make_shared<CD3DMesh>();
    mesh->ObjectName = "x";
    root->AddMesh(mesh);
    auto child = namedFrame("child");
    auto deep = namedFrame("deep");
    root->AddChild(nullptr);
    root->AddChild(child);
    child->AddChild(deep);

    EXPECT_EQ(root->FindChildObject("x").frame, root);
    EXPECT_EQ(root->FindChildObject("deep").frame, deep);
    EXPECT_FALSE(root->FindChildObject("X"));
    root->ObjectName = "root";
    EXPECT_EQ(root->FindChildObject("x").mesh, mesh);
    EXPECT_EQ(root->FindChildParent("x"), root);
    EXPECT_EQ(root->FindChildParent("deep"), child);
    EXPECT_EQ(root->FindChildParent("root"), nullptr);
}

TEST(CD3DFrame, CyclesMadeByACallerEndEveryWalk) {
    auto a = CD3DFrame::Create();
    auto b = CD3DFrame::Create();
    a->AddChild(b);
    b->AddChild(a);
    b->AddChild(b);
    b->SetMatrix(translationMatrix(0, 1, 0));
    a->UpdateFrames();
    EXPECT_EQ(b->GetUpdatedMatrix(), translationMatrix(0, 1, 0));
    EXPECT_FALSE(a->FindChildObject("nothing"));
    scenetest::RecordingDevice device;
    a->Render(device);
    a->ComputeBoundingVolumes();
    b->Destroy();
    EXPECT_EQ(a.use_count(), 1);
}

} // namespace
} // namespace bw
