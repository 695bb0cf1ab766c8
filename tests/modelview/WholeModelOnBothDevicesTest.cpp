// The whole PC model, every part on, drawn as the view draws it on the OpenGL device and
// on the reference rasterizer: the two pictures agree within the tolerance the device
// comparison tests use.
#include <gtest/gtest.h>

#include <iostream>

#include "modelview/FrameTable.h"
#include "modelview/PcModel.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "tests/scene3d/gl/GlTestSupport.h"

using namespace bw;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

Picture drawWholeModel(IDirect3DDevice8& device) {
    D3DUtil scene(std::make_shared<ImageFileTextureLoader>());
    scene.SetViewSize(kWidth, kHeight);
    scene.DefaultSceneSetup(device);
    modelview::PcModel model;
    model.build(device, scene.textureCache(), BOARDWRIGHT_MODELS_DIR, {});
    for (std::size_t i = 0; i < modelview::partFrames().size(); ++i)
        model.frame(i)->Enabled = true;
    scene.Clear(device, 0x00203040);
    device.BeginScene();
    model.sceneRoot()->Render(device);
    device.EndScene();
    Picture picture;
    device.GetBackBufferPicture(picture);
    return picture;
}

} // namespace

TEST(WholeModel, OpenGLDrawsWhatTheReferenceRasterizerDraws) {
    auto gl = gltest::openGlDevice(kWidth, kHeight);
    REQUIRE_OPENGL(gl);
    auto reference = ReferenceDevice::createOffscreen(kWidth, kHeight);
    const Picture expected = drawWholeModel(*reference);
    const Picture actual = drawWholeModel(*gl);
    ASSERT_EQ(actual.width, kWidth);

    const gltest::PictureDifference difference = gltest::compare(expected, actual, 3);
    std::cout << difference.differing << " of " << difference.pixels
              << " pixels differ by more than 3 levels, " << difference.differingInside
              << " away from edges\n";
    EXPECT_LE(difference.insideShare(), 0.005);
    EXPECT_LE(difference.share(), 0.03);
    if (::testing::Test::HasFailure()) gltest::savePictures("whole_model", expected, actual);
}
