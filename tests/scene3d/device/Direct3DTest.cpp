// The Direct3D object over plain adapter data, with the reference driver behind it.

#include <gtest/gtest.h>

#include "scene3d/platform/device/Direct3D.h"
#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/raster/ReferenceDriver.h"
#include "tests/support/FakeDirect3D.h"

namespace bw {
namespace {

AdapterDescription screen(std::uint32_t width, std::uint32_t height, std::uint32_t format) {
    AdapterDescription adapter;
    adapter.identifier.driver = "xcb";
    adapter.identifier.description = "Screen";
    adapter.currentMode = {width, height, 60, format};
    adapter.modes = {adapter.currentMode, {640, 480, 60, D3DFMT_R5G6B5}};
    return adapter;
}

PresentParameters windowedParameters() { return windowedPresentParameters(D3DFMT_X8R8G8B8); }

TEST(Direct3D, ReportsTheAdaptersItWasGiven) {
    Direct3D direct3d({screen(1280, 1024, D3DFMT_X8R8G8B8), screen(800, 600, D3DFMT_R5G6B5)});
    ASSERT_EQ(direct3d.GetAdapterCount(), 2u);
    AdapterIdentifier identifier;
    EXPECT_EQ(direct3d.GetAdapterIdentifier(1, 0, identifier), D3D_OK);
    EXPECT_EQ(identifier.description, "Screen");
    EXPECT_EQ(direct3d.GetAdapterModeCount(0), 2u);
    DisplayMode mode;
    EXPECT_EQ(direct3d.EnumAdapterModes(0, 1, mode), D3D_OK);
    EXPECT_EQ(mode, (DisplayMode{640, 480, 60, D3DFMT_R5G6B5}));
    EXPECT_EQ(direct3d.GetAdapterDisplayMode(1, mode), D3D_OK);
    EXPECT_EQ(mode, (DisplayMode{800, 600, 60, D3DFMT_R5G6B5}));

    EXPECT_EQ(direct3d.GetAdapterModeCount(2), 0u);
    EXPECT_EQ(direct3d.EnumAdapterModes(0, 2, mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3d.GetAdapterDisplayMode(2, mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3d.GetAdapterIdentifier(2, 0, identifier), D3DERR_INVALIDCALL);
}

TEST(Direct3D, DeviceTypesWithoutADriverAreNotAvailable) {
    Direct3D direct3d({screen(1024, 768, D3DFMT_X8R8G8B8)});
    direct3d.setDriver(D3DDEVTYPE_REF, std::make_shared<ReferenceDriver>());
    fake::FakeDeviceWindow window(320, 200);
    std::shared_ptr<IDirect3DDevice8> device;
    DeviceCaps caps;

    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    windowedParameters(), device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(device, nullptr);

    // The reference type works, without the hardware transform-and-lighting bit.
    ASSERT_EQ(direct3d.GetDeviceCaps(0, D3DDEVTYPE_REF, caps), D3D_OK);
    EXPECT_EQ(caps.deviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    ASSERT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    windowedParameters(), device),
              D3D_OK);
    ASSERT_NE(device, nullptr);

    // Hardware vertex processing needs hardware transform and lighting.
    std::shared_ptr<IDirect3DDevice8> refused;
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                    windowedParameters(), refused),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, 0, windowedParameters(), refused),
              D3DERR_INVALIDCALL);
}

TEST(Direct3D, FormatChecksFollowTheDesktopForWindowsAndTheModesForFullScreen) {
    Direct3D direct3d({screen(1024, 768, D3DFMT_X8R8G8B8)});
    direct3d.setDriver(D3DDEVTYPE_REF, std::make_shared<ReferenceDriver>());
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true), D3D_OK);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false), D3D_OK);
    // 16-bit: a full-screen mode of this adapter, but not the desktop's format.
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_R5G6B5, D3DFMT_R5G6B5, false), D3D_OK);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_R5G6B5, D3DFMT_R5G6B5, true),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8, false),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d.CheckDeviceType(3, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true),
              D3DERR_INVALIDCALL);
}

TEST(Direct3D, CreatedDevicesTakeTheirSizeFromTheWindowOrTheMode) {
    Direct3D direct3d({screen(1024, 768, D3DFMT_X8R8G8B8)});
    direct3d.setDriver(D3DDEVTYPE_REF, std::make_shared<ReferenceDriver>());
    fake::FakeDeviceWindow window(320, 200);
    std::shared_ptr<IDirect3DDevice8> device;

    // Windowed with width and height 0: the window's client size, presented into it.
    ASSERT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    windowedParameters(), device),
              D3D_OK);
    Viewport viewport;
    device->GetViewport(viewport);
    EXPECT_EQ(viewport.width, 320u);
    EXPECT_EQ(viewport.height, 200u);
    device->Clear(D3DCLEAR_TARGET, 0xFF112233, 1.0f, 0);
    EXPECT_EQ(device->Present(), D3D_OK);
    ASSERT_EQ(window.presentCount, 1);
    EXPECT_EQ(window.lastPicture.width, 320);
    EXPECT_EQ(window.lastPicture.at(319, 199), 0xFF112233u);

    // Full screen: one of the adapter's modes, or an invalid call.
    PresentParameters fullScreen = windowedParameters();
    fullScreen.windowed = 0;
    fullScreen.swapEffect = D3DSWAPEFFECT_FLIP;
    fullScreen.backBufferWidth = 640;
    fullScreen.backBufferHeight = 480;
    fullScreen.backBufferFormat = D3DFMT_R5G6B5;
    ASSERT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    fullScreen, device),
              D3D_OK);
    device->GetViewport(viewport);
    EXPECT_EQ(viewport.width, 640u);
    fullScreen.backBufferWidth = 800;
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    fullScreen, device),
              D3DERR_INVALIDCALL);

    // No window and no size: nothing to draw into.
    EXPECT_EQ(direct3d.CreateDevice(0, D3DDEVTYPE_REF, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    windowedParameters(), device),
              D3DERR_INVALIDCALL);
}

TEST(ReferenceDevice, KeepsStateAndStartsFromTheDefaults) {
    auto device = ReferenceDevice::createOffscreen(4, 4);
    std::uint32_t value = 99;
    device->GetRenderState(D3DRS_ZENABLE, value);
    EXPECT_EQ(value, D3DZB_TRUE);
    device->GetRenderState(D3DRS_LIGHTING, value);
    EXPECT_EQ(value, 1u);
    device->GetRenderState(D3DRS_SPECULARENABLE, value);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(device->SetRenderState(static_cast<RenderStateType>(300), 1), D3DERR_INVALIDCALL);

    Matrix view = identityMatrix();
    view.m[3][2] = 20.0f;
    device->SetTransform(D3DTS_VIEW, view);
    Matrix back;
    device->GetTransform(D3DTS_VIEW, back);
    EXPECT_EQ(back, view);
    device->GetTransform(D3DTS_WORLD, back);
    EXPECT_EQ(back, identityMatrix());

    Light light;
    EXPECT_EQ(device->GetLight(1, light), D3DERR_INVALIDCALL); // never set
    bool enabled = true;
    EXPECT_EQ(device->LightEnable(1, true), D3D_OK);
    EXPECT_EQ(device->GetLight(1, light), D3D_OK);
    EXPECT_EQ(light, defaultLight());
    device->LightEnable(1, false);
    device->GetLightEnable(1, enabled);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(device->SetLight(deviceLightCount, light), D3DERR_INVALIDCALL);

    Material material;
    material.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
    material.power = 10.0f;
    device->SetMaterial(material);
    Material read;
    device->GetMaterial(read);
    EXPECT_EQ(read, material);

    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

} // namespace
} // namespace bw
