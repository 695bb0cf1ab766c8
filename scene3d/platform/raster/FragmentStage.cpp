#include "scene3d/platform/raster/FragmentStage.h"

#include <algorithm>

#include "scene3d/platform/raster/PixelQuad.h"

namespace bw::raster {

using namespace fixedfunction;
using namespace quad;

namespace {

// Pixels per run of a span: the masks of a run live on the stack.
constexpr int groupsPerRun = 64;
constexpr int pixelsPerRun = groupsPerRun * lanes;

struct Colours {
    Floats r, g, b, a;
};

// The planes of the attributes a pass reads, in registers: the span row is read through
// pointers that the pass's stores might alias.
template <int Count> struct RowPlanes {
    Floats at[Count];
    Floats step[Count];

    explicit RowPlanes(const SpanRow& row) {
        for (int i = 0; i < Count; ++i) {
            at[i] = broadcast(row.at[i]);
            step[i] = broadcast(row.step[i]);
        }
    }
    Floats operator()(int index, Floats offsets) const { return onPlane(at[index], step[index], offsets); }
};

// Unknown functions pass, as D3DCMP_ALWAYS does.
template <std::uint32_t Function> Floats depthPasses(Floats incoming, Floats stored) {
    if constexpr (Function == D3DCMP_NEVER) return _mm_setzero_ps();
    else if constexpr (Function == D3DCMP_LESS) return _mm_cmplt_ps(incoming, stored);
    else if constexpr (Function == D3DCMP_EQUAL) return _mm_cmpeq_ps(incoming, stored);
    else if constexpr (Function == D3DCMP_LESSEQUAL) return _mm_cmple_ps(incoming, stored);
    else if constexpr (Function == D3DCMP_GREATER) return _mm_cmpgt_ps(incoming, stored);
    else if constexpr (Function == D3DCMP_NOTEQUAL) return _mm_cmpneq_ps(incoming, stored);
    else if constexpr (Function == D3DCMP_GREATEREQUAL) return _mm_cmpge_ps(incoming, stored);
    else return _mm_castsi128_ps(_mm_set1_epi32(-1));
}

// Column offsets of the next group: exact, the offsets being small whole numbers.
inline Floats nextGroup(Floats offsets) { return _mm_add_ps(offsets, broadcast(static_cast<float>(lanes))); }

template <std::uint32_t Function, bool Write>
bool testDepth(const SpanRow& row, float* depthRun, int count, GroupMasks masks) {
    const Floats atColumn0 = broadcast(row.at[attributeDepth]);
    const Floats step = broadcast(row.step[attributeDepth]);
    Floats offsets = columnOffsets(row.firstOffset);
    int any = 0;
    int group = 0;
    int x = 0;
    // Whole groups first: every lane is a pixel of the span.
    for (; x + lanes <= count; x += lanes, ++group, offsets = nextGroup(offsets)) {
        const Floats z = onPlane(atColumn0, step, offsets);
        const Floats stored = _mm_loadu_ps(depthRun + x);
        const Floats passed = depthPasses<Function>(z, stored);
        const int bits = _mm_movemask_ps(passed);
        masks[group] = static_cast<std::uint8_t>(bits);
        any |= bits;
        if constexpr (Write) _mm_storeu_ps(depthRun + x, select(passed, z, stored));
    }
    if (x < count) {
        const int pixels = count - x;
        const int touched = std::max(pixels, std::min(lanes, row.reach - x));
        const Floats z = onPlane(atColumn0, step, offsets);
        const Floats stored = loadFloats(depthRun + x, touched);
        const int bits = _mm_movemask_ps(depthPasses<Function>(z, stored)) & firstLanes(pixels);
        masks[group] = static_cast<std::uint8_t>(bits);
        any |= bits;
        if (Write && bits != 0)
            storeFloats(depthRun + x, select(_mm_castsi128_ps(laneMask(bits)), z, stored), touched);
    }
    return any != 0;
}

// No depth test (or no depth buffer): every pixel of the run passes.
bool passAll(const SpanRow&, float*, int count, GroupMasks masks) {
    for (int group = 0, x = 0; x < count; ++group, x += lanes)
        masks[group] = static_cast<std::uint8_t>(firstLanes(count - x));
    return count > 0;
}

Colours blendFactor(std::uint32_t mode, const Colours& source, const Colours& destination) {
    const Floats one = broadcast(1.0f);
    const auto inverse = [&](const Colours& c) {
        return Colours{_mm_sub_ps(one, c.r), _mm_sub_ps(one, c.g), _mm_sub_ps(one, c.b), _mm_sub_ps(one, c.a)};
    };
    switch (mode) {
    case D3DBLEND_ZERO: {
        const Floats zero = _mm_setzero_ps();
        return {zero, zero, zero, zero};
    }
    case D3DBLEND_SRCCOLOR:
        return source;
    case D3DBLEND_INVSRCCOLOR:
        return inverse(source);
    case D3DBLEND_SRCALPHA:
        return {source.a, source.a, source.a, source.a};
    case D3DBLEND_INVSRCALPHA: {
        const Floats f = _mm_sub_ps(one, source.a);
        return {f, f, f, f};
    }
    case D3DBLEND_DESTALPHA:
        return {destination.a, destination.a, destination.a, destination.a};
    case D3DBLEND_INVDESTALPHA: {
        const Floats f = _mm_sub_ps(one, destination.a);
        return {f, f, f, f};
    }
    case D3DBLEND_DESTCOLOR:
        return destination;
    case D3DBLEND_INVDESTCOLOR:
        return inverse(destination);
    default: // D3DBLEND_ONE
        return {one, one, one, one};
    }
}

Colours blend(const DrawState& state, const Colours& source, Ints stored) {
    const Colours destination{unpackChannel<16>(stored), unpackChannel<8>(stored), unpackChannel<0>(stored),
                              unpackChannel<24>(stored)};
    const Colours s = blendFactor(state.sourceBlend, source, destination);
    const Colours d = blendFactor(state.destinationBlend, source, destination);
    const auto mix = [](Floats a, Floats fa, Floats b, Floats fb) {
        return _mm_add_ps(_mm_mul_ps(a, fa), _mm_mul_ps(b, fb));
    };
    return {mix(source.r, s.r, destination.r, d.r), mix(source.g, s.g, destination.g, d.g),
            mix(source.b, s.b, destination.b, d.b), broadcast(1.0f)};
}

// The texels at the lanes named by bits; other lanes stay 0.
Colours sampleTexture(const Sampler& sampler, Floats u, Floats v, int bits) {
    alignas(16) float us[lanes], vs[lanes];
    _mm_store_ps(us, u);
    _mm_store_ps(vs, v);
    alignas(16) float r[lanes] = {}, g[lanes] = {}, b[lanes] = {}, a[lanes] = {};
    for (int lane = 0; lane < lanes; ++lane) {
        if (!(bits & (1 << lane))) continue;
        const SampledColour texel = sampler.sample(us[lane], vs[lane]);
        r[lane] = texel.r;
        g[lane] = texel.g;
        b[lane] = texel.b;
        a[lane] = texel.a;
    }
    return {_mm_load_ps(r), _mm_load_ps(g), _mm_load_ps(b), _mm_load_ps(a)};
}

template <bool Textured, bool Blended, bool Specular>
void shadeColours(const SpanContext& context, const SpanRow& row, std::uint32_t* colourRun, int count,
                  const std::uint8_t* masks) {
    const RowPlanes<attributesNeeded(Textured, Specular)> planes(row);
    // The pixels of one group; stored is what they hold now (read only when blending).
    const auto shade = [&](Floats offsets, int bits, Ints stored) {
        const Floats w = _mm_div_ps(broadcast(1.0f), planes(attributeInvW, offsets));
        const auto varying = [&](Varying v) { return _mm_mul_ps(planes(attributeOf(v), offsets), w); };
        Colours colour{varying(varyingRed), varying(varyingGreen), varying(varyingBlue), varying(varyingAlpha)};
        if constexpr (Textured) {
            const Colours texel = sampleTexture(*context.sampler, varying(varyingU), varying(varyingV), bits);
            colour = {_mm_mul_ps(saturate(colour.r), texel.r), _mm_mul_ps(saturate(colour.g), texel.g),
                      _mm_mul_ps(saturate(colour.b), texel.b), texel.a};
        }
        if constexpr (Specular) {
            colour.r = _mm_add_ps(saturate(colour.r), varying(varyingSpecularRed));
            colour.g = _mm_add_ps(saturate(colour.g), varying(varyingSpecularGreen));
            colour.b = _mm_add_ps(saturate(colour.b), varying(varyingSpecularBlue));
        }
        if constexpr (Blended) {
            colour = {saturate(colour.r), saturate(colour.g), saturate(colour.b), saturate(colour.a)};
            colour = blend(*context.state, colour, stored);
        }
        return pack(colour.r, colour.g, colour.b);
    };

    Floats offsets = columnOffsets(row.firstOffset);
    int group = 0;
    int x = 0;
    for (; x + lanes <= count; x += lanes, ++group, offsets = nextGroup(offsets)) {
        const int bits = masks[group];
        if (bits == 0) continue;
        if (!Blended && bits == 0xF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(colourRun + x), shade(offsets, bits, Ints{}));
            continue;
        }
        const Ints stored = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colourRun + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colourRun + x),
                         select(laneMask(bits), shade(offsets, bits, stored), stored));
    }
    if (x < count && masks[group] != 0) {
        const int bits = masks[group];
        const int touched = std::max(count - x, std::min(lanes, row.reach - x));
        const Ints stored = loadPixels(colourRun + x, touched);
        storePixels(colourRun + x, select(laneMask(bits), shade(offsets, bits, stored), stored), touched);
    }
}

template <std::uint32_t Function> DepthPass depthPassFor(bool write) {
    return write ? &testDepth<Function, true> : &testDepth<Function, false>;
}

DepthPass depthPassFor(std::uint32_t function, bool write) {
    switch (function) {
    case D3DCMP_NEVER:
        return depthPassFor<D3DCMP_NEVER>(write);
    case D3DCMP_LESS:
        return depthPassFor<D3DCMP_LESS>(write);
    case D3DCMP_EQUAL:
        return depthPassFor<D3DCMP_EQUAL>(write);
    case D3DCMP_LESSEQUAL:
        return depthPassFor<D3DCMP_LESSEQUAL>(write);
    case D3DCMP_GREATER:
        return depthPassFor<D3DCMP_GREATER>(write);
    case D3DCMP_NOTEQUAL:
        return depthPassFor<D3DCMP_NOTEQUAL>(write);
    case D3DCMP_GREATEREQUAL:
        return depthPassFor<D3DCMP_GREATEREQUAL>(write);
    default:
        return depthPassFor<D3DCMP_ALWAYS>(write);
    }
}

template <bool Textured, bool Blended, bool Specular> constexpr ColourPass colourPass() {
    return &shadeColours<Textured, Blended, Specular>;
}

// Indexed by textured * 4 + blended * 2 + specular.
constexpr ColourPass colourPasses[8] = {
    colourPass<false, false, false>(), colourPass<false, false, true>(), colourPass<false, true, false>(),
    colourPass<false, true, true>(),   colourPass<true, false, false>(), colourPass<true, false, true>(),
    colourPass<true, true, false>(),   colourPass<true, true, true>(),
};

} // namespace

SpanShader spanShaderFor(const DrawState& state, bool hasDepthBuffer) {
    SpanShader shader;
    shader.depth = state.depthTest && hasDepthBuffer ? depthPassFor(state.depthFunction, state.depthWrite)
                                                     : &passAll;
    shader.colour = colourPasses[(state.texture ? 4 : 0) + (state.blend ? 2 : 0) + (state.specular ? 1 : 0)];
    return shader;
}

void shadeSpan(const SpanShader& shader, const SpanContext& context, const SpanTarget& target, int y, int xBegin,
               int xEnd) {
    const TriangleSetup& setup = *context.setup;
    const AttributePlanes& planes = setup.planes;
    const float dy = static_cast<float>(y - setup.originY);
    const int used = attributesNeeded(context.state->texture != nullptr, context.state->specular);
    SpanRow row;
    for (int i = 0; i < used; ++i) {
        row.at[i] = planes.atOrigin[i] + planes.dy[i] * dy;
        row.step[i] = planes.dx[i];
    }

    std::uint8_t masks[groupsPerRun];
    for (int x = xBegin; x < xEnd; x += pixelsPerRun) {
        const int count = std::min(pixelsPerRun, xEnd - x);
        row.firstOffset = x - setup.originX;
        row.reach = target.rowWidth - x;
        float* depthRun = target.depthRow ? target.depthRow + x : nullptr;
        if (shader.depth(row, depthRun, count, masks)) shader.colour(context, row, target.colourRow + x, count, masks);
    }
}

} // namespace bw::raster
