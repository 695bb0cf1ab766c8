// The OpenGL device as a device: buffers kept on the GPU, textures per object, loss and
// reset, presenting, failures as on the reference device, and its place in the Direct3D
// object.

#include <gtest/gtest.h>

#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/gl/OpenGLProbe.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/raster/ReferenceDriver.h"
#include "tests/scene3d/gl/GlTestSupport.h"
#include "tests/scene3d/raster/RasterScene.h"
#include "tests/support/FakeDirect3D.h"

namespace bw::gltest {
namespace {

using rastertest::flatColour;
using rastertest::quad;
using rastertest::Vertex;

constexpr std::uint32_t red = 0xFFFF0000u;
constexpr std::uint32_t green = 0xFF00FF00u;

struct Quad {
    std::vector<Vertex> vertices = quad(-1, -1, 1, 1, 0.5f);
    std::vector<std::uint16_t> indices = rastertest::quadIndices;
    std::uint64_t revision = nextContentRevision();

    IndexedTriangles batch(bool named = true) const {
        IndexedTriangles b;
        b.vertices = vertices.data();
        b.vertexCount = static_cast<std::uint32_t>(vertices.size());
        b.fvf = fvf::positionNormalTexture;
        b.indices = indices.data();
        b.indexCount = static_cast<std::uint32_t>(indices.size());
        b.faceCount = 2;
        b.contentRevision = named ? revision : 0;
        return b;
    }
};

// Lighting off, no culling, identity transforms: the quad covers the whole target.
void drawUnlit(IDirect3DDevice8& device, const IndexedTriangles& batch, std::uint32_t colour) {
    device.SetRenderState(D3DRS_LIGHTING, 1);
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device.SetMaterial(flatColour(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
                                  (colour & 0xFF) / 255.0f));
    ASSERT_EQ(device.DrawIndexedTriangles(batch), D3D_OK);
}

std::uint32_t centre(IDirect3DDevice8& device) {
    Picture picture;
    EXPECT_EQ(device.GetBackBufferPicture(picture), D3D_OK);
    return picture.pixels.empty() ? 0 : picture.at(picture.width / 2, picture.height / 2);
}

TEST(OpenGLDevice, NamedContentIsUploadedOnceAndFreedWhenLongUnused) {
    auto device = openGlDevice(16, 16);
    REQUIRE_OPENGL(device);
    const Quad a, b;
    drawUnlit(*device, a.batch(), red);
    drawUnlit(*device, a.batch(), red);
    IndexedTriangles secondFace = a.batch();
    secondFace.firstFace = 1;
    secondFace.faceCount = 1;
    drawUnlit(*device, secondFace, red);
    EXPECT_EQ(device->uploadCounters().namedGeometryUploads, 1u);
    EXPECT_EQ(device->residentGeometryCount(), 1u);
    EXPECT_EQ(centre(*device), red);

    // Unnamed content goes up with every draw and is not kept.
    drawUnlit(*device, a.batch(false), green);
    drawUnlit(*device, a.batch(false), green);
    EXPECT_EQ(device->uploadCounters().streamedDraws, 2u);
    EXPECT_EQ(device->uploadCounters().namedGeometryUploads, 1u);
    EXPECT_EQ(centre(*device), green);

    // Frame after frame only b is drawn: a's buffers go, and come back when a is drawn.
    for (std::uint64_t frame = 0; frame <= OpenGLDevice::framesBeforeEviction; ++frame) {
        drawUnlit(*device, b.batch(), green);
        ASSERT_EQ(device->Present(), D3D_OK);
    }
    EXPECT_EQ(device->uploadCounters().namedGeometryUploads, 2u);
    EXPECT_EQ(device->residentGeometryCount(), 1u);
    drawUnlit(*device, a.batch(), red);
    EXPECT_EQ(device->uploadCounters().namedGeometryUploads, 3u);
    EXPECT_EQ(centre(*device), red);

    // An index past the vertices fails, as on the reference device, named or not.
    Quad broken;
    broken.indices[4] = 9;
    EXPECT_EQ(device->DrawIndexedTriangles(broken.batch()), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawIndexedTriangles(broken.batch(false)), D3DERR_INVALIDCALL);
    IndexedTriangles firstFaceOnly = broken.batch();
    firstFaceOnly.faceCount = 1; // does not use the broken index
    EXPECT_EQ(device->DrawIndexedTriangles(firstFaceOnly), D3D_OK);
}

TEST(OpenGLDevice, TexturesAreKeptPerObjectAndNeverShownForAnotherObject) {
    auto device = openGlDevice(16, 16);
    REQUIRE_OPENGL(device);
    const Quad q;
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    auto texture = std::make_shared<Texture>(2, 2, std::vector<std::uint32_t>(4, red));
    device->SetTexture(0, texture);
    ASSERT_EQ(device->DrawIndexedTriangles(q.batch()), D3D_OK);
    ASSERT_EQ(device->DrawIndexedTriangles(q.batch()), D3D_OK);
    EXPECT_EQ(device->uploadCounters().textureUploads, 1u);
    EXPECT_EQ(centre(*device), red);

    // The object goes; another one, quite possibly at the same address, shows its own texels.
    device->SetTexture(0, nullptr);
    texture.reset();
    texture = std::make_shared<Texture>(2, 2, std::vector<std::uint32_t>(4, green));
    device->SetTexture(0, texture);
    ASSERT_EQ(device->DrawIndexedTriangles(q.batch()), D3D_OK);
    EXPECT_EQ(device->uploadCounters().textureUploads, 2u);
    EXPECT_EQ(centre(*device), green);
    device->Present();
    EXPECT_EQ(device->residentTextureCount(), 1u); // the first one's texture is freed
}

TEST(OpenGLDevice, ALostContextIsReportedAndResetBringsTheDeviceBack) {
    auto device = openGlDevice(16, 16);
    REQUIRE_OPENGL(device);
    const Quad q;
    drawUnlit(*device, q.batch(), red);
    ASSERT_EQ(device->TestCooperativeLevel(), D3D_OK);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);

    device->simulateContextLoss();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    // A context can be made again at once here, so a reset will work.
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Clear(D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK); // does nothing
    EXPECT_EQ(device->DrawIndexedTriangles(q.batch()), D3D_OK);    // does nothing
    EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);

    ASSERT_EQ(device->Reset(device->presentParameters()), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    std::uint32_t zEnable = 0;
    device->GetRenderState(D3DRS_ZENABLE, zEnable);
    EXPECT_EQ(zEnable, D3DZB_TRUE); // states start over
    EXPECT_EQ(centre(*device), 0xFF000000u);
    drawUnlit(*device, q.batch(), green); // program and buffers come back
    EXPECT_EQ(device->uploadCounters().namedGeometryUploads, 2u);
    EXPECT_EQ(centre(*device), green);
    EXPECT_EQ(device->Present(), D3D_OK);
}

TEST(OpenGLDevice, PresentShowsTheBackBufferAndCallsFailAsOnTheReference) {
    auto gl = openGlDevice(8, 8);
    REQUIRE_OPENGL(gl);
    fake::FakeDeviceWindow window(40, 30);
    DeviceCreation creation;
    creation.deviceType = D3DDEVTYPE_HAL;
    creation.focusWindow = &window;
    creation.behaviourFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING;
    creation.parameters = windowedPresentParameters(D3DFMT_X8R8G8B8);
    std::shared_ptr<IDirect3DDevice8> device;
    ASSERT_EQ(OpenGLDriver(4096).createDevice(creation, device), D3D_OK);
    device->Clear(D3DCLEAR_TARGET, 0xFF123456, 1.0f, 0);
    ASSERT_EQ(device->Present(), D3D_OK);
    EXPECT_EQ(window.presentCount, 1);
    EXPECT_EQ(window.lastPicture.width, 40); // the window's client size
    EXPECT_EQ(window.lastPicture.height, 30);
    Picture back;
    device->GetBackBufferPicture(back);
    EXPECT_EQ(back.pixels, window.lastPicture.pixels);
    EXPECT_EQ(back.at(0, 0), 0xFF123456u);

    // The same calls give the same results on both devices.
    auto reference = ReferenceDevice::createOffscreen(40, 30);
    const Quad q;
    IndexedTriangles tooFewIndices = q.batch();
    tooFewIndices.faceCount = 3;
    IndexedTriangles pretransformed = q.batch();
    pretransformed.fvf = fvf::xyzrhw;
    IndexedTriangles shortStride = q.batch();
    shortStride.stride = 16;
    Light light;
    const std::vector<std::function<ResultCode(IDirect3DDevice8&)>> calls{
        [](IDirect3DDevice8& d) { return d.Clear(D3DCLEAR_STENCIL, 0, 1.0f, 0); },
        [](IDirect3DDevice8& d) { return d.Clear(D3DCLEAR_ZBUFFER, 0, 1.5f, 0); },
        [](IDirect3DDevice8& d) {
            return d.SetViewport({30, 0, 20, 10, 0.0f, 1.0f});
        },
        [](IDirect3DDevice8& d) {
            return d.SetViewport({0, 0, 20, 10, 0.0f, 2.0f});
        },
        [](IDirect3DDevice8& d) {
            return d.SetViewport({10, 10, 20, 10, 0.2f, 0.8f});
        },
        [](IDirect3DDevice8& d) { return d.SetTexture(1, nullptr); },
        [&](IDirect3DDevice8& d) { return d.GetLight(3, light); },
        [](IDirect3DDevice8& d) { return d.LightEnable(3, true); },
        [&](IDirect3DDevice8& d) { return d.GetLight(3, light); },
        [](IDirect3DDevice8& d) { return d.LightEnable(8, true); },
        [](IDirect3DDevice8& d) { return d.SetRenderState(static_cast<RenderStateType>(300), 1); },
        [](IDirect3DDevice8& d) {
            return d.SetTransform(static_cast<TransformStateType>(1), identityMatrix());
        },
        [](IDirect3DDevice8& d) { return d.EndScene(); },
        [](IDirect3DDevice8& d) { return d.BeginScene(); },
        [](IDirect3DDevice8& d) { return d.BeginScene(); },
        [&](IDirect3DDevice8& d) { return d.DrawIndexedTriangles(tooFewIndices); },
        [&](IDirect3DDevice8& d) { return d.DrawIndexedTriangles(pretransformed); },
        [&](IDirect3DDevice8& d) { return d.DrawIndexedTriangles(shortStride); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i](*device), calls[i](*reference)) << "call " << i;
    EXPECT_EQ(light, defaultLight());
}

TEST(OpenGLDevice, TheDriverProbedOnAnotherThreadHandsItsContextToAWorkingDevice) {
    {
        OpenGLProbe neverAsked; // its context, never taken, goes with it
    }
    OpenGLProbe probe;
    const std::shared_ptr<OpenGLDriver> driver = probe.driver();
    EXPECT_EQ(driver != nullptr, openGLDriverIfAvailable() != nullptr);
    if (!driver) GTEST_SKIP() << "no OpenGL 3.3 core context on this display";
    EXPECT_EQ(probe.driver(), driver);

    DeviceDrivers drivers{std::make_shared<ReferenceDriver>(), driver, false};
    auto direct3d = createDirect3D(drivers);
    DisplayMode desktop;
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(0, desktop), D3D_OK);
    fake::FakeDeviceWindow window(32, 24);
    std::shared_ptr<IDirect3DDevice8> device;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                     windowedPresentParameters(desktop.format), device),
              D3D_OK);
    ASSERT_NE(dynamic_cast<OpenGLDevice*>(device.get()), nullptr);
    const Quad quad;
    ASSERT_EQ(device->Clear(D3DCLEAR_TARGET, green, 1.0f, 0), D3D_OK);
    drawUnlit(*device, quad.batch(), red);
    EXPECT_EQ(centre(*device), red);
}

TEST(OpenGLDevice, TheDirect3DObjectServesTypeOneWithItUnlessTheReferenceIsForced) {
    DeviceDrivers drivers{std::make_shared<ReferenceDriver>(), openGLDriverIfAvailable(), false};
    if (!drivers.hardware) GTEST_SKIP() << "no OpenGL 3.3 core context on this display";
    auto direct3d = createDirect3D(drivers);
    DisplayMode desktop;
    ASSERT_EQ(direct3d->GetAdapterDisplayMode(0, desktop), D3D_OK);
    DeviceCaps caps;
    ASSERT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3D_OK);
    EXPECT_NE(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
    ASSERT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_REF, caps), D3D_OK);
    EXPECT_EQ(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);

    fake::FakeDeviceWindow window(64, 48);
    const PresentParameters parameters = windowedPresentParameters(desktop.format);
    std::shared_ptr<IDirect3DDevice8> device;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                     parameters, device),
              D3D_OK);
    EXPECT_NE(dynamic_cast<OpenGLDevice*>(device.get()), nullptr);
    device->GetDeviceCaps(caps);
    EXPECT_EQ(caps.deviceType, D3DDEVTYPE_HAL);
    EXPECT_NE(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);

    // The first device draws on the context that probed for OpenGL; the next makes its own.
    // Each draws on its own, beside the other and after it is gone.
    std::shared_ptr<IDirect3DDevice8> second;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                     parameters, second),
              D3D_OK);
    const Quad shape;
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    drawUnlit(*device, shape.batch(), red);
    second->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    drawUnlit(*second, shape.batch(), green);
    EXPECT_EQ(centre(*device), red);
    EXPECT_EQ(centre(*second), green);
    second.reset();
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    drawUnlit(*device, shape.batch(), green);
    EXPECT_EQ(centre(*device), green);

    drivers.referenceForced = true;
    ASSERT_EQ(createDirect3D(drivers)->CreateDevice(0, D3DDEVTYPE_HAL, &window,
                                                    D3DCREATE_SOFTWARE_VERTEXPROCESSING, parameters, device),
              D3D_OK);
    EXPECT_NE(dynamic_cast<ReferenceDevice*>(device.get()), nullptr);
}

} // namespace
} // namespace bw::gltest
