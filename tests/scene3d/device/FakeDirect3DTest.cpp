// The scripted Direct3D object the scene-framework tests rely on.

#include <gtest/gtest.h>

#include "scene3d/platform/device/Formats.h"
#include "tests/support/FakeDirect3D.h"

namespace bw::fake {
namespace {

PresentParameters windowedParameters(DeviceWindow* window) {
    return windowedPresentParameters(D3DFMT_X8R8G8B8, window);
}

TEST(FakeDirect3D, AnswersAsScriptedAndRecordsEveryCall) {
    FakeDirect3D direct3d;
    FakeAdapter adapter = desktopAdapter(1024, 768, D3DFMT_X8R8G8B8);
    adapter.modes.push_back({1024, 768, 75, D3DFMT_X8R8G8B8}); // a refresh-rate duplicate
    adapter.modes.push_back({640, 400, 60, D3DFMT_R5G6B5});
    direct3d.adapters.push_back(adapter);
    direct3d.rejectFormat(D3DDEVTYPE_HAL, D3DFMT_R5G6B5, true);

    EXPECT_EQ(direct3d.GetAdapterCount(), 1u);
    EXPECT_EQ(direct3d.GetAdapterModeCount(0), 3u);
    DisplayMode mode;
    direct3d.EnumAdapterModes(0, 1, mode);
    EXPECT_EQ(mode.refreshRate, 75u);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, true),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, false), D3D_OK);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_R5G6B5, D3DFMT_R5G6B5, true), D3D_OK);
    DeviceCaps caps;
    direct3d.GetDeviceCaps(0, D3DDEVTYPE_HAL, caps);
    EXPECT_NE(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    direct3d.GetDeviceCaps(0, D3DDEVTYPE_REF, caps);
    EXPECT_EQ(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);

    EXPECT_EQ(direct3d.calls,
              (std::vector<std::string>{
                  "GetAdapterCount", "GetAdapterModeCount 0", "EnumAdapterModes 0 1",
                  "CheckDeviceType 0 1 23 23 windowed", "CheckDeviceType 0 1 23 23 fullscreen",
                  "CheckDeviceType 0 2 23 23 windowed", "GetDeviceCaps 0 1", "GetDeviceCaps 0 2"}));

    direct3d.hardwareAvailable = false;
    EXPECT_EQ(direct3d.GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true),
              D3DERR_NOTAVAILABLE);
}

TEST(FakeDirect3D, ScriptedCreationFailuresAndRecordedParameters) {
    FakeDirect3D direct3d;
    direct3d.adapters.push_back(desktopAdapter(1024, 768, D3DFMT_X8R8G8B8));
    direct3d.failCreation(D3DDEVTYPE_HAL);
    FakeDeviceWindow window(200, 100);
    std::shared_ptr<IDirect3DDevice8> device;
    const PresentParameters parameters = windowedParameters(&window);

    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_HAL, &window, 32, parameters, device), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, 32, parameters, device), D3D_OK);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device, direct3d.lastDevice());
    ASSERT_EQ(direct3d.creations.size(), 2u);
    EXPECT_EQ(direct3d.creations[0].deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(direct3d.creations[0].result, D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.creations[1].parameters, parameters);
    EXPECT_EQ(direct3d.creations[1].behaviourFlags, 32u);
    EXPECT_EQ(direct3d.creations[1].focusWindow, &window);

    Viewport viewport;
    device->GetViewport(viewport);
    EXPECT_EQ(viewport.width, 200u);
    EXPECT_EQ(viewport.height, 100u);
    DeviceCaps caps;
    device->GetDeviceCaps(caps);
    EXPECT_EQ(caps.deviceType, D3DDEVTYPE_REF);

    direct3d.failEveryCreation(D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, 32, parameters, device),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(direct3d.devices.size(), 1u);
}

// Lost, then restorable, then reset: what the drawing code's recovery goes through.
TEST(FakeDirect3D, DeviceGoesLostThenNotResetAndResetBringsItBack) {
    FakeDirect3D direct3d;
    direct3d.adapters.push_back(desktopAdapter(1024, 768, D3DFMT_X8R8G8B8));
    FakeDeviceWindow window(64, 32);
    std::shared_ptr<IDirect3DDevice8> device;
    const PresentParameters parameters = windowedParameters(&window);
    ASSERT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_HAL, &window, 32, parameters, device), D3D_OK);
    auto reference = direct3d.lastDevice();

    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    device->SetRenderState(D3DRS_AMBIENT, 0x90909090);
    device->Clear(D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
    EXPECT_EQ(device->Present(), D3D_OK);
    EXPECT_EQ(window.presentCount, 1);

    reference->simulateDeviceLost();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Clear(D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK); // accepted, ignored
    EXPECT_EQ(device->Reset(parameters), D3DERR_DEVICELOST);                // too early
    EXPECT_EQ(window.presentCount, 1);

    reference->simulateDeviceRestorable();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Reset(parameters), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);

    // A reset device starts from the default state again and draws once more.
    std::uint32_t ambient = 1;
    device->GetRenderState(D3DRS_AMBIENT, ambient);
    EXPECT_EQ(ambient, 0u);
    device->Clear(D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    EXPECT_EQ(device->Present(), D3D_OK);
    EXPECT_EQ(window.presentCount, 2);
    EXPECT_EQ(window.lastPicture.at(0, 0), 0xFF0000FFu);
}

} // namespace
} // namespace bw::fake
