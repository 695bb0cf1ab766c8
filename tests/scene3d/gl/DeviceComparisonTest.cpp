// The OpenGL device draws what the reference rasterizer draws. Each scene is drawn on
// both and compared pixel by pixel: away from edges at most 0.5 % of the pixels may
// differ by more than 3 levels in a channel, and with edges at most 3 %. Edges are where
// the reference picture itself steps sharply, there the two rasterizers may hand a pixel
// on a shared edge or a silhouette to different triangles.

#include <gtest/gtest.h>

#include <functional>

#include "scene3d/platform/raster/ReferenceDevice.h"
#include "tests/scene3d/gl/GlScenes.h"
#include "tests/scene3d/gl/GlTestSupport.h"

namespace bw::gltest {
namespace {

constexpr int levels = 3;
constexpr double insideShare = 0.005;
constexpr double overallShare = 0.03;

void expectSamePictures(const std::string& name, const std::function<void(IDirect3DDevice8&)>& scene,
                        int width = sceneWidth, int height = sceneHeight) {
    auto gl = openGlDevice(width, height);
    REQUIRE_OPENGL(gl);
    auto reference = ReferenceDevice::createOffscreen(width, height);
    scene(*reference);
    scene(*gl);
    Picture expected, actual;
    ASSERT_EQ(reference->GetBackBufferPicture(expected), D3D_OK);
    ASSERT_EQ(gl->GetBackBufferPicture(actual), D3D_OK);

    const PictureDifference difference = compare(expected, actual, levels);
    std::cout << name << ": " << difference.differing << " of " << difference.pixels
              << " pixels differ by more than " << levels << " levels, " << difference.differingInside
              << " of them away from edges (largest " << difference.largestInside << ")\n";
    EXPECT_LE(difference.insideShare(), insideShare) << name;
    EXPECT_LE(difference.share(), overallShare) << name;
    if (::testing::Test::HasFailure()) savePictures(name, expected, actual);
}

TEST(DeviceComparison, LitOpaqueMeshesWithBothLightsAmbientAndSpecular) {
    expectSamePictures("lit_opaque", drawLitOpaqueScene);
}

TEST(DeviceComparison, PointAndSpotLightsFallOffAlike) {
    expectSamePictures("point_spot", drawPointAndSpotLightScene);
}

TEST(DeviceComparison, TransparentMeshOverAnOpaqueOne) {
    expectSamePictures("transparent", drawTransparentOverOpaqueScene);
}

TEST(DeviceComparison, TexturedQuadsWrapFilterAndBlend) {
    expectSamePictures("textured", drawTexturedQuadScene);
}

TEST(DeviceComparison, CullModesDropTheSameTriangles) { expectSamePictures("culling", drawCullingScene); }

TEST(DeviceComparison, GeometryCutByTheNearPlane) { expectSamePictures("near_plane", drawNearPlaneScene); }

TEST(DeviceComparison, UnlitVertexColoursSmoothAndFlat) {
    expectSamePictures("flat_colours", drawFlatVertexColourScene);
}

TEST(DeviceComparison, ManyModelFiles) {
    const ModelGridScene scene(BOARDWRIGHT_MODELS_DIR, 48);
    ASSERT_EQ(scene.modelCount(), 48);
    expectSamePictures(
        "models", [&](IDirect3DDevice8& device) { scene.draw(device); }, 640, 480);
}

} // namespace
} // namespace bw::gltest
