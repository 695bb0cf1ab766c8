// Where no OpenGL context can be made (no application, or Qt's offscreen platform without
// a display) the OpenGL driver does not register, device type 1 fails as it always did,
// and the reference switch still serves type 1 with the reference rasterizer.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/gl/OpenGLDevice.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/gl/OpenGLProbe.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/raster/ReferenceDriver.h"
#include "tests/support/FakeDirect3D.h"

namespace bw {
namespace {

TEST(OpenGLUnavailable, TypeOneStaysUnavailableAndTheSwitchStillForcesTheReference) {
    EXPECT_EQ(openGLDriverIfAvailable(), nullptr); // no application yet
    EXPECT_EQ(OpenGLProbe().driver(), nullptr);

    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("BOARDWRIGHT_DEVICE");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "scene3d_gl_unavailable_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    DeviceDrivers drivers{std::make_shared<ReferenceDriver>(), openGLDriverIfAvailable(), false};
    EXPECT_EQ(drivers.hardware, nullptr);
    EXPECT_EQ(OpenGLProbe().driver(), nullptr);
    try {
        OpenGLDevice::createOffscreen(8, 8);
        ADD_FAILURE() << "an OpenGL device without OpenGL";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.code(), D3DERR_NOTAVAILABLE);
    }

    auto direct3d = createDirect3D(drivers);
    ASSERT_GT(direct3d->GetAdapterCount(), 0u);
    DisplayMode desktop;
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(0, desktop), D3D_OK);
    DeviceCaps caps;
    EXPECT_EQ(direct3d->CheckDeviceType(0, D3DDEVTYPE_HAL, desktop.format, desktop.format, true),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3DERR_NOTAVAILABLE);
    fake::FakeDeviceWindow window(64, 48);
    const PresentParameters parameters = windowedPresentParameters(desktop.format);
    std::shared_ptr<IDirect3DDevice8> device;
    EXPECT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                     parameters, device),
              D3DERR_NOTAVAILABLE);

    drivers.referenceForced = true;
    ASSERT_EQ(createDirect3D(drivers)->CreateDevice(0, D3DDEVTYPE_HAL, &window,
                                                    D3DCREATE_SOFTWARE_VERTEXPROCESSING, parameters, device),
              D3D_OK);
    EXPECT_NE(dynamic_cast<ReferenceDevice*>(device.get()), nullptr);
}

} // namespace
} // namespace bw
