// The pieces of the OpenGL device that need no OpenGL: where a viewport lands, and how
// the device state becomes shader constants.

#include <gtest/gtest.h>

#include "scene3d/math/Transforms.h"
#include "scene3d/platform/gl/GlViewport.h"
#include "scene3d/platform/gl/ShaderConstants.h"
#include "scene3d/platform/gl/VertexFormat.h"

namespace bw::gl {
namespace {

// OpenGL's window position of a clip-space point after the shader's shift, as OpenGL
// computes it for the placement.
struct WindowPoint {
    double x, y;
};
WindowPoint openGlWindowPoint(const GlViewportPlacement& p, double x, double y, double w) {
    const double shiftedX = (x + p.clipOffsetX * w) / w;
    const double shiftedY = (y + p.clipOffsetY * w) / w;
    return {(shiftedX + 1.0) * p.width / 2.0 + p.x, (shiftedY + 1.0) * p.height / 2.0 + p.y};
}

TEST(GlViewport, EveryPixelSamplesTheScenePointTheReferenceSamples) {
    // A viewport inside a 200 x 100 target, off its corner.
    const Viewport viewport{30, 10, 120, 60, 0.25f, 0.75f};
    const int targetHeight = 100;
    const GlViewportPlacement placement = glViewportFor(viewport, targetHeight);
    EXPECT_EQ(placement.x, 30);
    EXPECT_EQ(placement.y, 100 - 10 - 60);
    EXPECT_EQ(placement.width, 120);
    EXPECT_EQ(placement.height, 60);
    EXPECT_FLOAT_EQ(placement.minDepth, 0.25f);
    EXPECT_FLOAT_EQ(placement.maxDepth, 0.75f);

    // The reference samples pixel (i, j) where its screen position is exactly (i, j).
    // OpenGL samples pixel (i, row) at (i + 0.5, row + 0.5), rows counted from the bottom,
    // and the picture is read back with the rows reversed.
    const double points[][3] = {{-1.0, 1.0, 1.0}, {0.25, -0.5, 3.0}, {1.0, -1.0, 0.5}};
    for (const auto& [ndcX, ndcY, w] : points) {
        const double referenceX = (ndcX + 1.0) * viewport.width / 2.0 + viewport.x;
        const double referenceY = (1.0 - ndcY) * viewport.height / 2.0 + viewport.y;
        const WindowPoint gl = openGlWindowPoint(placement, ndcX * w, ndcY * w, w);
        EXPECT_NEAR(gl.x, referenceX + 0.5, 1e-4);
        EXPECT_NEAR(targetHeight - gl.y, referenceY + 0.5, 1e-4);
    }
}

TEST(ShaderConstants, StateIsPackedAsTheShaderReadsIt) {
    fixedfunction::FixedFunctionState state;
    state.renderStates = defaultRenderStates(true);
    state.world = translationMatrix(1.0f, 2.0f, 3.0f);
    state.renderStates[D3DRS_AMBIENT] = 0x00FF8000;
    // Enabled slots 2 and 5 become the shader's lights 0 and 1.
    Light point;
    point.type = D3DLIGHT_POINT;
    point.position = {4.0f, 5.0f, 6.0f};
    point.attenuation1 = 0.5f;
    state.lights[2] = {point, true, true};
    Light directional;
    directional.direction = {0.0f, 0.0f, 2.0f};
    directional.diffuse = {0.5f, 0.25f, 1.0f, 1.0f};
    state.lights[5] = {directional, true, true};
    state.lights[6] = {directional, true, false};

    const auto withColours = drawableVertexFields(fvf::xyz | fvf::normal | fvf::diffuse);
    ASSERT_TRUE(withColours);
    ShaderConstants c = shaderConstantsFor(state, *withColours);
    // Rows one after another: the translation is the fourth row.
    EXPECT_FLOAT_EQ(c.transform.world[12], 1.0f);
    EXPECT_FLOAT_EQ(c.transform.world[13], 2.0f);
    EXPECT_FLOAT_EQ(c.transform.world[14], 3.0f);
    EXPECT_EQ(c.lighting.enabled, 1);
    EXPECT_EQ(c.lighting.lightCount, 2);
    EXPECT_EQ(c.lighting.lightType[0], D3DLIGHT_POINT);
    EXPECT_FLOAT_EQ(c.lighting.position[2], 6.0f);
    EXPECT_FLOAT_EQ(c.lighting.attenuation[1], 0.5f);
    EXPECT_EQ(c.lighting.lightType[1], D3DLIGHT_DIRECTIONAL);
    EXPECT_FLOAT_EQ(c.lighting.toLight[5], -1.0f); // towards the light, unit length
    EXPECT_FLOAT_EQ(c.lighting.diffuse[4], 0.25f);
    EXPECT_FLOAT_EQ(c.lighting.globalAmbient[0], 1.0f);
    EXPECT_NEAR(c.lighting.globalAmbient[1], 128.0f / 255.0f, 1e-6);
    // The vertices' own colour is the diffuse colour by default; the rest come from the material.
    EXPECT_EQ(c.lighting.colourSources, (std::array<std::int32_t, 4>{sourceVertexDiffuse, sourceMaterial,
                                                                     sourceMaterial, sourceMaterial}));
    EXPECT_EQ(c.input.present, (std::array<std::int32_t, 4>{1, 1, 0, 0}));
    EXPECT_EQ(c.fragment, (FragmentConstants{0, 0, 0}));

    state.renderStates[D3DRS_LIGHTING] = 0;
    state.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
    state.renderStates[D3DRS_SPECULARENABLE] = 1;
    state.texture = std::make_shared<Texture>(1, 1, std::vector<std::uint32_t>{0});
    c = shaderConstantsFor(state, *withColours);
    EXPECT_EQ(c.lighting, LightingConstants{});
    EXPECT_EQ(c.fragment, (FragmentConstants{1, 1, 1}));

    // Pre-transformed positions are not drawn, as on the reference device.
    EXPECT_FALSE(drawableVertexFields(fvf::xyzrhw | fvf::diffuse));
    EXPECT_FALSE(drawableVertexFields(0xFFFFFFFF));
}

} // namespace
} // namespace bw::gl
