// Pixels of small scenes drawn by the reference rasterizer.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "scene3d/math/Camera.h"
#include "scene3d/math/Transforms.h"
#include "tests/scene3d/raster/RasterScene.h"

namespace bw::rastertest {
namespace {

constexpr std::uint32_t black = 0xFF000000u;

// Resident, not allocated: the allocator of a sanitizer build keeps its own books.
std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Each triangle drawn adds 1 to the red of every pixel it covers: no depth test, additive
// blending of a colour of 1/255.
void countCoverInRed(IDirect3DDevice8& device) {
    device.SetRenderState(D3DRS_LIGHTING, 1);
    device.SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device.SetMaterial(flatColour(1.0f / 255.0f, 0, 0));
}

TEST(RasterPixels, ClearSetsEveryPixelAndTheDepthThatLaterDrawsAreTestedAgainst) {
    auto device = identityDevice(16, 8);
    ASSERT_EQ(device->Clear(D3DCLEAR_TARGET, 0x00336699, 1.0f, 0), D3D_OK);
    const Picture cleared = pictureOf(*device);
    ASSERT_EQ(cleared.width, 16);
    ASSERT_EQ(cleared.height, 8);
    for (const auto pixel : cleared.pixels)
        ASSERT_EQ(pixel, 0xFF336699u); // no alpha in the back buffer

    // Depth cleared to 0.5: a quad behind it stays hidden, one in front shows.
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 0.5f, 0);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetMaterial(flatColour(1, 0, 0));
    draw(*device, quad(-1, -1, 1, 1, 0.7f), quadIndices);
    EXPECT_EQ(pictureOf(*device).at(8, 4), black);
    draw(*device, quad(-1, -1, 1, 1, 0.3f), quadIndices);
    EXPECT_EQ(pictureOf(*device).at(8, 4), 0xFFFF0000u);

    EXPECT_EQ(device->Clear(D3DCLEAR_STENCIL, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Clear(D3DCLEAR_ZBUFFER, 0, 2.0f, 0), D3DERR_INVALIDCALL);
}

// A device made only to ask what the platform can do (the program's trial device) holds
// no picture memory; once it draws, it starts from opaque black and the far plane.
TEST(RasterPixels, BuffersAreMadeWhenFirstDrawnAndStartBlackAndFar) {
    const std::size_t before = residentBytes();
    auto device = ReferenceDevice::createOffscreen(2000, 1500, 1);
    EXPECT_LT(residentBytes() - before, std::size_t{4} << 20); // not 2000 x 1500 x 8 bytes

    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetMaterial(flatColour(0, 1, 0));
    draw(*device, quad(-1, -1, 0, 0, 0.999f), quadIndices); // passes only against the far plane
    const Picture first = pictureOf(*device);
    ASSERT_EQ(first.width, 2000);
    ASSERT_EQ(first.height, 1500);
    EXPECT_EQ(first.at(1999, 0), black);
    EXPECT_EQ(first.at(10, 1490), 0xFF00FF00u);
}

// Clears wait for the next drawing and are applied band by band: each buffer gets the
// last clear that named it, before the triangles drawn after it and after those drawn
// before it, with any number of threads.
TEST(RasterPixels, ClearsApplyInOrderWithTheDrawsAroundThem) {
    for (unsigned threads : {1u, 2u}) {
        auto device = identityDevice(40, 70, threads); // bands of 32 rows, the last one short
        device->SetRenderState(D3DRS_LIGHTING, 1);
        device->SetMaterial(flatColour(1, 0, 0));
        draw(*device, quad(-1, -1, 0, 1, 0.5f), quadIndices); // left half red, before the clears
        device->Clear(D3DCLEAR_TARGET, 0x00000080, 1.0f, 0);
        device->Clear(D3DCLEAR_ZBUFFER, 0, 0.2f, 0);
        device->Clear(D3DCLEAR_TARGET, 0x00008000, 1.0f, 0); // the colour that counts
        device->SetMaterial(flatColour(0, 0, 1));
        draw(*device, quad(-1, -1, 1, 1, 0.6f), quadIndices); // behind the cleared depth
        draw(*device, quad(-1, -1, 1, 0, 0.1f), quadIndices); // in front: bottom half blue
        const Picture picture = pictureOf(*device);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(picture.at(x, y), y >= 35 ? 0xFF0000FFu : 0xFF008000u)
                    << x << ", " << y << " threads " << threads;

        // A clear with nothing drawn after it still shows.
        device->Clear(D3DCLEAR_TARGET, 0x00123456, 1.0f, 0);
        EXPECT_EQ(pictureOf(*device).at(39, 69), 0xFF123456u);

        // A depth clear alone, read back before anything is drawn, keeps the colours and
        // holds for the draws of the next flush, which has no clear of its own.
        device->Clear(D3DCLEAR_ZBUFFER, 0, 0.4f, 0);
        EXPECT_EQ(pictureOf(*device).at(0, 0), 0xFF123456u);
        draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices); // behind: hidden
        draw(*device, quad(-1, 0, 1, 1, 0.3f), quadIndices);  // in front: top half blue
        const Picture drawnOver = pictureOf(*device);
        for (int y = 0; y < 70; ++y)
            ASSERT_EQ(drawnOver.at(20, y), y < 35 ? 0xFF0000FFu : 0xFF123456u) << y << " threads " << threads;
    }
}

// Ambient level 0x10101010, one or two white directional lights, the default material of
// the program's scene: colour = ambient x (global + light ambients) + diffuse x sum(N.L).
TEST(RasterPixels, LitQuadHasTheColourOfTheLightingFormula) {
    auto device = ReferenceDevice::createOffscreen(32, 32, 1);
    device->SetTransform(D3DTS_PROJECTION, perspectiveFovLH(0.785375f, 1.0f, 1.0f, 3000.0f));
    device->SetTransform(D3DTS_VIEW, *lookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));
    Material material;
    material.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
    material.ambient = {0.2f, 0.3f, 0.4f, 1.0f};
    material.power = 10.0f;
    device->SetMaterial(material);
    device->SetRenderState(D3DRS_AMBIENT, 0x10101010);
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1, 1, 1, 1};
    light.ambient = {0.1f, 0.1f, 0.1f, 1};
    light.direction = normalize(Vector3{-1, -1, 1});
    light.range = 10000.0f;
    device->SetLight(0, light);
    device->LightEnable(0, true);

    const float global = 16.0f / 255.0f;
    const float nDotL = 1.0f / std::sqrt(3.0f); // normal (0, 0, -1) against direction (-1, -1, 1)
    auto expectColour = [&](std::uint32_t pixel, float lightAmbient, float diffuseSum) {
        EXPECT_NEAR(red(pixel), toByte(0.2f * (global + lightAmbient) + 0.5f * diffuseSum), 1);
        EXPECT_NEAR(green(pixel), toByte(0.3f * (global + lightAmbient) + 0.5f * diffuseSum), 1);
        EXPECT_NEAR(blue(pixel), toByte(0.4f * (global + lightAmbient) + 0.5f * diffuseSum), 1);
    };

    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    draw(*device, quad(-5, -5, 5, 5, 0), quadIndices);
    expectColour(pictureOf(*device).at(16, 16), 0.1f, nDotL);

    // A second light from the other side adds its ambient and diffuse terms.
    light.direction = normalize(Vector3{1, -1, 1});
    device->SetLight(1, light);
    device->LightEnable(1, true);
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    draw(*device, quad(-5, -5, 5, 5, 0), quadIndices);
    expectColour(pictureOf(*device).at(16, 16), 0.2f, 2 * nDotL);

    // Normals turn with the world matrix: a quad built facing -x, turned to face the
    // camera, is lit like the one above; a uniform scale changes nothing.
    const std::vector<Vertex> sideways{
        {0, 5, -5, -1, 0, 0}, {0, 5, 5, -1, 0, 0}, {0, -5, 5, -1, 0, 0}, {0, -5, -5, -1, 0, 0}};
    device->SetTransform(D3DTS_WORLD, scalingMatrix(0.5f, 0.5f, 0.5f) * rotationYMatrix(-1.5707964f));
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    draw(*device, sideways, quadIndices);
    expectColour(pictureOf(*device).at(16, 16), 0.2f, 2 * nDotL);

    // Emissive adds on top; lighting off gives white whatever the material.
    material.emissive = {0.25f, 0.0f, 0.0f, 0.0f};
    device->SetMaterial(material);
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    draw(*device, sideways, quadIndices);
    EXPECT_NEAR(red(pictureOf(*device).at(16, 16)), toByte(0.25f + 0.2f * (global + 0.2f) + 0.5f * 2 * nDotL),
                1);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    draw(*device, sideways, quadIndices);
    EXPECT_EQ(pictureOf(*device).at(16, 16), 0xFFFFFFFFu);
}

TEST(RasterPixels, NearerTriangleWinsInEitherOrderAndTheLaterOneWithoutDepthTest) {
    const std::vector<Vertex> nearRed = quad(-1, -1, 0.5f, 0.5f, 0.3f);
    const std::vector<Vertex> farGreen = quad(-0.5f, -0.5f, 1, 1, 0.6f);
    for (bool redFirst : {true, false}) {
        auto device = identityDevice(32, 32);
        device->SetRenderState(D3DRS_LIGHTING, 1);
        for (int pass = 0; pass < 2; ++pass) {
            const bool drawRed = (pass == 0) == redFirst;
            device->SetMaterial(drawRed ? flatColour(1, 0, 0) : flatColour(0, 1, 0));
            draw(*device, drawRed ? nearRed : farGreen, quadIndices);
        }
        const Picture picture = pictureOf(*device);
        EXPECT_EQ(picture.at(16, 16), 0xFFFF0000u) << "overlap, red first: " << redFirst;
        EXPECT_EQ(picture.at(28, 4), 0xFF00FF00u) << "green only";
        EXPECT_EQ(picture.at(4, 28), 0xFFFF0000u) << "red only";
    }

    auto device = identityDevice(32, 32);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetMaterial(flatColour(1, 0, 0));
    draw(*device, nearRed, quadIndices);
    device->SetMaterial(flatColour(0, 1, 0));
    draw(*device, farGreen, quadIndices);
    EXPECT_EQ(pictureOf(*device).at(16, 16), 0xFF00FF00u);
}

TEST(RasterPixels, AlphaBlendingMixesByTheSourceAlpha) {
    auto device = identityDevice(8, 8);
    device->Clear(D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetMaterial(flatColour(1, 0, 0, 0.25f));
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    std::uint32_t pixel = pictureOf(*device).at(4, 4);
    EXPECT_NEAR(red(pixel), 64, 1);
    EXPECT_EQ(green(pixel), 0);
    EXPECT_NEAR(blue(pixel), 191, 1);

    // A second layer blends over the first; with blending off the colour replaces.
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    pixel = pictureOf(*device).at(4, 4);
    EXPECT_NEAR(red(pixel), 112, 1);  // 0.25 + 0.75 x 0.25
    EXPECT_NEAR(blue(pixel), 143, 1); // 0.75 x 0.75
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    EXPECT_EQ(pictureOf(*device).at(4, 4), 0xFFFF0000u);
}

TEST(RasterPixels, TexturedQuadShowsEachTexelInItsQuarterAndWrapsAtTheEdges) {
    auto device = identityDevice(64, 64);
    auto texture = std::make_shared<Texture>(
        2, 2, std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu});
    ASSERT_EQ(device->SetTexture(0, texture), D3D_OK);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    Picture picture = pictureOf(*device);
    // Pixel centres at 16 and 48 sample texel centres exactly.
    EXPECT_EQ(picture.at(16, 16), 0xFFFF0000u);
    EXPECT_EQ(picture.at(48, 16), 0xFF00FF00u);
    EXPECT_EQ(picture.at(16, 48), 0xFF0000FFu);
    EXPECT_EQ(picture.at(48, 48), 0xFFFFFFFFu);
    // The corner samples u = v = 0, half way between the last and first texels both ways.
    const std::uint32_t corner = picture.at(0, 0);
    EXPECT_NEAR(red(corner), 128, 1);
    EXPECT_NEAR(green(corner), 128, 1);
    EXPECT_NEAR(blue(corner), 128, 1);
    // Between two texels of a row: half red, half green.
    EXPECT_NEAR(red(picture.at(32, 16)), 128, 1);
    EXPECT_NEAR(green(picture.at(32, 16)), 128, 1);

    // The texture modulates the lit colour; clearing the stage draws untextured.
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetMaterial(flatColour(0.5f, 0.5f, 0.5f));
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    EXPECT_NEAR(red(pictureOf(*device).at(16, 16)), 128, 1);
    EXPECT_EQ(green(pictureOf(*device).at(16, 16)), 0);
    device->SetTexture(0, nullptr);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    EXPECT_NEAR(green(pictureOf(*device).at(16, 16)), 128, 1);
    EXPECT_EQ(device->SetTexture(1, texture), D3DERR_INVALIDCALL);
}

// A wall whose left edge is near and right edge far: u must follow the perspective, not
// the screen. A 2 x 1 texture, black then white, turns u in 0.25 .. 0.75 into a grey ramp.
TEST(RasterPixels, TextureCoordinatesArePerspectiveCorrect) {
    const int size = 64;
    auto device = ReferenceDevice::createOffscreen(size, size, 1);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTransform(D3DTS_PROJECTION, perspectiveFovLH(1.5707964f, 1.0f, 0.5f, 100.0f)); // x, y scale 1
    device->SetTexture(0,
                       std::make_shared<Texture>(2, 1, std::vector<std::uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
    const std::vector<Vertex> wall{{-1, 1, 2, 0, 0, -1, 0, 0},
                                   {1, 1, 6, 0, 0, -1, 1, 0},
                                   {1, -1, 6, 0, 0, -1, 1, 1},
                                   {-1, -1, 2, 0, 0, -1, 0, 1}};
    draw(*device, wall, quadIndices);
    const Picture picture = pictureOf(*device);

    int checked = 0;
    float largestAffineError = 0.0f;
    for (int x = 0; x < size; ++x) {
        const float ndcX = static_cast<float>(x) / (size / 2.0f) - 1.0f;
        // The point (-1 + 2u, y, 2 + 4u) projects to ndcX = (-1 + 2u) / (2 + 4u).
        const float u = (1.0f + 2.0f * ndcX) / (2.0f - 4.0f * ndcX);
        if (u < 0.3f || u > 0.7f) continue;
        const int grey = red(picture.at(x, size / 2));
        EXPECT_NEAR(grey, toByte((u - 0.25f) * 2.0f), 2) << "column " << x;
        // Screen-linear u between the projected edges (-0.5 and 1/6) would be this far off.
        const float affineU = (ndcX + 0.5f) / (1.0f / 6.0f + 0.5f);
        largestAffineError = std::max(largestAffineError, std::fabs(affineU - u));
        ++checked;
    }
    EXPECT_GT(checked, 5);
    EXPECT_GT(largestAffineError, 0.1f); // the scene tells perspective from affine
}

// A floor triangle from in front of the camera to behind it: only its part beyond the
// near plane is drawn, with no stray pixels from the vertex behind the eye.
TEST(RasterPixels, TriangleCrossingTheNearPlaneIsClippedCleanly) {
    const int size = 64;
    auto device = ReferenceDevice::createOffscreen(size, size, 1);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    const float nearPlane = 2.0f; // the floor between 1 and 2 would show in the bottom quarter
    device->SetTransform(D3DTS_PROJECTION, perspectiveFovLH(1.5707964f, 1.0f, nearPlane, 100.0f));
    const std::vector<Vertex> floor{{-1, -1, 3}, {1, -1, 3}, {0, -1, -3}};
    draw(*device, floor, {0, 1, 2});
    const Picture picture = pictureOf(*device);

    auto coveredAt = [&](float sx, float sy) {
        const float ndcX = sx / (size / 2.0f) - 1.0f;
        const float ndcY = 1.0f - sy / (size / 2.0f);
        if (ndcY >= 0.0f) return false;
        const float z = -1.0f / ndcY; // the floor y = -1 seen along this ray
        const float x = ndcX * z;
        return z >= nearPlane && z <= 3.0f && std::fabs(x) <= (z + 3.0f) / 6.0f;
    };
    int covered = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool expected = coveredAt(x, y);
            // Pixels within half a pixel of the outline may go either way.
            const bool certain = expected == coveredAt(x - 0.5f, y) && expected == coveredAt(x + 0.5f, y) &&
                                 expected == coveredAt(x, y - 0.5f) && expected == coveredAt(x, y + 0.5f);
            const bool drawn = picture.at(x, y) != black;
            if (certain) {
                ASSERT_EQ(drawn, expected) << "pixel " << x << ", " << y;
            }
            covered += drawn;
        }
    }
    EXPECT_GT(covered, 80);
}

TEST(RasterPixels, CounterClockwiseTrianglesAreCulledByDefault) {
    const std::vector<Vertex> triangle{{-1, 1, 0.5f}, {1, 1, 0.5f}, {-1, -1, 0.5f}}; // clockwise on screen
    auto drawn = [&](std::uint32_t cullMode, const std::vector<std::uint16_t>& order) {
        auto device = identityDevice(8, 8);
        device->SetRenderState(D3DRS_CULLMODE, cullMode);
        draw(*device, triangle, order);
        return pictureOf(*device).at(1, 1) != black;
    };
    std::uint32_t fresh = 0;
    ReferenceDevice::createOffscreen(1, 1)->GetRenderState(D3DRS_CULLMODE, fresh);
    EXPECT_EQ(fresh, D3DCULL_CCW);
    EXPECT_TRUE(drawn(D3DCULL_CCW, {0, 1, 2}));
    EXPECT_FALSE(drawn(D3DCULL_CCW, {0, 2, 1}));
    EXPECT_TRUE(drawn(D3DCULL_CW, {0, 2, 1}));
    EXPECT_FALSE(drawn(D3DCULL_CW, {0, 1, 2}));
    EXPECT_TRUE(drawn(D3DCULL_NONE, {0, 2, 1}));
}

// A jittered grid of triangles with shared edges, drawn additively: every pixel inside the
// grid must be hit exactly once, none twice and none left out, also across the bands the
// target is split into and with vertices exactly on pixel centres.
TEST(RasterPixels, TrianglesSharingEdgesNeitherOverlapNorLeaveGaps) {
    const int width = 80, height = 100;
    for (unsigned threads : {1u, 2u}) {
        auto device = identityDevice(width, height, threads);
        device->SetRenderState(D3DRS_LIGHTING, 1);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetMaterial(flatColour(0.2f, 0.2f, 0.2f));

        const int cells = 9;
        std::vector<Vertex> vertices;
        std::uint32_t seed = 12345;
        auto jitter = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return (static_cast<float>((seed >> 16) % 1000) / 1000.0f - 0.5f) * 0.12f;
        };
        for (int j = 0; j <= cells; ++j) {
            for (int i = 0; i <= cells; ++i) {
                float x = -0.8f + 1.6f * i / cells, y = -0.8f + 1.6f * j / cells;
                const bool border = i == 0 || j == 0 || i == cells || j == cells;
                if (!border && (i + j) % 3 == 0) {
                    // On a pixel centre exactly.
                    x = std::round((x + 1.0f) * width / 2) / (width / 2.0f) - 1.0f;
                    y = 1.0f - std::round((1.0f - y) * height / 2) / (height / 2.0f);
                } else if (!border) {
                    x += jitter();
                    y += jitter();
                }
                vertices.push_back({x, y, 0.5f});
            }
        }
        std::vector<std::uint16_t> indices;
        auto at = [&](int i, int j) { return static_cast<std::uint16_t>(j * (cells + 1) + i); };
        for (int j = 0; j < cells; ++j)
            for (int i = 0; i < cells; ++i) {
                indices.insert(indices.end(), {at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
                indices.insert(indices.end(), {at(i, j + 1), at(i + 1, j), at(i, j)});
            }
        draw(*device, vertices, indices);
        const Picture picture = pictureOf(*device);

        const float left = 0.1f * width, right = 0.9f * width, top = 0.1f * height, bottom = 0.9f * height;
        int checked = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (x < left + 1 || x > right - 1 || y < top + 1 || y > bottom - 1) continue;
                ASSERT_EQ(red(picture.at(x, y)), 51) << "pixel " << x << ", " << y << ", threads " << threads;
                ++checked;
            }
        EXPECT_GT(checked, 4000);
    }
}

// Large triangles (whose rows are solved) and small ones up to and just past the size
// whose rows are tested pixel by pixel, vertices often on pixel centres and half pixels:
// each pixel is hit by exactly the triangles whose edge functions, evaluated exactly with
// the top-left rule, cover its centre.
TEST(RasterPixels, TrianglesOfEverySizeCoverExactlyThePixelCentresInside) {
    constexpr int size = 256; // a subpixel step is exactly 1 / 32768 in device coordinates
    struct Point {
        std::int64_t x, y; // subpixels
    };
    std::uint32_t seed = 99;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    // Within reach pixels of (cx, cy).
    auto randomPoint = [&](int cx, int cy, int reach) {
        const int grid = next(3) == 0 ? 256 : next(2) == 0 ? 128 : 1;
        const int cells = 2 * reach * 256 / grid;
        return Point{(cx - reach) * std::int64_t{256} + next(cells) * std::int64_t{grid},
                     (cy - reach) * std::int64_t{256} + next(cells) * std::int64_t{grid}};
    };
    auto covers = [](Point a, Point b, Point c, std::int64_t px, std::int64_t py) {
        const std::int64_t area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (area == 0) return false;
        if (area < 0) std::swap(b, c);
        const Point corners[] = {a, b, c, a};
        for (int i = 0; i < 3; ++i) {
            const Point p = corners[i], q = corners[i + 1];
            const std::int64_t dx = q.x - p.x, dy = q.y - p.y;
            const std::int64_t e = dx * (py * 256 - p.y) - dy * (px * 256 - p.x);
            const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
            if (e < 0 || (e == 0 && !topLeft)) return false;
        }
        return true;
    };

    std::vector<Vertex> vertices;
    std::vector<std::uint16_t> indices;
    std::vector<int> expected(size * size, 0);
    const int reaches[] = {150, 34, 31, 8, 3};
    for (int t = 0; t < 60; ++t) {
        const int reach = reaches[t % std::size(reaches)];
        const int cx = t % 5 == 0 ? 128 : next(size), cy = t % 5 == 0 ? 128 : next(size);
        const Point p[3] = {randomPoint(cx, cy, reach), randomPoint(cx, cy, reach),
                            randomPoint(cx, cy, reach)};
        for (const Point& point : p) {
            indices.push_back(static_cast<std::uint16_t>(vertices.size()));
            vertices.push_back({static_cast<float>(point.x) / 32768.0f - 1.0f,
                                1.0f - static_cast<float>(point.y) / 32768.0f, 0.5f});
        }
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                expected[y * size + x] += covers(p[0], p[1], p[2], x, y);
    }
    for (unsigned threads : {1u, 2u}) {
        auto device = identityDevice(size, size, threads);
        countCoverInRed(*device);
        draw(*device, vertices, indices);
        const Picture picture = pictureOf(*device);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                ASSERT_EQ(red(picture.at(x, y)), expected[y * size + x])
                    << x << ", " << y << " threads " << threads;
    }
}

// A window that keeps what was last presented to it, or (keepingPixels false) only the
// picture's size, so as to cost no memory of its own.
class PresentedPicture : public DeviceWindow {
public:
    PresentedPicture(int width, int height, bool keepingPixels)
        : size_{0, 0, width, height}, keeping_(keepingPixels) {}
    WindowRect clientRect() const override { return size_; }
    WindowRect windowRect() const override { return size_; }
    void present(const PictureRows& rows) override {
        if (keeping_) {
            picture = gatherPicture(rows);
            return;
        }
        picture.width = rows.width();
        picture.height = rows.height();
        rows.forEachRun([](int, int, const std::uint32_t*) {});
    }
    Picture picture;

private:
    WindowRect size_;
    bool keeping_;
};

std::shared_ptr<ReferenceDevice> presentingDevice(DeviceWindow& window, std::uint32_t swapEffect,
                                                  unsigned threads) {
    DeviceCreation creation;
    creation.behaviourFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    creation.parameters = windowedPresentParameters(D3DFMT_X8R8G8B8, &window);
    creation.parameters.swapEffect = swapEffect;
    auto device = std::make_shared<ReferenceDevice>(creation, threads);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    return device;
}

// With the back buffer discarded at Present, depth is too, and a frame is drawn at Present
// with depth for one band at a time. Until then it is kept whole: across the scenes of one
// frame, and past a read of the picture in the middle of one.
TEST(RasterPixels, FramesWhoseDepthIsDiscardedAtPresentDrawAsThoseThatKeepIt) {
    const auto drawFrame = [](ReferenceDevice& device, bool readingMidway) {
        device.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        device.BeginScene();
        device.SetMaterial(flatColour(1, 0, 0));
        draw(device, quad(-1, -1, 1, 1, 0.6f), quadIndices);
        device.SetMaterial(flatColour(0, 0, 1));
        draw(device, quad(-1, -1, 1, 0, 0.2f), quadIndices); // bottom half, in front
        if (readingMidway) pictureOf(device);
        device.SetMaterial(flatColour(0, 1, 0));
        draw(device, quad(-1, -1, 0, 1, 0.4f), quadIndices); // left half, behind the blue
        device.EndScene();
        device.BeginScene();
        device.SetMaterial(flatColour(1, 1, 0));
        draw(device, quad(-1, -1, 1, 1, 0.5f), quadIndices); // shows over the red alone
        device.EndScene();
        device.Present();
    };
    for (unsigned threads : {1u, 2u})
        for (bool readingMidway : {false, true}) {
            PresentedPicture kept(40, 70, true), discarded(40, 70, true);
            drawFrame(*presentingDevice(kept, D3DSWAPEFFECT_COPY, threads), readingMidway);
            drawFrame(*presentingDevice(discarded, D3DSWAPEFFECT_DISCARD, threads), readingMidway);
            ASSERT_EQ(discarded.picture.width, 40);
            EXPECT_EQ(discarded.picture.pixels, kept.picture.pixels) << threads << readingMidway;
            for (int y = 0; y < 70; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(discarded.picture.at(x, y),
                              y >= 35 ? 0xFF0000FFu : (x < 20 ? 0xFF00FF00u : 0xFFFFFF00u))
                        << x << ", " << y << " threads " << threads << " reading midway " << readingMidway;
        }
}

TEST(RasterPixels, AFrameWhoseDepthIsDiscardedAtPresentHoldsNoDepthForTheWholeTarget) {
    PresentedPicture window(2000, 1500, false);
    auto device = presentingDevice(window, D3DSWAPEFFECT_DISCARD, 2);
    const std::size_t before = residentBytes();
    device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    device->SetMaterial(flatColour(1, 0, 0));
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    device->EndScene();
    device->Present();
    ASSERT_EQ(window.picture.width, 2000);
    // A few bands of colour and depth, not the 12 MB of either.
    EXPECT_LT(residentBytes() - before, std::size_t{4} << 20);
}

// A window that is handed a picture and takes none of its rows.
class UnseeingWindow : public DeviceWindow {
public:
    WindowRect clientRect() const override { return {0, 0, 40, 70}; }
    WindowRect windowRect() const override { return clientRect(); }
    void present(const PictureRows&) override { ++presented; }
    int presented = 0;
};

// A frame that starts by clearing colour and depth and is discarded at Present is drawn as
// the window takes its rows: not at all for a window that takes none, and done with either way.
TEST(RasterPixels, AFrameDrawnAsPresentedIsDoneWithWhetherOrNotTheWindowTakesIt) {
    for (unsigned threads : {1u, 2u, 3u}) {
        PresentedPicture window(40, 70, true);
        UnseeingWindow unseeing;
        auto device = presentingDevice(window, D3DSWAPEFFECT_DISCARD, threads);
        device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000, 1.0f, 0);
        device->BeginScene();
        device->SetMaterial(flatColour(0, 1, 0));
        draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
        device->EndScene();
        ASSERT_EQ(device->Present(&unseeing), D3D_OK);
        ASSERT_EQ(unseeing.presented, 1);

        // Nothing drawn: the clear colour alone, none of the frame before.
        device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x0000FF, 1.0f, 0);
        device->Present();
        ASSERT_EQ(window.picture.height, 70);
        EXPECT_EQ(window.picture.pixels, std::vector<std::uint32_t>(40 * 70, 0xFF0000FFu)) << threads;

        // The depth of each band starts cleared, whatever the band drew before.
        device->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        device->BeginScene();
        device->SetMaterial(flatColour(1, 0, 0));
        draw(*device, quad(-1, -1, 1, 1, 0.9f), quadIndices);
        device->SetMaterial(flatColour(0, 1, 0));
        draw(*device, quad(-1, -1, 0, 1, 0.95f), quadIndices); // behind the red
        device->EndScene();
        device->Present();
        EXPECT_EQ(window.picture.pixels, std::vector<std::uint32_t>(40 * 70, 0xFFFF0000u)) << threads;
    }
}

// More triangles than the device queues at once: the queue is drawn and emptied between
// draws, after the pending clear and before the later draws, with nothing lost.
TEST(RasterPixels, AScenePastTheQueuedTriangleLimitDrawsEveryTriangleOnceInOrder) {
    const int width = 256, height = 140; // one quad per pixel: 71680 triangles
    std::vector<Vertex> grid;
    for (int j = 0; j <= height; ++j)
        for (int i = 0; i <= width; ++i)
            grid.push_back({(static_cast<float>(i) - 0.5f) / (width / 2.0f) - 1.0f,
                            1.0f - (static_cast<float>(j) - 0.5f) / (height / 2.0f), 0.5f});
    std::vector<std::uint16_t> indices;
    auto at = [&](int i, int j) { return static_cast<std::uint16_t>(j * (width + 1) + i); };
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            indices.insert(indices.end(), {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j),
                                           at(i + 1, j + 1), at(i, j + 1)});
    for (unsigned threads : {1u, 2u}) {
        auto device = identityDevice(width, height, threads);
        device->Clear(D3DCLEAR_TARGET, 0x000010, 1.0f, 0);
        countCoverInRed(*device);
        ASSERT_EQ(draw(*device, grid, indices), D3D_OK);
        device->SetMaterial(flatColour(0, 2.0f / 255.0f, 0));
        ASSERT_EQ(draw(*device, quad(-1.5f, -1.5f, 1.5f, 1.5f, 0.5f), quadIndices), D3D_OK);
        const Picture picture = pictureOf(*device);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = picture.at(x, y);
                ASSERT_TRUE(red(p) == 1 && green(p) == 2 && blue(p) == 16)
                    << "pixel " << x << ", " << y << " is " << std::hex << p << ", threads " << threads;
            }
    }
}

TEST(RasterPixels, TwoThreadsDrawTheSamePictureAsOne) {
    auto drawScene = [](unsigned threads) {
        auto device = identityDevice(200, 150, threads);
        device->SetRenderState(D3DRS_LIGHTING, 1);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        for (int k = 0; k < 40; ++k) {
            const float x = -1.0f + 0.05f * k, y = 0.9f - 0.045f * k;
            device->SetMaterial(flatColour(0.1f * (k % 10), 0.5f, 1.0f - 0.02f * k, 0.6f));
            draw(*device, {{x, y, 0.9f - 0.02f * k}, {x + 0.9f, y - 0.2f, 0.5f}, {x + 0.2f, y - 0.9f, 0.1f}},
                 {0, 1, 2});
        }
        return pictureOf(*device).pixels;
    };
    EXPECT_EQ(drawScene(1), drawScene(2));
}

TEST(RasterPixels, HugeTrianglesAreClippedToTheGuardBandAndStillCoverTheTarget) {
    // Far beyond what fixed-point screen positions can hold without clipping.
    for (float reach : {1e4f, 1e6f, 3e7f, 1e9f, 1e12f}) {
        auto device = identityDevice(64, 48);
        draw(*device, {{-reach, -1, 0.5f}, {0, reach, 0.5f}, {reach, -1, 0.5f}}, {0, 1, 2});
        const Picture picture = pictureOf(*device);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(picture.at(x, y), 0xFFFFFFFFu) << x << ", " << y << " reach " << reach;
    }
}

TEST(RasterPixels, ViewportLimitsDrawingToItsRectangle) {
    auto device = identityDevice(32, 32);
    ASSERT_EQ(device->SetViewport({8, 4, 16, 8, 0.0f, 1.0f}), D3D_OK);
    draw(*device, quad(-1, -1, 1, 1, 0.5f), quadIndices);
    const Picture picture = pictureOf(*device);
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 8 && x < 24 && y >= 4 && y < 12;
            EXPECT_EQ(picture.at(x, y) != black, inside) << x << ", " << y;
            drawn += inside;
        }
    EXPECT_EQ(drawn, 128);
    EXPECT_EQ(device->SetViewport({20, 0, 16, 8, 0.0f, 1.0f}), D3DERR_INVALIDCALL);
}

// One vertex faces the light, the others face away: Gouraud shading ramps between them,
// flat shading gives the whole triangle the first vertex's colour.
TEST(RasterPixels, FlatShadingTakesTheFirstVertexColour) {
    auto device = identityDevice(32, 32);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    Material material;
    material.diffuse = {1, 1, 1, 1};
    device->SetMaterial(material);
    Light light;
    light.diffuse = {1, 1, 1, 1};
    light.direction = {0, 0, 1};
    device->SetLight(0, light);
    device->LightEnable(0, true);
    const std::vector<Vertex> triangle{
        {-1, 1, 0.5f, 0, 0, -1}, {1, 1, 0.5f, 0, 0, 1}, {-1, -1, 0.5f, 0, 0, 1}};

    draw(*device, triangle, {0, 1, 2});
    Picture picture = pictureOf(*device);
    EXPECT_GT(red(picture.at(0, 0)), 200);
    EXPECT_LT(red(picture.at(14, 0)), red(picture.at(2, 0)));

    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    draw(*device, triangle, {0, 1, 2});
    picture = pictureOf(*device);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30 - y; ++x)
            ASSERT_EQ(picture.at(x, y), 0xFFFFFFFFu) << x << ", " << y;
}

TEST(RasterPixels, MalformedDrawsAreRefusedAndDrawNothing) {
    auto device = identityDevice(8, 8);
    std::vector<Vertex> vertices = quad(-1, -1, 1, 1, 0.5f);
    IndexedTriangles batch;
    batch.vertices = vertices.data();
    batch.vertexCount = 4;
    batch.fvf = fvf::positionNormalTexture;
    const std::vector<std::uint32_t> indices{0, 1, 2, 0, 2, 4};
    batch.indices = indices.data();
    batch.indexFormat = IndexFormat::Bits32;
    batch.indexCount = 6;
    batch.faceCount = 2;
    EXPECT_EQ(device->DrawIndexedTriangles(batch), D3DERR_INVALIDCALL) << "index 4 of 4 vertices";
    batch.faceCount = 3;
    batch.vertexCount = 5;
    EXPECT_EQ(device->DrawIndexedTriangles(batch), D3DERR_INVALIDCALL) << "faces beyond the indices";
    batch.faceCount = 1;
    batch.fvf = fvf::xyzrhw | fvf::tex1;
    EXPECT_EQ(device->DrawIndexedTriangles(batch), D3DERR_INVALIDCALL) << "pre-transformed vertices";
    batch.fvf = fvf::positionNormalTexture;
    batch.stride = 16;
    EXPECT_EQ(device->DrawIndexedTriangles(batch), D3DERR_INVALIDCALL) << "stride below the vertex size";
    for (const auto pixel : pictureOf(*device).pixels)
        ASSERT_EQ(pixel, black);

    // Not-a-number positions drop the triangle rather than the program.
    vertices[1].x = std::nanf("");
    batch.stride = 0;
    batch.vertexCount = 4;
    EXPECT_EQ(device->DrawIndexedTriangles(batch), D3D_OK);
    for (const auto pixel : pictureOf(*device).pixels)
        ASSERT_EQ(pixel, black);
}

TEST(RasterPixels, PositionNormalVerticesWithoutTextureCoordinatesDraw) {
    auto device = identityDevice(8, 8);
    const float vertices[] = {-1, 1, 0.5f, 0, 0, -1, 1, 1, 0.5f, 0, 0, -1, 1, -1, 0.5f, 0, 0, -1};
    const std::uint16_t indices[] = {0, 1, 2};
    IndexedTriangles batch;
    batch.vertices = vertices;
    batch.vertexCount = 3;
    batch.fvf = fvf::xyz | fvf::normal;
    batch.indices = indices;
    batch.indexCount = 3;
    batch.faceCount = 1;
    ASSERT_EQ(device->DrawIndexedTriangles(batch), D3D_OK);
    const Picture picture = pictureOf(*device);
    EXPECT_EQ(picture.at(6, 1), 0xFFFFFFFFu);
    EXPECT_EQ(picture.at(1, 6), black);
}

} // namespace
} // namespace bw::rastertest
