// The Qt side of the platform layer: texture files, screens as adapters, and the switch
// that makes hardware requests give the reference rasterizer.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/qt/ScreenAdapters.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDriver.h"
#include "tests/support/FakeDirect3D.h"
#include <sys/stat.h>

namespace bw {
namespace {

TEST(TextureFile, ReadsImagesIntoArgbTexelsAndRejectsWhatIsNoImage) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, 0xFFFF0000u);
    image.setPixel(1, 0, 0x8000FF00u);
    image.setPixel(2, 0, 0xFF0000FFu);
    image.setPixel(0, 1, 0xFFFFFFFFu);
    image.setPixel(1, 1, 0xFF000000u);
    image.setPixel(2, 1, 0x00000000u);
    const QString png = folder.filePath("texture.png");
    ASSERT_TRUE(image.save(png));

    const auto texture = loadTextureFile(png.toStdString());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width(), 3);
    EXPECT_EQ(texture->height(), 2);
    EXPECT_EQ(texture->texel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(texture->texel(1, 0), 0x8000FF00u);
    EXPECT_EQ(texture->texel(0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(texture->texel(2, 1) >> 24, 0u);

    // A 16-bit BMP without alpha comes in opaque.
    const QString bmp = folder.filePath("texture.bmp");
    ASSERT_TRUE(image.convertToFormat(QImage::Format_RGB16).save(bmp));
    const auto opaque = loadTextureFile(bmp.toStdString());
    ASSERT_NE(opaque, nullptr);
    EXPECT_EQ(opaque->texel(0, 0), 0xFFFF0000u);

    EXPECT_EQ(loadTextureFile(folder.filePath("missing.bmp").toStdString()), nullptr);
    EXPECT_EQ(loadTextureFile(""), nullptr);
    QFile garbage(folder.filePath("garbage.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG\r\n\x1a\n not really");
    garbage.close();
    EXPECT_EQ(loadTextureFile(garbage.fileName().toStdString()), nullptr);
    // A named pipe in place of a picture reads as missing instead of blocking.
    const QString pipe = folder.filePath("pipe.png");
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(loadTextureFile(pipe.toStdString()), nullptr);
}

TEST(ScreenAdapters, EachScreenIsAnAdapterWithItsCurrentMode) {
    const AdapterDescription deep =
        adapterFromScreen({"xcb", "DP-1", "Acme", "View 24", 1920, 1080, 32, 59.94});
    EXPECT_EQ(deep.identifier.driver, "xcb");
    EXPECT_EQ(deep.identifier.description, "DP-1 (Acme View 24)");
    EXPECT_EQ(deep.currentMode, (DisplayMode{1920, 1080, 60, D3DFMT_X8R8G8B8}));
    EXPECT_EQ(deep.modes, std::vector<DisplayMode>{deep.currentMode});
    EXPECT_EQ(adapterFromScreen({"xcb", "VGA", "", "", 800, 600, 16, 0.0}).currentMode,
              (DisplayMode{800, 600, 0, D3DFMT_R5G6B5}));
    EXPECT_TRUE(adapterFromScreen({"xcb", "old", "", "", 640, 480, 8, 60.0}).modes.empty());

    // The offscreen platform the tests run on has one screen.
    const auto adapters = adaptersFromScreens();
    ASSERT_FALSE(adapters.empty());
    EXPECT_GT(adapters[0].currentMode.width, 0u);
    EXPECT_NE(adapters[0].currentMode.format, D3DFMT_UNKNOWN);
}

// Stand-in for the OpenGL driver: hardware transform and lighting, no devices.
class HardwareDriverStandIn : public DeviceDriver {
public:
    DeviceCaps caps() const override {
        DeviceCaps caps;
        caps.devCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
        return caps;
    }
    bool supportsBackBufferFormat(std::uint32_t) const override { return true; }
    ResultCode createDevice(const DeviceCreation&, std::shared_ptr<IDirect3DDevice8>&) override {
        return D3DERR_NOTAVAILABLE;
    }
};

TEST(Direct3DFactory, HardwareRequestsGetTheReferenceDeviceOnlyWhenItIsForced) {
    EXPECT_TRUE(referenceRequestedBy("reference"));
    EXPECT_TRUE(referenceRequestedBy("Reference\n"));
    EXPECT_FALSE(referenceRequestedBy("opengl"));
    EXPECT_FALSE(referenceRequestedBy(""));

    fake::FakeAdapter adapter = fake::desktopAdapter(1024, 768, D3DFMT_X8R8G8B8);
    const AdapterDescription plain{adapter.identifier, adapter.modes, adapter.currentMode};
    fake::FakeDeviceWindow window(40, 30);
    const PresentParameters parameters = windowedPresentParameters(D3DFMT_X8R8G8B8);
    std::shared_ptr<IDirect3DDevice8> device;
    DeviceCaps caps;

    Direct3D withoutHardware({plain});
    const auto reference = std::make_shared<ReferenceDriver>();
    installDrivers(withoutHardware, {reference, nullptr, false});
    EXPECT_EQ(withoutHardware.CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                           parameters, device),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(withoutHardware.CreateDevice(0, D3DDEVTYPE_REF, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                           parameters, device),
              D3D_OK);

    Direct3D forced({plain});
    installDrivers(forced, {reference, std::make_shared<HardwareDriverStandIn>(), true});
    ASSERT_EQ(forced.CreateDevice(0, D3DDEVTYPE_HAL, &window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, parameters,
                                  device),
              D3D_OK);
    device->GetDeviceCaps(caps);
    EXPECT_EQ(caps.deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u); // it is the reference rasterizer

    Direct3D withHardware({plain});
    installDrivers(withHardware, {reference, std::make_shared<HardwareDriverStandIn>(), false});
    ASSERT_EQ(withHardware.GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3D_OK);
    EXPECT_NE(caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
}

TEST(Direct3DFactory, TheEnvironmentRequestsTheReferenceDeviceAndForcingItServesHardwareRequests) {
    const QByteArray saved = qgetenv("BOARDWRIGHT_DEVICE");
    qunsetenv("BOARDWRIGHT_DEVICE");
    EXPECT_FALSE(referenceRequestedByEnvironment());
    const DeviceDrivers referenceOnly{std::make_shared<ReferenceDriver>(), nullptr, false};
    auto direct3d = createDirect3D(referenceOnly);
    ASSERT_GT(direct3d->GetAdapterCount(), 0u);
    DeviceCaps caps;
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3DERR_NOTAVAILABLE); // no OpenGL driver
    EXPECT_EQ(direct3d->GetDeviceCaps(0, D3DDEVTYPE_REF, caps), D3D_OK);

    DeviceDrivers forced = referenceOnly;
    forced.referenceForced = true;
    EXPECT_EQ(createDirect3D(forced)->GetDeviceCaps(0, D3DDEVTYPE_HAL, caps), D3D_OK);

    qputenv("BOARDWRIGHT_DEVICE", "reference");
    EXPECT_TRUE(referenceRequestedByEnvironment());
    if (saved.isNull())
        qunsetenv("BOARDWRIGHT_DEVICE");
    else
        qputenv("BOARDWRIGHT_DEVICE", saved);
}

} // namespace
} // namespace bw
