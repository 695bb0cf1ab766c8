#pragma once
// The fragment stage's two passes over a run of a span (see FragmentStage.h), written
// once for a group of any number of pixels L::lanes: FragmentStage.cpp builds them for
// four (SSE2, PixelQuad.h), FragmentStageAvx2.cpp for eight (AVX2, PixelOctet.h). All of
// it is templates on L, so that the two builds share no compiled function.

#include <cstdint>

#include "scene3d/platform/raster/FragmentStage.h"

namespace bw::raster::passes {

template <class L> struct Colours { typename L::Floats r, g, b, a; };

// Unknown functions pass, as D3DCMP_ALWAYS does.
template <class L, std::uint32_t Function>
typename L::Floats depthPasses(typename L::Floats incoming, typename L::Floats stored) {
    if constexpr (Function == D3DCMP_NEVER)
        return L::zero();
    else if constexpr (Function == D3DCMP_LESS)
        return L::less(incoming, stored);
    else if constexpr (Function == D3DCMP_EQUAL)
        return L::equal(incoming, stored);
    else if constexpr (Function == D3DCMP_LESSEQUAL)
        return L::lessEqual(incoming, stored);
    else if constexpr (Function == D3DCMP_GREATER)
        return L::greater(incoming, stored);
    else if constexpr (Function == D3DCMP_NOTEQUAL)
        return L::notEqual(incoming, stored);
    else if constexpr (Function == D3DCMP_GREATEREQUAL)
        return L::greaterEqual(incoming, stored);
    else
        return L::all();
}

// Bits of the first count lanes.
template <class L> constexpr int firstLanes(int count) {
    return count >= L::lanes ? (1 << L::lanes) - 1 : (1 << count) - 1;
}

// Pixels from x that a group may read and write back: its own, and further pixels of the
// row up to a whole group (this thread's too), but none past the row.
template <class L> int touchedPixels(int pixels, int reach, int x) {
    const int rest = reach - x;
    const int upToGroup = rest < L::lanes ? rest : L::lanes;
    return upToGroup > pixels ? upToGroup : pixels;
}

// Column offsets of the next group: exact, the offsets being small whole numbers.
template <class L> typename L::Floats nextGroup(typename L::Floats offsets) {
    return L::add(offsets, L::broadcast(static_cast<float>(L::lanes)));
}

template <class L, std::uint32_t Function, bool Write>
bool testDepth(const SpanRow& row, float* depthRun, int count, GroupMasks masks) {
    using Floats = typename L::Floats;
    const Floats atColumn0 = L::broadcast(row.at[attributeDepth]);
    const Floats step = L::broadcast(row.step[attributeDepth]);
    Floats offsets = L::columnOffsets(row.firstOffset);
    int any = 0;
    int group = 0;
    int x = 0;
    // Whole groups first: every lane is a pixel of the span.
    for (; x + L::lanes <= count; x += L::lanes, ++group, offsets = nextGroup<L>(offsets)) {
        const Floats z = L::add(atColumn0, L::mul(step, offsets));
        const Floats stored = L::loadFloats(depthRun + x);
        const Floats passed = depthPasses<L, Function>(z, stored);
        const int bits = L::bitsOf(passed);
        masks[group] = static_cast<std::uint8_t>(bits);
        any |= bits;
        if constexpr (Write) L::storeFloats(depthRun + x, L::select(passed, z, stored));
    }
    if (x < count) {
        const int pixels = count - x;
        const int touched = touchedPixels<L>(pixels, row.reach, x);
        const Floats z = L::add(atColumn0, L::mul(step, offsets));
        const Floats stored = L::loadFloats(depthRun + x, touched);
        const int bits = L::bitsOf(depthPasses<L, Function>(z, stored)) & firstLanes<L>(pixels);
        masks[group] = static_cast<std::uint8_t>(bits);
        any |= bits;
        if (Write && bits != 0)
            L::storeFloats(depthRun + x, L::select(L::asFloats(L::laneMask(bits)), z, stored), touched);
    }
    return any != 0;
}

// No depth test (or no depth buffer): every pixel of the run passes.
template <class L> bool passAll(const SpanRow&, float*, int count, GroupMasks masks) {
    for (int group = 0, x = 0; x < count; ++group, x += L::lanes)
        masks[group] = static_cast<std::uint8_t>(firstLanes<L>(count - x));
    return count > 0;
}

template <class L>
Colours<L> blendFactor(std::uint32_t mode, const Colours<L>& source, const Colours<L>& destination) {
    using Floats = typename L::Floats;
    const Floats one = L::broadcast(1.0f);
    const auto inverse = [&](const Colours<L>& c) {
        return Colours<L>{L::sub(one, c.r), L::sub(one, c.g), L::sub(one, c.b), L::sub(one, c.a)};
    };
    switch (mode) {
    case D3DBLEND_ZERO:
        return {L::zero(), L::zero(), L::zero(), L::zero()};
    case D3DBLEND_SRCCOLOR:
        return source;
    case D3DBLEND_INVSRCCOLOR:
        return inverse(source);
    case D3DBLEND_SRCALPHA:
        return {source.a, source.a, source.a, source.a};
    case D3DBLEND_INVSRCALPHA: {
        const Floats f = L::sub(one, source.a);
        return {f, f, f, f};
    }
    case D3DBLEND_DESTALPHA:
        return {destination.a, destination.a, destination.a, destination.a};
    case D3DBLEND_INVDESTALPHA: {
        const Floats f = L::sub(one, destination.a);
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

template <class L>
Colours<L> blend(const DrawState& state, const Colours<L>& source, typename L::Ints stored) {
    const Colours<L> destination{L::template unpackChannel<16>(stored), L::template unpackChannel<8>(stored),
                                 L::template unpackChannel<0>(stored), L::template unpackChannel<24>(stored)};
    const Colours<L> s = blendFactor<L>(state.sourceBlend, source, destination);
    const Colours<L> d = blendFactor<L>(state.destinationBlend, source, destination);
    const auto mix = [](auto a, auto fa, auto b, auto fb) { return L::add(L::mul(a, fa), L::mul(b, fb)); };
    return {mix(source.r, s.r, destination.r, d.r), mix(source.g, s.g, destination.g, d.g),
            mix(source.b, s.b, destination.b, d.b), L::broadcast(1.0f)};
}

// The texels at the lanes named by bits; other lanes stay 0.
template <class L>
Colours<L> sampleTexture(const Sampler& sampler, typename L::Floats u, typename L::Floats v, int bits) {
    float us[L::lanes], vs[L::lanes];
    L::toArray(us, u);
    L::toArray(vs, v);
    float r[L::lanes] = {}, g[L::lanes] = {}, b[L::lanes] = {}, a[L::lanes] = {};
    for (int lane = 0; lane < L::lanes; ++lane) {
        if (!(bits & (1 << lane))) continue;
        const SampledColour texel = sampler.sample(us[lane], vs[lane]);
        r[lane] = texel.r;
        g[lane] = texel.g;
        b[lane] = texel.b;
        a[lane] = texel.a;
    }
    return {L::fromArray(r), L::fromArray(g), L::fromArray(b), L::fromArray(a)};
}

// The planes of the attributes a pass reads, in registers: the span row is read through
// pointers that the pass's stores might alias.
template <class L, int Count> struct RowPlanes {
    typename L::Floats at[Count];
    typename L::Floats step[Count];

    explicit RowPlanes(const SpanRow& row) {
        for (int i = 0; i < Count; ++i) {
            at[i] = L::broadcast(row.at[i]);
            step[i] = L::broadcast(row.step[i]);
        }
    }
    typename L::Floats operator()(int index, typename L::Floats offsets) const {
        return L::add(at[index], L::mul(step[index], offsets));
    }
};

template <class L, bool Textured, bool Blended, bool Specular>
void shadeColours(const SpanContext& context, const SpanRow& row, std::uint32_t* colourRun, int count,
                  const std::uint8_t* masks) {
    using Floats = typename L::Floats;
    using Ints = typename L::Ints;
    using fixedfunction::Varying;
    const RowPlanes<L, attributesNeeded(Textured, Specular)> planes(row);
    // The pixels of one group; stored is what they hold now (read only when blending).
    const auto shade = [&](Floats offsets, int bits, Ints stored) {
        const Floats w = L::div(L::broadcast(1.0f), planes(attributeInvW, offsets));
        const auto varying = [&](Varying v) { return L::mul(planes(attributeOf(v), offsets), w); };
        Colours<L> colour{varying(fixedfunction::varyingRed), varying(fixedfunction::varyingGreen),
                          varying(fixedfunction::varyingBlue), varying(fixedfunction::varyingAlpha)};
        if constexpr (Textured) {
            const Colours<L> texel = sampleTexture<L>(*context.sampler, varying(fixedfunction::varyingU),
                                                      varying(fixedfunction::varyingV), bits);
            colour = {L::mul(L::saturate(colour.r), texel.r), L::mul(L::saturate(colour.g), texel.g),
                      L::mul(L::saturate(colour.b), texel.b), texel.a};
        }
        if constexpr (Specular) {
            colour.r = L::add(L::saturate(colour.r), varying(fixedfunction::varyingSpecularRed));
            colour.g = L::add(L::saturate(colour.g), varying(fixedfunction::varyingSpecularGreen));
            colour.b = L::add(L::saturate(colour.b), varying(fixedfunction::varyingSpecularBlue));
        }
        if constexpr (Blended) {
            colour = {L::saturate(colour.r), L::saturate(colour.g), L::saturate(colour.b),
                      L::saturate(colour.a)};
            colour = blend<L>(*context.state, colour, stored);
        }
        return L::pack(colour.r, colour.g, colour.b);
    };

    constexpr int allLanes = (1 << L::lanes) - 1;
    Floats offsets = L::columnOffsets(row.firstOffset);
    int group = 0;
    int x = 0;
    for (; x + L::lanes <= count; x += L::lanes, ++group, offsets = nextGroup<L>(offsets)) {
        const int bits = masks[group];
        if (bits == 0) continue;
        if (!Blended && bits == allLanes) {
            L::storePixels(colourRun + x, shade(offsets, bits, Ints{}));
            continue;
        }
        const Ints stored = L::loadPixels(colourRun + x);
        L::storePixels(colourRun + x, L::select(L::laneMask(bits), shade(offsets, bits, stored), stored));
    }
    if (x < count && masks[group] != 0) {
        const int bits = masks[group];
        const int touched = touchedPixels<L>(count - x, row.reach, x);
        const Ints stored = L::loadPixels(colourRun + x, touched);
        L::storePixels(colourRun + x, L::select(L::laneMask(bits), shade(offsets, bits, stored), stored),
                       touched);
    }
}

template <class L, std::uint32_t Function> DepthPass depthPassFor(bool write) {
    return write ? &testDepth<L, Function, true> : &testDepth<L, Function, false>;
}

// The depth pass for a depth test, or for none (no test or no depth buffer).
template <class L> DepthPass depthPassFor(bool test, std::uint32_t function, bool write) {
    if (!test) return &passAll<L>;
    switch (function) {
    case D3DCMP_NEVER:
        return depthPassFor<L, D3DCMP_NEVER>(write);
    case D3DCMP_LESS:
        return depthPassFor<L, D3DCMP_LESS>(write);
    case D3DCMP_EQUAL:
        return depthPassFor<L, D3DCMP_EQUAL>(write);
    case D3DCMP_LESSEQUAL:
        return depthPassFor<L, D3DCMP_LESSEQUAL>(write);
    case D3DCMP_GREATER:
        return depthPassFor<L, D3DCMP_GREATER>(write);
    case D3DCMP_NOTEQUAL:
        return depthPassFor<L, D3DCMP_NOTEQUAL>(write);
    case D3DCMP_GREATEREQUAL:
        return depthPassFor<L, D3DCMP_GREATEREQUAL>(write);
    default:
        return depthPassFor<L, D3DCMP_ALWAYS>(write);
    }
}

// The colour pass for the draw's features; Textured false makes textured draws
// unavailable (nullptr), for builds that leave them to another.
template <class L, bool WithTextures> ColourPass colourPassFor(bool textured, bool blended, bool specular) {
    if (textured) {
        if constexpr (WithTextures) {
            if (blended)
                return specular ? &shadeColours<L, true, true, true> : &shadeColours<L, true, true, false>;
            return specular ? &shadeColours<L, true, false, true> : &shadeColours<L, true, false, false>;
        }
        return nullptr;
    }
    if (blended) return specular ? &shadeColours<L, false, true, true> : &shadeColours<L, false, true, false>;
    return specular ? &shadeColours<L, false, false, true> : &shadeColours<L, false, false, false>;
}

} // namespace bw::raster::passes
