// What a model file may build, and what a refused file leaves behind: nothing. The files
// fuzzing found run under a cap on memory, so that a lost limit fails here instead of
// taking the machine.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "scene3d/framework/CD3DAnimation.h"
#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/MediaDir.h"
#include "scene3d/framework/SystemRegistry.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XFile.h"
#include "tests/scene3d/framework/SceneTestSupport.h"
#include "tests/scene3d/support/HostileXFiles.h"
#include "tests/support/MemoryCap.h"

using namespace bw;

namespace {

#define SKIP_WITHOUT_MEMORY_CAP()                                                                            \
    if (const std::string why = test::memoryCapUnavailable(); !why.empty()) GTEST_SKIP() << why

std::shared_ptr<Texture> onePixel() { return std::make_shared<Texture>(1, 1, std::vector<std::uint32_t>{0}); }

XFile openText(const std::string& text) { return XFile::fromBytes({text.begin(), text.end()}); }

// The lists of a frame, to compare before and after a refusal.
struct Lists {
    std::int32_t meshes, children, textures, animations;
    std::string animationName;
    bool operator==(const Lists&) const = default;
};

class LoadLimitsTest : public ::testing::Test {
protected:
    Lists lists() const {
        return {root->GetChildMeshCount(), root->GetChildFrameCount(), textures.count(),
                animations->GetChildCount(), animations->ObjectName};
    }
    // Loads text into root with a budget of limits; the refusal's message, or empty.
    std::string load(const std::string& text, const LoadLimits& limits = fileLoadLimits) {
        XFile file = openText(text);
        LoadBudget budget(limits);
        try {
            root->InitFromXFile(device, textures, budget, file, nullptr, animations);
        } catch (const PlatformError& e) {
            EXPECT_TRUE(refusesFile(e)) << e.what();
            return e.what();
        }
        return {};
    }

    scenetest::RecordingDevice device;
    int textureLoads = 0;
    TextureCache textures{
        scenetest::textureLoader([this](const std::string& name) -> std::shared_ptr<Texture> {
            ++textureLoads;
            if (name == "boom.png") throw std::bad_alloc();
            return onePixel();
        })};
    FramePtr root = CD3DFrame::Create();
    AnimationPtr animations = std::make_shared<CD3DAnimation>();
};

// A mesh with the texture named, a frame holding another, an animation set, then frames.
std::string busyFile(const std::string& texture, int extraFrames) {
    std::string text =
        scenetest::xText(R"(Mesh Top { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;; Material { 1.0;1.0;1.0;1.0;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;
    TextureFilename { ")" +
                         texture + R"("; } } } }
Frame Holder { )" + scenetest::xTriangle("Inner") +
                         R"( }
AnimationSet Turn { Animation { { Holder } AnimationKey { 0; 1; 0;4;1.0,0.0,0.0,0.0;;; } } }
)");
    for (int i = 0; i < extraFrames; ++i)
        text += "Frame Extra" + std::to_string(i) + " {}\n";
    return text;
}

} // namespace

TEST_F(LoadLimitsTest, AFilePastItsBudgetIsTakenOutWholeAndTheNextOneLoads) {
    ASSERT_EQ(load(scenetest::xText(scenetest::xTriangle("Earlier"))), "");
    animations->ObjectName = "kept";
    const Lists before = lists();

    // Top, Holder, Inner, the animation and two extra frames: six objects.
    EXPECT_EQ(load(busyFile("wood.png", 2), {5, 100, 100, 100}), "more than 5 frames and meshes");
    EXPECT_EQ(lists(), before) << "the mesh, the frame, the texture and the animation are taken out";
    EXPECT_EQ(textureLoads, 1);
    EXPECT_EQ(load(busyFile("wood.png", 0), {5, 100, 100, 0}), "more than 0 texture pixels");
    EXPECT_EQ(lists(), before);
    EXPECT_EQ(load(busyFile("wood.png", 0), {5, 100, 1, 100}), "more than 1 faces");
    EXPECT_EQ(lists(), before);

    EXPECT_EQ(load(busyFile("wood.png", 2), {6, 9, 2, 1}), "");
    EXPECT_EQ(root->GetChildMeshCount(), before.meshes + 1);
    EXPECT_EQ(root->GetChildFrameCount(), before.children + 3);
    EXPECT_EQ(textures.count(), 1);
    EXPECT_EQ(animations->GetChildCount(), 1);
    EXPECT_EQ(animations->GetChild(0)->GetFrame(), root->GetChildFrame(0)) << "animates Holder";
}

TEST_F(LoadLimitsTest, RunningOutOfMemoryRefusesTheFileOnly) {
    ASSERT_EQ(load(scenetest::xText(scenetest::xTriangle("Earlier"))), "");
    const Lists before = lists();
    XFile file = openText(busyFile("boom.png", 1));
    LoadBudget budget;
    EXPECT_THROW(root->InitFromXFile(device, textures, budget, file, nullptr, animations), std::bad_alloc);
    EXPECT_EQ(lists(), before);

    EXPECT_EQ(load(busyFile("wood.png", 1)), "");
    EXPECT_EQ(root->GetChildMeshCount(), before.meshes + 1);
    // Loading a file by name answers false instead.
    scenetest::TempFolder folder;
    const FramePtr parent = CD3DFrame::Create();
    EXPECT_FALSE(CD3DFrame::Create()->InitFromFile(device, textures,
                                                   folder.write("b.x", busyFile("boom.png", 0)), parent));
    EXPECT_EQ(parent->GetChildFrameCount(), 0);
}

TEST_F(LoadLimitsTest, AMillionCopiesThroughReferencesAreRefusedWithinOneGiB) {
    SKIP_WITHOUT_MEMORY_CAP();
    ASSERT_EQ(load(scenetest::xText(scenetest::xTriangle("Earlier"))), "");
    const Lists before = lists();
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        if (load(test::amplifiedReferences()) != "more than 1024 frames and meshes") return 1;
        if (!(lists() == before)) return 2;
        scenetest::TempFolder folder;
        const FramePtr parent = CD3DFrame::Create();
        if (CD3DFrame::Create()->InitFromFile(device, textures,
                                              folder.write("a.x", test::amplifiedReferences()), parent))
            return 3;
        return parent->GetChildFrameCount() == 0 ? 0 : 4;
    });
    EXPECT_EQ(status, 0) << "1: not refused so, 2: left something behind, 3-4: loaded by name, else the cap";
    // A few references build a copy each: B holds three copies of A, of three meshes each.
    EXPECT_EQ(load(test::amplifiedReferences(3, 4)), "");
    EXPECT_EQ(root->GetChildMeshCount(), before.meshes + 1);
    ASSERT_EQ(root->GetChildFrameCount(), before.children + 2);
    const FramePtr b = root->GetChildFrame(before.children + 1);
    ASSERT_EQ(b->GetChildFrameCount(), 3);
    EXPECT_NE(b->GetChildFrame(0), b->GetChildFrame(1));
    EXPECT_EQ(b->GetChildFrame(2)->GetChildMeshCount(), 3);
}

TEST(TextureCacheLimits, OneFileNamedManyWaysIsOneEntry) {
    scenetest::TempFolder folder;
    folder.write("t.png", "a picture");
    folder.write("sub/u.png", "another");
    scenetest::CurrentFolder here(folder.path());
    std::vector<std::string> loaded;
    TextureCache cache(scenetest::textureLoader([&](const std::string& name) {
        loaded.push_back(name);
        return onePixel();
    }));
    scenetest::RecordingDevice device;
    const auto first = cache.LoadTextureCached(device, "t.png");
    for (const std::string& name : std::vector<std::string>{
             "./t.png", "././t.png", "sub/../t.png", "sub//..//t.png", (folder.path() / "t.png").string(),
             (folder.path() / "sub/../t.png").string()})
        EXPECT_EQ(cache.LoadTextureCached(device, name), first) << name;
    EXPECT_EQ(loaded, std::vector<std::string>{"t.png"}) << "read once, by the name first given";
    EXPECT_NE(cache.LoadTextureCached(device, "sub/u.png"), first);
    EXPECT_EQ(cache.count(), 2);
}

TEST(TextureCacheLimits, TexturesStayWithinTheCacheBytesAndTheFileBudget) {
    scenetest::RecordingDevice device;
    // 16 x 16 pixels, 1 KiB each; room for three.
    TextureCache cache(scenetest::textureLoader([](const std::string&) {
                           return std::make_shared<Texture>(16, 16, std::vector<std::uint32_t>(256));
                       }),
                       3 * 1024);
    for (const char* name : {"a", "b", "c"})
        ASSERT_NE(cache.LoadTextureCached(device, name), nullptr);
    EXPECT_THROW(cache.LoadTextureCached(device, "d"), PlatformError);
    EXPECT_EQ(cache.count(), 3);
    EXPECT_EQ(cache.bytes(), 3u * 1024);
    EXPECT_NE(cache.LoadTextureCached(device, "a"), nullptr) << "a cached texture costs nothing more";
    cache.forgetFrom(1);
    EXPECT_EQ(cache.count(), 1);
    EXPECT_EQ(cache.bytes(), 1024u);

    LoadBudget budget({10, 10, 10, 300});
    ASSERT_NE(cache.LoadTextureCached(device, "b", &budget), nullptr);
    EXPECT_EQ(budget.used().texturePixels, 256u);
    EXPECT_THROW(cache.LoadTextureCached(device, "c", &budget), PlatformError);
    EXPECT_EQ(cache.count(), 2) << "a texture past the file's budget is not kept";
}

TEST(RegistryLimits, AHugePathValueReadsAsAbsentWithinOneGiB) {
    SKIP_WITHOUT_MEMORY_CAP();
    scenetest::TempFolder folder;
    std::string huge;
    for (int i = 0; i < 250000; ++i)
        huge += "a/";
    const auto registry = [&](const std::string& value) {
        return SystemRegistry(
            folder.write("registry.ini", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DirectX "
                                         "SDK]\nDX81SDK Samples Path=" +
                                             value + "\n"));
    };
    const SystemRegistry hostile = registry(huge);
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        const std::string folderName = MediaDir(hostile).LocateMediaFolder("vm1.x", false);
        if (folderName != "/vbsamples/media/") return 1;
        // As the model does: every model file's path from the folder.
        std::vector<std::filesystem::path> paths;
        paths.reserve(300);
        for (int i = 0; i < 300; ++i)
            paths.push_back(std::filesystem::path(folderName) / ("vm" + std::to_string(i) + ".x"));
        return 0;
    });
    EXPECT_EQ(status, 0) << "1: the value was read, else the cap was hit";

    const std::string longest = "/" + std::string(maxPathBytes - 1, 'p');
    EXPECT_EQ(MediaDir(registry(longest)).ReadSdkSamplesPath(), longest);
    EXPECT_EQ(MediaDir(registry(longest + "p")).ReadSdkSamplesPath(), "");
    // A relative value is taken from the registry's folder, and that path is held to it too.
    const std::string relative(maxPathBytes - 1, 'r');
    EXPECT_EQ(MediaDir(registry(relative)).ReadSdkSamplesPath(), "");
    EXPECT_EQ(MediaDir(registry("r")).ReadSdkSamplesPath(), (folder.path() / "r").string());
}
