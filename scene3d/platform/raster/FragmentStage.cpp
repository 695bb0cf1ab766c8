#include "scene3d/platform/raster/FragmentStage.h"

namespace bw::raster {

using namespace fixedfunction;

namespace {

struct Rgba {
    float r, g, b, a;
};

// Clamps to [0, 1]; NaN becomes 0.
inline float saturate(float c) { return c > 0.0f ? (c < 1.0f ? c : 1.0f) : 0.0f; }

// Non-negative after saturation, where adding a half rounds as lround would, without a call per channel.
inline std::uint32_t toByte(float c) {
    return static_cast<std::uint32_t>(saturate(c) * 255.0f + 0.5f); // NOLINT(bugprone-incorrect-roundings)
}

inline std::uint32_t pack(const Rgba& c) {
    return 0xFF000000u | (toByte(c.r) << 16) | (toByte(c.g) << 8) | toByte(c.b);
}

inline Rgba unpack(std::uint32_t argb) {
    constexpr float toUnit = 1.0f / 255.0f;
    return {static_cast<float>((argb >> 16) & 0xFF) * toUnit, static_cast<float>((argb >> 8) & 0xFF) * toUnit,
            static_cast<float>(argb & 0xFF) * toUnit, static_cast<float>(argb >> 24) * toUnit};
}

inline bool depthPasses(std::uint32_t function, float incoming, float stored) {
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

inline Rgba blendFactor(std::uint32_t mode, const Rgba& source, const Rgba& destination) {
    switch (mode) {
    case D3DBLEND_ZERO:
        return {0.0f, 0.0f, 0.0f, 0.0f};
    case D3DBLEND_SRCCOLOR:
        return source;
    case D3DBLEND_INVSRCCOLOR:
        return {1.0f - source.r, 1.0f - source.g, 1.0f - source.b, 1.0f - source.a};
    case D3DBLEND_SRCALPHA:
        return {source.a, source.a, source.a, source.a};
    case D3DBLEND_INVSRCALPHA:
        return {1.0f - source.a, 1.0f - source.a, 1.0f - source.a, 1.0f - source.a};
    case D3DBLEND_DESTALPHA:
        return {destination.a, destination.a, destination.a, destination.a};
    case D3DBLEND_INVDESTALPHA:
        return {1.0f - destination.a, 1.0f - destination.a, 1.0f - destination.a, 1.0f - destination.a};
    case D3DBLEND_DESTCOLOR:
        return destination;
    case D3DBLEND_INVDESTCOLOR:
        return {1.0f - destination.r, 1.0f - destination.g, 1.0f - destination.b, 1.0f - destination.a};
    default: // D3DBLEND_ONE
        return {1.0f, 1.0f, 1.0f, 1.0f};
    }
}

inline Rgba blend(const DrawState& state, const Rgba& source, std::uint32_t stored) {
    const Rgba destination = unpack(stored);
    const Rgba s = blendFactor(state.sourceBlend, source, destination);
    const Rgba d = blendFactor(state.destinationBlend, source, destination);
    return {source.r * s.r + destination.r * d.r, source.g * s.g + destination.g * d.g,
            source.b * s.b + destination.b * d.b, 1.0f};
}

template <bool Textured, bool Blended, bool Specular>
void shadeSpan(const SpanContext& context, const SpanTarget& target, int y, int xBegin, int xEnd) {
    const AttributePlanes& planes = context.setup->planes;
    const DrawState& state = *context.state;
    const float dy = static_cast<float>(y - context.setup->originY);

    // Attribute values at the row's origin column.
    constexpr int used = attributesNeeded(Textured, Specular);
    float row[used];
    for (int i = 0; i < used; ++i)
        row[i] = planes.atOrigin[i] + planes.dy[i] * dy;
    const bool depthTest = state.depthTest && target.depthRow;
    const bool depthWrite = state.depthWrite && target.depthRow;

    for (int x = xBegin; x < xEnd; ++x) {
        const float dx = static_cast<float>(x - context.setup->originX);
        auto at = [&](int i) { return row[i] + planes.dx[i] * dx; };
        const float z = at(attributeDepth);
        if (depthTest && !depthPasses(state.depthFunction, z, target.depthRow[x])) continue;

        const float w = 1.0f / at(attributeInvW);
        auto varying = [&](int v) { return at(attributeVaryings + v) * w; };
        Rgba colour{varying(varyingRed), varying(varyingGreen), varying(varyingBlue), varying(varyingAlpha)};
        if constexpr (Textured) {
            const SampledColour texel = context.sampler->sample(varying(varyingU), varying(varyingV));
            colour = {saturate(colour.r) * texel.r, saturate(colour.g) * texel.g,
                      saturate(colour.b) * texel.b, texel.a};
        }
        if constexpr (Specular) {
            colour.r = saturate(colour.r) + varying(varyingSpecularRed);
            colour.g = saturate(colour.g) + varying(varyingSpecularGreen);
            colour.b = saturate(colour.b) + varying(varyingSpecularBlue);
        }
        if constexpr (Blended) {
            colour = {saturate(colour.r), saturate(colour.g), saturate(colour.b), saturate(colour.a)};
            colour = blend(state, colour, target.colourRow[x]);
        }
        target.colourRow[x] = pack(colour);
        if (depthWrite) target.depthRow[x] = z;
    }
}

template <bool Textured, bool Blended, bool Specular> constexpr SpanShader shader() {
    return &shadeSpan<Textured, Blended, Specular>;
}

// Indexed by textured * 4 + blended * 2 + specular.
constexpr SpanShader spanShaders[8] = {
    shader<false, false, false>(), shader<false, false, true>(), shader<false, true, false>(),
    shader<false, true, true>(),   shader<true, false, false>(), shader<true, false, true>(),
    shader<true, true, false>(),   shader<true, true, true>(),
};

} // namespace

SpanShader spanShaderFor(const DrawState& state) {
    const int index = (state.texture ? 4 : 0) + (state.blend ? 2 : 0) + (state.specular ? 1 : 0);
    return spanShaders[index];
}

} // namespace bw::raster
