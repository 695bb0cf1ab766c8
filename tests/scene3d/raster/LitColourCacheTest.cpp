// Lit vertex colours kept across frames: taken again only while the vertices' revision and
// every lighting input stay the same, and the pictures are those of lighting afresh.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <set>

#include "scene3d/math/Camera.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/platform/fixedfunction/LitColourCache.h"
#include "tests/scene3d/raster/RasterScene.h"

namespace bw::rastertest {
namespace {

using fixedfunction::LitColourCache;
using fixedfunction::LitColourStore;

fixedfunction::VertexFields fieldsOfTestVertex() {
    return *fixedfunction::vertexFieldsOf(*vertexLayoutOf(fvf::positionNormalTexture));
}

Light whiteLight(Vector3 direction) {
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1, 1, 1, 1};
    light.specular = {1, 1, 1, 1};
    light.direction = normalize(direction);
    light.range = 1000.0f;
    return light;
}

fixedfunction::FixedFunctionState litState() {
    fixedfunction::FixedFunctionState state;
    state.renderStates[D3DRS_LIGHTING] = 1;
    state.renderStates[D3DRS_AMBIENT] = 0x00202020;
    state.lights[0] = {whiteLight({0, 0, 1}), true, true};
    state.material.diffuse = {0.5f, 0.6f, 0.7f, 1.0f};
    return state;
}

TEST(LitColourCache, KeepsColoursOnlyWhileEveryLightingInputStaysTheSame) {
    const auto fields = fieldsOfTestVertex();
    IndexedTriangles batch;
    batch.fvf = fvf::positionNormalTexture;
    int vertices = 0;
    batch.vertices = &vertices;
    batch.contentRevision = nextContentRevision();
    LitColourCache cache;
    auto storeFor = [&](const fixedfunction::FixedFunctionState& state, std::uint32_t first = 0) {
        return cache.storeFor(batch, fields, 32, first, 4, state);
    };

    const auto state = litState();
    const LitColourStore first = storeFor(state);
    ASSERT_NE(first.colours, nullptr);
    EXPECT_FALSE(first.valid);
    EXPECT_TRUE(storeFor(state).valid);
    EXPECT_FALSE(storeFor(state, 1).valid) << "another range of the same vertices";
    EXPECT_EQ(cache.entryCount(), 2u);

    // Each input that lighting reads, changed on its own, makes the colours stale.
    const std::function<void(fixedfunction::FixedFunctionState&)> changes[] = {
        [](auto& s) { s.world = translationMatrix(1, 0, 0); },
        [](auto& s) {
            s.lights[0].light.direction = normalize(Vector3{0, 1, 1});
        },
        [](auto& s) { s.lights[0].light.diffuse.g = 0.5f; },
        [](auto& s) {
            s.lights[1] = {whiteLight({1, 0, 0}), true, true};
        },
        [](auto& s) { s.lights[0].enabled = false; },
        [](auto& s) { s.material.diffuse.r = 0.25f; },
        [](auto& s) { s.material.emissive.b = 0.1f; },
        [](auto& s) { s.renderStates[D3DRS_AMBIENT] = 0x00303030; },
        [](auto& s) { s.renderStates[D3DRS_SPECULARENABLE] = 1; },
        [](auto& s) { s.lights[0].light.type = D3DLIGHT_POINT; },
    };
    int changed = 0;
    for (const auto& change : changes) {
        auto other = state;
        change(other);
        EXPECT_FALSE(storeFor(other).valid) << "change " << changed;
        EXPECT_TRUE(storeFor(other).valid) << "change " << changed;
        // Drawn in this scene under the first lighting too: both are kept.
        EXPECT_TRUE(storeFor(state).valid) << "back from change " << changed;
        ++changed;
    }

    // The camera counts only for specular highlights.
    auto turned = state;
    turned.view = *lookAtLH({3, 0, -10}, {0, 0, 0}, {0, 1, 0});
    EXPECT_TRUE(storeFor(turned).valid);
    auto shiny = state;
    shiny.renderStates[D3DRS_SPECULARENABLE] = 1;
    storeFor(shiny);
    shiny.view = turned.view;
    EXPECT_FALSE(storeFor(shiny).valid);

    // Changes that lighting does not read keep the colours.
    auto unread = state;
    unread.projection = perspectiveFovLH(0.8f, 1.0f, 1.0f, 100.0f);
    unread.renderStates[D3DRS_CULLMODE] = D3DCULL_CW;
    unread.lights[2].light.diffuse.r = 0.5f; // a disabled slot
    EXPECT_TRUE(storeFor(unread).valid);

    // A new revision (changed vertices), no revision, or lighting off: nothing kept.
    batch.contentRevision = nextContentRevision();
    EXPECT_FALSE(storeFor(state).valid);
    batch.contentRevision = 0;
    EXPECT_EQ(storeFor(state).colours, nullptr);
    batch.contentRevision = 1;
    auto unlit = state;
    unlit.renderStates[D3DRS_LIGHTING] = 0;
    EXPECT_EQ(storeFor(unlit).colours, nullptr);
}

TEST(LitColourCache, DropsColoursNotDrawnForSomeScenes) {
    const auto fields = fieldsOfTestVertex();
    const auto state = litState();
    IndexedTriangles shown, hidden;
    int vertices = 0;
    shown.vertices = hidden.vertices = &vertices;
    shown.contentRevision = nextContentRevision();
    hidden.contentRevision = nextContentRevision();
    LitColourCache cache;
    cache.storeFor(hidden, fields, 32, 0, 4, state);
    for (std::uint64_t scene = 0; scene <= LitColourCache::scenesKept + LitColourCache::scenesBetweenSweeps;
         ++scene) {
        cache.storeFor(shown, fields, 32, 0, 4, state);
        cache.endScene();
    }
    EXPECT_EQ(cache.entryCount(), 1u);
    EXPECT_TRUE(cache.storeFor(shown, fields, 32, 0, 4, state).valid);
    EXPECT_FALSE(cache.storeFor(hidden, fields, 32, 0, 4, state).valid);
}

// One mesh placed three times is lit three times in its first scene only; a mesh that
// moves every scene keeps the colours of its last two placements, not of every one.
TEST(LitColourCache, KeepsEachPlacementOfAMeshButNotEveryPlaceItMovedThrough) {
    const auto fields = fieldsOfTestVertex();
    IndexedTriangles batch;
    int vertices = 0;
    batch.vertices = &vertices;
    batch.contentRevision = nextContentRevision();
    LitColourCache cache;
    auto placedAt = [](float x) {
        auto state = litState();
        state.world = translationMatrix(x, 0, 0);
        return state;
    };
    auto litAfresh = [&](int scene, int scenes, auto placement) {
        int lit = 0;
        for (; scene < scenes; ++scene) {
            for (const auto& state : placement(scene))
                lit += cache.storeFor(batch, fields, 32, 0, 4, state).valid ? 0 : 1;
            cache.endScene();
        }
        return lit;
    };

    auto threePlaces = [&](int) { return std::vector{placedAt(0), placedAt(1), placedAt(2)}; };
    EXPECT_EQ(litAfresh(0, 5, threePlaces), 3);
    EXPECT_EQ(cache.entryCount(), 3u);

    cache.clear();
    auto moving = [&](int scene) { return std::vector{placedAt(static_cast<float>(scene))}; };
    EXPECT_EQ(litAfresh(0, 40, moving), 40);
    EXPECT_LE(cache.entryCount(), 2u);
    // Placed where it was three scenes ago: that colour set was given up.
    EXPECT_FALSE(cache.storeFor(batch, fields, 32, 0, 4, placedAt(37)).valid);
    EXPECT_TRUE(cache.storeFor(batch, fields, 32, 0, 4, placedAt(39)).valid);
}

// A lit fan drawn frame after frame with a revision, its lighting and view changed in
// between: each picture equals that of a device that lights every draw afresh.
TEST(LitColourCache, FramesDrawnFromKeptColoursEqualFramesLitAfresh) {
    std::vector<Vertex> vertices;
    std::vector<std::uint16_t> indices;
    constexpr int steps = 12;
    vertices.push_back({0, 0, -1, 0, 0, -1});
    for (int i = 0; i <= steps; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / steps;
        const float x = std::cos(angle), y = std::sin(angle);
        vertices.push_back({x, y, 0, x * 0.7f, y * 0.7f, -0.7f});
        if (i > 0)
            indices.insert(indices.end(),
                           {0, static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(i)});
    }
    const std::uint64_t revision = nextContentRevision();
    auto drawOn = [&](ReferenceDevice& device, std::uint64_t contentRevision) {
        IndexedTriangles batch;
        batch.vertices = vertices.data();
        batch.vertexCount = static_cast<std::uint32_t>(vertices.size());
        batch.fvf = fvf::positionNormalTexture;
        batch.indices = indices.data();
        batch.indexCount = static_cast<std::uint32_t>(indices.size());
        batch.faceCount = batch.indexCount / 3;
        batch.contentRevision = contentRevision;
        device.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        device.BeginScene();
        EXPECT_EQ(device.DrawIndexedTriangles(batch), D3D_OK);
        device.EndScene();
        return pictureOf(device).pixels;
    };
    auto setUp = [](ReferenceDevice& device) {
        device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device.SetTransform(D3DTS_PROJECTION, perspectiveFovLH(0.8f, 1.0f, 1.0f, 100.0f));
        device.SetTransform(D3DTS_VIEW, *lookAtLH({0, 0, -4}, {0, 0, 0}, {0, 1, 0}));
        Material material;
        material.diffuse = {0.8f, 0.6f, 0.4f, 1.0f};
        material.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
        material.specular = {1, 1, 1, 1};
        material.power = 8.0f;
        device.SetMaterial(material);
        device.SetLight(0, whiteLight({0.3f, -0.2f, 1}));
        device.LightEnable(0, true);
    };
    const std::function<void(ReferenceDevice&)> changes[] = {
        [](auto&) {},
        [](auto& d) {
            d.SetLight(0, whiteLight({-0.5f, 0.4f, 1}));
        },
        [](auto& d) { d.SetTransform(D3DTS_WORLD, rotationYMatrix(0.3f)); },
        [](auto& d) { d.SetRenderState(D3DRS_AMBIENT, 0x00404040); },
        [](auto& d) { d.SetRenderState(D3DRS_SPECULARENABLE, 1); },
        [](auto& d) {
            d.SetTransform(D3DTS_VIEW, *lookAtLH({1, 1, -4}, {0, 0, 0}, {0, 1, 0}));
        },
        // Tilted across the near plane: the clipped triangles take their colours from the
        // store too, also with flat shading.
        [](auto& d) {
            d.SetTransform(D3DTS_WORLD, rotationXMatrix(1.2f));
            d.SetTransform(D3DTS_PROJECTION, perspectiveFovLH(0.8f, 1.0f, 3.5f, 100.0f));
        },
        [](auto& d) {
            d.SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
            d.SetLight(0, whiteLight({0.2f, 0.1f, 1})); // onto the fan's first vertex
        },
        [](auto& d) { d.LightEnable(0, false); },
    };
    auto cached = ReferenceDevice::createOffscreen(48, 48, 1);
    auto fresh = ReferenceDevice::createOffscreen(48, 48, 1);
    setUp(*cached);
    setUp(*fresh);
    int frame = 0;
    std::set<std::vector<std::uint32_t>> pictures;
    for (const auto& change : changes) {
        change(*cached);
        change(*fresh);
        for (int repeat = 0; repeat < 2; ++repeat) {
            const auto expected = drawOn(*fresh, 0);
            EXPECT_EQ(drawOn(*cached, revision), expected) << "change " << frame << ", repeat " << repeat;
            pictures.insert(expected);
        }
        ++frame;
    }
    EXPECT_EQ(pictures.size(), std::size(changes)) << "each change shows";
}

} // namespace
} // namespace bw::rastertest
