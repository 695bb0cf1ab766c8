// Trial, windowed and full-screen device creation, and the fall back to the reference
// rasterizer with what the user is told.

#include <gtest/gtest.h>

#include "scene3d/platform/device/Formats.h"
#include "tests/scene3d/init/InitTestSupport.h"

namespace bw::testing {
namespace {

const std::string noHardware = std::string("information: ") + D3DInit::noHardwareMessage;
const std::string noDevice = std::string("error: ") + D3DInit::noDeviceMessage;

PresentParameters expected(std::uint32_t width, std::uint32_t height, std::uint32_t format,
                           std::uint32_t count, std::uint32_t swapEffect, DeviceWindow* window,
                           std::uint32_t windowed) {
    PresentParameters p{width, height, format, count, 0, swapEffect, window, windowed, 1, D3DFMT_D16};
    return p;
}

class D3DInitCreation : public ::testing::Test {
protected:
    D3DInitCreation() {
        fake::FakeAdapter adapter = fake::desktopAdapter(1024, 768, D3DFMT_X8R8G8B8);
        adapter.modes.insert(adapter.modes.end(),
                             {{800, 600, 60, D3DFMT_R5G6B5}, {640, 480, 60, D3DFMT_X8R8G8B8}});
        source.scripted.adapters = {adapter};
        init.setWorldMatrixReset([this] { ++worldResets; });
    }
    const fake::DeviceCreationCall& lastCreation() { return source.latest().creations.back(); }

    FakeDirect3DSource source;
    RecordingNotifier notifier;
    D3DInit init{notifier, source.function()};
    fake::FakeDeviceWindow window{320, 200};
    int worldResets = 0;
};

TEST_F(D3DInitCreation, TrialCreationUsesItsOwnParametersAndFailsSilently) {
    ASSERT_TRUE(init.TryCreateDevice(0, &window));
    EXPECT_EQ(init.presentParameters(),
              expected(0, 0, D3DFMT_X8R8G8B8, 0, D3DSWAPEFFECT_DISCARD, nullptr, 1));
    EXPECT_EQ(source.latest().calls.back(), "CreateDevice 0 1 flags=32");
    EXPECT_EQ(lastCreation().focusWindow, &window);
    const auto trialDevice = init.device();
    EXPECT_EQ(trialDevice, source.latest().lastDevice());

    // A later trial reuses the Direct3D object; a failing one keeps the earlier device.
    source.latest().failCreation(D3DDEVTYPE_HAL);
    EXPECT_FALSE(init.TryCreateDevice(0, &window));
    EXPECT_EQ(source.made.size(), 1u);
    EXPECT_EQ(init.device(), trialDevice);
    EXPECT_TRUE(notifier.events.empty());
    EXPECT_EQ(worldResets, 0);

    D3DInit withoutPlatform(notifier);
    EXPECT_FALSE(withoutPlatform.TryCreateDevice(0, &window));
    EXPECT_FALSE(withoutPlatform.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr));
}

TEST_F(D3DInitCreation, WindowedInitialisationOnHardware) {
    ASSERT_TRUE(init.TryCreateDevice(0, &window));
    auto verifier = std::make_shared<ScriptedVerifier>();
    verifier->consents = {{64, D3DFMT_X8R8G8B8}};
    ASSERT_TRUE(init.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, verifier));
    EXPECT_EQ(init.direct3D(), source.made.at(1)); // a fresh Direct3D object

    const auto windowedParameters = expected(0, 0, D3DFMT_X8R8G8B8, 1, D3DSWAPEFFECT_DISCARD, &window, 1);
    EXPECT_EQ(init.presentParameters(), windowedParameters);
    EXPECT_EQ(lastCreation().parameters, windowedParameters);
    EXPECT_EQ(lastCreation().behaviourFlags, 64u); // the desktop format's verified flags
    EXPECT_EQ(init.viewSize(), (ViewSize{320, 200}));
    EXPECT_EQ(init.savedWindowRect(), window.frame);
    EXPECT_TRUE(init.adapters()[0].windowed);
    EXPECT_FALSE(init.adapters()[0].reference);
    EXPECT_TRUE(init.deviceCaps().devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT);
    EXPECT_EQ(worldResets, 1);

    // A desktop format that no list holds gets software processing.
    source.latest().adapters[0].currentMode.format = D3DFMT_A8R8G8B8;
    ASSERT_TRUE(init.CreateWindowedDevice(&window, 0, D3DDEVTYPE_HAL, false));
    EXPECT_EQ(init.behaviourFlags(), 32u);
    EXPECT_TRUE(notifier.events.empty());
}

TEST_F(D3DInitCreation, HardwareFailureFallsBackToTheReferenceRasterizer) {
    source.scripted.hardwareAvailable = false;
    ASSERT_TRUE(init.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr));

    EXPECT_EQ(notifier.events, (std::vector<std::string>{noHardware}));
    EXPECT_EQ(notifier.lastTitle, D3DInit::messageTitle);
    const auto& creations = source.latest().creations;
    ASSERT_EQ(creations.size(), 2u);
    EXPECT_EQ(creations[1].deviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(creations[1].parameters, creations[0].parameters);
    EXPECT_EQ(creations[1].behaviourFlags, creations[0].behaviourFlags);
    EXPECT_EQ(init.currentDeviceType(), D3DDEVTYPE_REF);
    EXPECT_EQ(init.adapters()[0].deviceType, D3DDEVTYPE_REF);
    EXPECT_TRUE(init.adapters()[0].reference);
    EXPECT_EQ(init.device(), source.latest().lastDevice());

    // Hardware back again: a hardware device clears the reference mark.
    source.latest().hardwareAvailable = true;
    ASSERT_TRUE(init.CreateWindowedDevice(&window, 0, D3DDEVTYPE_HAL, true));
    EXPECT_FALSE(init.adapters()[0].reference);
}

TEST_F(D3DInitCreation, NoDeviceAtAllEndsTheProgramUnlessFallbackIsRefused) {
    source.scripted.failEveryCreation();
    EXPECT_FALSE(init.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr));
    EXPECT_EQ(notifier.events, (std::vector<std::string>{noHardware, noDevice, "end"}));
    EXPECT_EQ(init.device(), nullptr);
    EXPECT_TRUE(init.adapters()[0].reference); // marked before the failed retry

    notifier.events.clear(); // already on the reference rasterizer: no second try
    EXPECT_FALSE(init.CreateWindowedDevice(&window, 0, D3DDEVTYPE_REF, true));
    EXPECT_EQ(notifier.events, (std::vector<std::string>{noDevice, "end"}));

    notifier.events.clear();
    EXPECT_FALSE(init.CreateWindowedDevice(&window, 0, D3DDEVTYPE_HAL, false));
    EXPECT_FALSE(init.CreateFullscreenDevice(&window, 0, 0, D3DDEVTYPE_HAL, false));
    EXPECT_TRUE(notifier.events.empty());
    EXPECT_EQ(worldResets, 0);
}

TEST_F(D3DInitCreation, FullscreenCreationUsesTheChosenModeAndKeepsTheWindowedLayout) {
    ASSERT_TRUE(init.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr));
    window.client = {0, 0, 400, 300};
    ASSERT_TRUE(init.CreateFullscreenDevice(&window, 0, 1, D3DDEVTYPE_HAL, true));
    EXPECT_EQ(init.presentParameters(), expected(800, 600, D3DFMT_R5G6B5, 1, D3DSWAPEFFECT_FLIP, &window, 0));
    EXPECT_EQ(init.behaviourFlags(), 32u);
    EXPECT_EQ(init.adapters()[0].listsFor(D3DDEVTYPE_HAL)->currentMode, 1u);
    EXPECT_FALSE(init.adapters()[0].windowed);
    EXPECT_EQ(init.viewSize(), (ViewSize{400, 300})); // left a windowed layout: saved

    window.client = {0, 0, 10, 10};
    ASSERT_TRUE(init.CreateFullscreenDevice(&window, 0, 2, D3DDEVTYPE_HAL, true));
    EXPECT_EQ(init.viewSize(), (ViewSize{400, 300}));
    EXPECT_EQ(worldResets, 3);

    // A mode beyond the list, an adapter never enumerated or no window: refused silently.
    EXPECT_FALSE(init.CreateFullscreenDevice(&window, 0, 3, D3DDEVTYPE_HAL, true));
    EXPECT_FALSE(init.CreateWindowedDevice(&window, 1, D3DDEVTYPE_HAL, true));
    EXPECT_FALSE(init.CreateWindowedDevice(nullptr, 0, D3DDEVTYPE_HAL, true));
    EXPECT_TRUE(notifier.events.empty());
}

} // namespace
} // namespace bw::testing
