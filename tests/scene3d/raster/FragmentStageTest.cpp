// The fragment stage shades four or eight pixels at a time in one pass; each pixel must
// come out exactly as the per-pixel formula gives it, whatever the span's length and
// position, the depth function, the blend factors and the texture, with either grouping.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "scene3d/platform/raster/FragmentStage.h"

namespace bw::raster {
namespace {

using namespace fixedfunction;

struct Rgba {
    float r, g, b, a;
};

float saturate(float c) { return c > 0.0f ? (c < 1.0f ? c : 1.0f) : 0.0f; }

// Truncating after adding a half, as the device does: the formula the passes must match.
std::uint32_t toByte(float c) {
    return static_cast<std::uint32_t>(saturate(c) * 255.0f + 0.5f); // NOLINT(bugprone-incorrect-roundings)
}

Rgba unpack(std::uint32_t argb) {
    const float unit = 1.0f / 255.0f;
    return {static_cast<float>((argb >> 16) & 0xFF) * unit, static_cast<float>((argb >> 8) & 0xFF) * unit,
            static_cast<float>(argb & 0xFF) * unit, static_cast<float>(argb >> 24) * unit};
}

bool passes(std::uint32_t function, float incoming, float stored) {
    switch (function) {
    case D3DCMP_NEVER:
        return false;
    case D3DCMP_LESS:
        return incoming < stored;
    case D3DCMP_EQUAL:
        return incoming == stored;
    case D3DCMP_LESSEQUAL:
        return incoming <= stored;
    case D3DCMP_GREATER:
        return incoming > stored;
    case D3DCMP_NOTEQUAL:
        return incoming != stored;
    case D3DCMP_GREATEREQUAL:
        return incoming >= stored;
    default:
        return true;
    }
}

Rgba factor(std::uint32_t mode, const Rgba& s, const Rgba& d) {
    switch (mode) {
    case D3DBLEND_ZERO:
        return {0, 0, 0, 0};
    case D3DBLEND_SRCCOLOR:
        return s;
    case D3DBLEND_INVSRCCOLOR:
        return {1 - s.r, 1 - s.g, 1 - s.b, 1 - s.a};
    case D3DBLEND_SRCALPHA:
        return {s.a, s.a, s.a, s.a};
    case D3DBLEND_INVSRCALPHA:
        return {1 - s.a, 1 - s.a, 1 - s.a, 1 - s.a};
    case D3DBLEND_DESTALPHA:
        return {d.a, d.a, d.a, d.a};
    case D3DBLEND_INVDESTALPHA:
        return {1 - d.a, 1 - d.a, 1 - d.a, 1 - d.a};
    case D3DBLEND_DESTCOLOR:
        return d;
    case D3DBLEND_INVDESTCOLOR:
        return {1 - d.r, 1 - d.g, 1 - d.b, 1 - d.a};
    default:
        return {1, 1, 1, 1};
    }
}

// One pixel as the fixed-function pipeline defines it, straight from the planes.
void referencePixel(const TriangleSetup& t, const DrawState& state, const Sampler* sampler, int x, int y,
                    std::uint32_t& colour, float& depth) {
    auto at = [&](int i) {
        const float row = t.planes.atOrigin(i) + t.planes.dy(i) * static_cast<float>(y - t.originY);
        return row + t.planes.dx(i) * static_cast<float>(x - t.originX);
    };
    const float z = at(attributeDepth);
    if (state.depthTest && !passes(state.depthFunction, z, depth)) return;
    const float w = 1.0f / at(attributeInvW);
    auto varying = [&](int v) { return at(attributeVaryings + v) * w; };
    Rgba c{varying(varyingRed), varying(varyingGreen), varying(varyingBlue), varying(varyingAlpha)};
    if (state.texture) {
        const SampledColour texel = sampler->sample(varying(varyingU), varying(varyingV));
        c = {saturate(c.r) * texel.r, saturate(c.g) * texel.g, saturate(c.b) * texel.b, texel.a};
    }
    if (state.specular) {
        c.r = saturate(c.r) + varying(varyingSpecularRed);
        c.g = saturate(c.g) + varying(varyingSpecularGreen);
        c.b = saturate(c.b) + varying(varyingSpecularBlue);
    }
    if (state.blend) {
        c = {saturate(c.r), saturate(c.g), saturate(c.b), saturate(c.a)};
        const Rgba d = unpack(colour);
        const Rgba fs = factor(state.sourceBlend, c, d), fd = factor(state.destinationBlend, c, d);
        c = {c.r * fs.r + d.r * fd.r, c.g * fs.g + d.g * fd.g, c.b * fs.b + d.b * fd.b, 1.0f};
    }
    colour = 0xFF000000u | (toByte(c.r) << 16) | (toByte(c.g) << 8) | toByte(c.b);
    if (state.depthWrite) depth = z;
}

// Planes with colours running past 0 and 1 and a 1/w that stays positive.
TriangleSetup randomPlanes(std::mt19937& random) {
    std::uniform_real_distribution<float> value(-0.3f, 1.3f), gradient(-0.02f, 0.02f);
    TriangleSetup t{};
    t.originX = 3;
    t.originY = 10;
    for (int i = 0; i < attributeCount; ++i) {
        t.planes.atOrigin(i) = value(random);
        t.planes.dx(i) = gradient(random);
        t.planes.dy(i) = gradient(random);
    }
    t.planes.atOrigin(attributeDepth) = 0.5f;
    t.planes.dx(attributeDepth) = 0.0007f;
    t.planes.atOrigin(attributeInvW) = 0.8f;
    t.planes.dx(attributeInvW) = 0.0003f;
    t.planes.dy(attributeInvW) = 0.0001f;
    return t;
}

constexpr int rowWidth = 640;
constexpr int row = 12;
// Past the row's end: the next row, which the stage must leave alone.
constexpr int guardPixels = 4;

struct Rows {
    std::vector<std::uint32_t> colours;
    std::vector<float> depths;
};

// Stored depths around the triangle's, every third exactly equal to it (for EQUAL and
// NOTEQUAL), one NaN.
Rows randomRows(std::mt19937& random, const TriangleSetup& t) {
    Rows rows{std::vector<std::uint32_t>(rowWidth + guardPixels), std::vector<float>(rowWidth + guardPixels)};
    std::uniform_real_distribution<float> near(0.3f, 1.0f);
    for (int x = 0; x < rowWidth + guardPixels; ++x) {
        rows.colours[x] = static_cast<std::uint32_t>(random());
        std::uint32_t unused = 0;
        float z = 2.0f;
        DrawState always;
        always.depthTest = true;
        always.depthWrite = true;
        always.depthFunction = D3DCMP_ALWAYS;
        referencePixel(t, always, nullptr, x, row, unused, z);
        rows.depths[x] = x % 3 == 0 ? z : near(random);
    }
    rows.depths[37] = std::nanf("");
    return rows;
}

TEST(FragmentStage, ShadesEveryPixelExactlyAsThePerPixelFormula) {
    std::mt19937 random(2024);
    std::vector<std::uint32_t> texels(5 * 3);
    for (auto& texel : texels)
        texel = static_cast<std::uint32_t>(random());
    const Texture texture(5, 3, texels);
    const Sampler sampler(texture);

    struct Span {
        int begin, end;
    };
    // Empty, shorter than a group, group-sized, unaligned, hundreds of pixels long, up to
    // and near the row's end (where a group of four must not reach past it).
    const Span spans[] = {{5, 5},
                          {0, 1},
                          {1, 3},
                          {4, 8},
                          {2, 7},
                          {6, 15},
                          {3, 259},
                          {0, 256},
                          {17, rowWidth},
                          {rowWidth - 3, rowWidth},
                          {rowWidth - 6, rowWidth - 1}};
    const std::uint32_t blends[][2] = {
        {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},     {D3DBLEND_ONE, D3DBLEND_ONE},
        {D3DBLEND_DESTCOLOR, D3DBLEND_ZERO},           {D3DBLEND_INVDESTALPHA, D3DBLEND_SRCCOLOR},
        {D3DBLEND_INVSRCCOLOR, D3DBLEND_INVDESTCOLOR}, {D3DBLEND_DESTALPHA, 99}};
    int checkedSpans = 0;
    for (const PixelGroups groups : {PixelGroups::Widest, PixelGroups::Four}) {
        for (std::uint32_t function = 0; function <= D3DCMP_ALWAYS; ++function) {
            for (int depthMode = 0; depthMode < 3; ++depthMode) { // no test, test, test and write
                for (int features = 0; features < 8; ++features) {
                    DrawState state;
                    state.depthTest = depthMode > 0;
                    state.depthWrite = depthMode > 1;
                    state.depthFunction = function;
                    state.texture = features & 4 ? &texture : nullptr;
                    state.blend = features & 2;
                    state.specular = features & 1;
                    const auto& blend = blends[(function + features) % std::size(blends)];
                    state.sourceBlend = blend[0];
                    state.destinationBlend = blend[1];
                    const TriangleSetup setup = randomPlanes(random);
                    const SpanContext context{&setup, &state, state.texture ? &sampler : nullptr};
                    const SpanShader shader = spanShaderFor(state, true, groups);

                    for (const Span& span : spans) {
                        const Rows before = randomRows(random, setup);
                        Rows expected = before, actual = before;
                        for (int x = span.begin; x < span.end; ++x)
                            referencePixel(setup, state, context.sampler, x, row, expected.colours[x],
                                           expected.depths[x]);
                        shadeSpan(shader, context, {actual.colours.data(), actual.depths.data(), rowWidth},
                                  row, span.begin, span.end);
                        for (int x = 0; x < rowWidth + guardPixels; ++x) {
                            ASSERT_EQ(actual.colours[x], expected.colours[x])
                                << "pixel " << x << ", span " << span.begin << ".." << span.end
                                << ", function " << function << ", depth mode " << depthMode << ", features "
                                << features << (groups == PixelGroups::Four ? ", four at a time" : "");
                            // Bitwise, so that a NaN left in place compares equal.
                            ASSERT_EQ(std::bit_cast<std::uint32_t>(actual.depths[x]),
                                      std::bit_cast<std::uint32_t>(expected.depths[x]))
                                << "depth " << x << ", function " << function << ", depth mode " << depthMode;
                        }
                        ++checkedSpans;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checkedSpans, 2 * 9 * 3 * 8 * static_cast<int>(std::size(spans)));
}

// One call shades a triangle's rows, each row's planes worked out from the triangle's:
// every span as the formula gives it, rows without one and pixels beside the spans left
// alone, the last row up to the buffer's end.
TEST(FragmentStage, ShadesATrianglesRowsInOneCall) {
    std::mt19937 random(11);
    const TriangleSetup setup = randomPlanes(random);
    const raster::Span spans[] = {{20, 45}, {0, 0}, {19, 19}, {3, 640}, {100, 107}, {633, 640}};
    constexpr int rowCount = static_cast<int>(std::size(spans));
    constexpr int firstRow = 14;
    for (const PixelGroups groups : {PixelGroups::Widest, PixelGroups::Four}) {
        for (const bool blended : {false, true}) {
            DrawState state;
            state.depthTest = true;
            state.depthWrite = true;
            state.depthFunction = D3DCMP_LESSEQUAL;
            state.blend = blended;
            state.sourceBlend = D3DBLEND_SRCALPHA;
            state.destinationBlend = D3DBLEND_INVSRCALPHA;
            std::vector<std::uint32_t> colours(rowCount * rowWidth);
            std::vector<float> depths(rowCount * rowWidth);
            std::uniform_real_distribution<float> near(0.3f, 1.0f);
            for (std::size_t i = 0; i < colours.size(); ++i) {
                colours[i] = static_cast<std::uint32_t>(random());
                depths[i] = near(random);
            }
            std::vector<std::uint32_t> expectedColours = colours;
            std::vector<float> expectedDepths = depths;
            for (int r = 0; r < rowCount; ++r)
                for (int x = spans[r].begin; x < spans[r].end; ++x)
                    referencePixel(setup, state, nullptr, x, firstRow + r, expectedColours[r * rowWidth + x],
                                   expectedDepths[r * rowWidth + x]);

            const SpanContext context{&setup, &state, nullptr};
            spanShaderFor(state, true, groups)(
                context, {spans, rowCount, firstRow, colours.data(), depths.data(), rowWidth});
            for (int i = 0; i < rowCount * rowWidth; ++i) {
                ASSERT_EQ(colours[i], expectedColours[i])
                    << "row " << i / rowWidth << ", pixel " << i % rowWidth << (blended ? ", blended" : "")
                    << (groups == PixelGroups::Four ? ", four at a time" : "");
                ASSERT_EQ(depths[i], expectedDepths[i])
                    << "row " << i / rowWidth << ", pixel " << i % rowWidth;
            }
        }
    }
}

// Colours far past 0 and 1, infinite or NaN come out as the formula saturates them, with
// either grouping: the eight-pixel pass clamps after rounding instead of before.
TEST(FragmentStage, ColoursOutOfRangeSaturateAsTheFormulaDoes) {
    std::mt19937 random(5);
    TriangleSetup setup = randomPlanes(random);
    const float extremes[] = {3e38f,
                              -3e38f,
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::nanf(""),
                              1.0f,
                              -0.0f,
                              254.6f / 255.0f,
                              1.0019f,
                              -0.0019f};
    const fixedfunction::Varying channels[] = {varyingRed, varyingGreen, varyingBlue};
    DrawState state;
    const SpanContext context{&setup, &state, nullptr};
    int checked = 0;
    for (const PixelGroups groups : {PixelGroups::Widest, PixelGroups::Four}) {
        for (std::size_t first = 0; first < std::size(extremes); ++first) {
            // Constant colours over the span, 1/w = 1: each pixel's channel is the value itself.
            for (int c = 0; c < 3; ++c) {
                const int attribute = attributeOf(channels[c]);
                setup.planes.atOrigin(attribute) = extremes[(first + c) % std::size(extremes)];
                setup.planes.dx(attribute) = 0.0f;
                setup.planes.dy(attribute) = 0.0f;
            }
            setup.planes.atOrigin(attributeInvW) = 1.0f;
            setup.planes.dx(attributeInvW) = 0.0f;
            setup.planes.dy(attributeInvW) = 0.0f;
            std::vector<std::uint32_t> colours(rowWidth, 0u);
            std::uint32_t expected = 0u;
            float unusedDepth = 0.0f;
            referencePixel(setup, state, nullptr, 5, row, expected, unusedDepth);
            shadeSpan(spanShaderFor(state, false, groups), context, {colours.data(), nullptr, rowWidth}, row,
                      0, 16);
            for (int x = 0; x < 16; ++x, ++checked)
                ASSERT_EQ(colours[x], expected) << "pixel " << x << ", values from " << first
                                                << (groups == PixelGroups::Four ? ", four at a time" : "");
        }
    }
    EXPECT_EQ(checked, 2 * 16 * static_cast<int>(std::size(extremes)));
}

// Without a depth buffer every pixel of the span is drawn, whatever the draw asks for.
TEST(FragmentStage, WithoutDepthBufferEveryPixelIsDrawn) {
    std::mt19937 random(7);
    const TriangleSetup setup = randomPlanes(random);
    DrawState state;
    state.depthTest = true;
    state.depthWrite = true;
    state.depthFunction = D3DCMP_NEVER;
    const SpanContext context{&setup, &state, nullptr};
    for (const PixelGroups groups : {PixelGroups::Widest, PixelGroups::Four}) {
        std::vector<std::uint32_t> colours(rowWidth, 0u);
        shadeSpan(spanShaderFor(state, false, groups), context, {colours.data(), nullptr, rowWidth}, row, 2,
                  13);
        for (int x = 0; x < rowWidth; ++x)
            EXPECT_EQ(colours[x] != 0u, x >= 2 && x < 13) << x;
    }
}

} // namespace
} // namespace bw::raster
