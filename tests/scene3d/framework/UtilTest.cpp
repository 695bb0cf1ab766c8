#include <gtest/gtest.h>

#include <cmath>

#include "scene3d/framework/D3DUtil.h"
#include "scene3d/framework/MediaDir.h"
#include "scene3d/math/Camera.h"
#include "tests/scene3d/framework/SceneTestSupport.h"
#include <sys/stat.h>

namespace bw {
namespace {

using scenetest::RecordingDevice;
using scenetest::TempFolder;

const char* const sdkKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DirectX SDK";
const char* const samplesPath = "DX81SDK Samples Path";

TEST(D3DUtil, DefaultSceneSetUpFollowsTheViewSize) {
    RecordingDevice device;
    D3DUtil util(scenetest::noTextures());
    util.SetViewSize(800, 600);
    util.DefaultSceneSetup(device);
    Matrix projection;
    device.GetTransform(D3DTS_PROJECTION, projection);
    EXPECT_FLOAT_EQ(projection.m[0][0], 0.75f * projection.m[1][1]);
    EXPECT_FLOAT_EQ(projection.m[1][1], 1.0f / std::tan(0.785375f / 2));
    EXPECT_FLOAT_EQ(projection.m[3][2], -3000.0f / 2999.0f);
    Matrix view;
    device.GetTransform(D3DTS_VIEW, view);
    EXPECT_EQ(view, *lookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));

    Light light;
    ASSERT_EQ(device.GetLight(0, light), D3D_OK);
    EXPECT_EQ(light, util.light0());
    EXPECT_EQ(device.GetLight(1, light), D3DERR_INVALIDCALL); // filled in, not given to the device
    std::uint32_t ambient = 0;
    device.GetRenderState(D3DRS_AMBIENT, ambient);
    EXPECT_EQ(ambient, 0x10101010u);

    util.SetViewSize(0, 600);
    util.DefaultSceneSetup(device);
    EXPECT_FLOAT_EQ(util.aspect(), 1.0f);
}

TEST(D3DUtil, SetViewKeepsTheLastValidViewWhenTheEyeIsOnTheTarget) {
    RecordingDevice device;
    D3DUtil util(scenetest::noTextures());
    EXPECT_TRUE(util.SetView(device, {0, 0, -9}, {0, 0, 0}, {0, 1, 0}));
    util.DefaultSceneSetup(device);
    EXPECT_FALSE(util.SetView(device, {0, 0, 0}, {0, 0, 0}, {0, 1, 0}));
    Matrix view;
    device.GetTransform(D3DTS_VIEW, view);
    EXPECT_EQ(view, *lookAtLH({0, 0, -9}, {0, 0, 0}, {0, 1, 0}));
}

TEST(D3DUtil, TexturesAreLoadedOncePerExactNameAndTheCacheGrowsByTen) {
    RecordingDevice device;
    std::vector<std::string> loads;
    D3DUtil util(scenetest::textureLoader([&](const std::string& name) -> std::shared_ptr<Texture> {
        loads.push_back(name);
        return name == "broken.bmp" ? nullptr
                                    : std::make_shared<Texture>(1, 1, std::vector<std::uint32_t>{0});
    }));
    const auto wood = util.LoadTextureCached(device, "wood.bmp");
    EXPECT_EQ(util.LoadTextureCached(device, "wood.bmp"), wood);
    EXPECT_NE(util.LoadTextureCached(device, "Wood.bmp"), wood);
    EXPECT_EQ(util.LoadTextureCached(device, ""), nullptr);
    EXPECT_EQ(util.LoadTextureCached(device, "broken.bmp"), nullptr);
    EXPECT_EQ(util.LoadTextureCached(device, "broken.bmp"), nullptr);
    EXPECT_EQ(loads, (std::vector<std::string>{"wood.bmp", "Wood.bmp", "broken.bmp", "broken.bmp"}));

    for (int i = 0; i < 8; ++i)
        util.LoadTextureCached(device, "t" + std::to_string(i));
    EXPECT_EQ(util.textureCache().capacity(), 10);
    util.LoadTextureCached(device, "eleventh");
    EXPECT_EQ(util.textureCache().count(), 11);
    EXPECT_EQ(util.textureCache().capacity(), 20);
    EXPECT_EQ(util.LoadTextureCached(device, "wood.bmp"), wood);
}

TEST(MediaDir, TheCurrentFolderWhenItHoldsTheFileElseTheRegistrysSamplesPath) {
    TempFolder folder;
    folder.write("models/vm1.x", "xof");
    const SystemRegistry absent(folder.path() / "none.ini");
    // Key and value names compare as the registry's do, without regard to case.
    const SystemRegistry registry(
        folder.write("r.ini", "; samples\n[hkey_local_machine\\software\\microsoft\\directx sdk]\n"
                              "  dx81sdk samples path = /opt/sdk  \n"));
    scenetest::CurrentFolder inside(folder.path() / "models");
    EXPECT_EQ(MediaDir(absent).LocateMediaFolder("vm1.x", false),
              std::filesystem::current_path().string() + "/");
    EXPECT_EQ(MediaDir(absent).LocateMediaFolder("vm2.x", false), "/vbsamples/media/");
    EXPECT_EQ(MediaDir(registry).LocateMediaFolder("vm2.x", true), "/opt/sdk/media/");
}

TEST(SystemRegistry, RelativePathsStartAtTheFileAndBadFilesReadEmpty) {
    TempFolder folder;
    const SystemRegistry registry(
        folder.write("prefix/share/boardwright/registry.ini",
                     std::string("[Other]\nDX81SDK Samples Path=/wrong\n[") + sdkKey +
                         "]\nnot a value\nDX81SDK Samples Path=../../media-root\n"));
    EXPECT_EQ(registry.readString(sdkKey, samplesPath), "../../media-root");
    EXPECT_EQ(MediaDir(registry).ReadSdkSamplesPath(), (folder.path() / "prefix/media-root").string());
    EXPECT_EQ(registry.readString(sdkKey, "Missing"), "");

    const std::string garbage("\0\xff[\n=\n[]]\n\x01=\x02\n[", 14);
    EXPECT_EQ(SystemRegistry(folder.write("bad.ini", garbage + std::string(3 << 20, 'x')))
                  .readPath(sdkKey, samplesPath),
              "");
    EXPECT_EQ(SystemRegistry(folder.path()).readString(sdkKey, samplesPath), ""); // a folder
    const auto pipe = folder.path() / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(SystemRegistry(pipe).readString(sdkKey, samplesPath), "") << "a named pipe reads as missing";
    EXPECT_EQ(SystemRegistry::defaultLocation().parent_path().filename(), "boardwright");
}

} // namespace
} // namespace bw
