#pragma once
// The fragment stage's passes over a triangle's spans (see FragmentStage.h), written once
// for a group of any number of pixels L::lanes: FragmentStage.cpp builds them for
// four (SSE2, PixelQuad.h), FragmentStageAvx2.cpp for eight (AVX2, PixelOctet.h). All of
// it is templates on L, so that the two builds share no compiled function.

#include <cstddef>
#include <cstdint>

#include "scene3d/platform/raster/FragmentStage.h"

namespace bw::raster::passes {

template <class L> struct Colours { typename L::Floats r, g, b, a; };

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

// The depth test a pass runs: none (no test or no depth buffer), the usual one built in
// (less or equal, writing depth), or any other, read from the draw's state per group.
enum class DepthTest { None, LessEqualWrite, AsDrawn };

// The lanes where incoming passes the depth function against stored; unknown functions
// pass, as D3DCMP_ALWAYS does.
template <class L>
typename L::Floats depthPassesFor(std::uint32_t function, typename L::Floats incoming,
                                  typename L::Floats stored) {
    switch (function) {
    case D3DCMP_NEVER:
        return L::zero();
    case D3DCMP_LESS:
        return L::less(incoming, stored);
    case D3DCMP_EQUAL:
        return L::equal(incoming, stored);
    case D3DCMP_LESSEQUAL:
        return L::lessEqual(incoming, stored);
    case D3DCMP_GREATER:
        return L::greater(incoming, stored);
    case D3DCMP_NOTEQUAL:
        return L::notEqual(incoming, stored);
    case D3DCMP_GREATEREQUAL:
        return L::greaterEqual(incoming, stored);
    default:
        return L::all();
    }
}

// Tests the depth z of the group at column x against what is stored there, writing z
// where it passed if the draw writes depth; returns the bits of the pixels that passed,
// among those named by lanes. A whole group is every lane of the span; another reads and
// writes back only the touched pixels.
template <class L, DepthTest Test, bool WholeGroup>
int testGroupDepth(const DrawState& state, typename L::Floats z, float* depthRun, int x, int lanes,
                   int touched) {
    if constexpr (Test == DepthTest::None) {
        return lanes;
    } else {
        using Floats = typename L::Floats;
        float* const depthGroup = depthRun + x;
        const Floats stored = WholeGroup ? L::loadFloats(depthGroup) : L::loadFloats(depthGroup, touched);
        const bool write = Test == DepthTest::LessEqualWrite || state.depthWrite;
        const Floats passed = Test == DepthTest::LessEqualWrite
                                  ? L::lessEqual(z, stored)
                                  : depthPassesFor<L>(state.depthFunction, z, stored);
        const int bits = L::bitsOf(passed) & lanes;
        if constexpr (WholeGroup) {
            if (write) L::storeFloats(depthGroup, L::select(passed, z, stored));
        } else if (write && bits != 0) {
            L::storeFloats(depthGroup, L::select(L::asFloats(L::laneMask(bits)), z, stored), touched);
        }
        return bits;
    }
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

// The planes of the attributes a pass reads at one row, in registers: the set-up is read
// through pointers that the pass's stores might alias.
template <class L, int Count> struct RowPlanes {
    typename L::Floats at[Count]; // at the triangle's origin column
    typename L::Floats step[Count];

    typename L::Floats operator()(int index, typename L::Floats offsets) const {
        return L::add(at[index], L::mul(step[index], offsets));
    }
};

// The same planes for every row of a triangle, broadcast once.
template <class L, int Count> class TrianglePlanes {
public:
    explicit TrianglePlanes(const AttributePlanes& planes) {
        for (int i = 0; i < Count; ++i) {
            atOrigin_[i] = L::broadcast(planes.atOrigin(i));
            dy_[i] = L::broadcast(planes.dy(i));
            dx_[i] = L::broadcast(planes.dx(i));
        }
    }

    // rowOffset rows below the triangle's origin: atOrigin + dy rowOffset.
    RowPlanes<L, Count> atRow(int rowOffset) const {
        const typename L::Floats rows = L::broadcast(static_cast<float>(rowOffset));
        RowPlanes<L, Count> row;
        for (int i = 0; i < Count; ++i) {
            row.at[i] = L::add(atOrigin_[i], L::mul(dy_[i], rows));
            row.step[i] = dx_[i];
        }
        return row;
    }

private:
    typename L::Floats atOrigin_[Count];
    typename L::Floats dy_[Count];
    typename L::Floats dx_[Count];
};

// Where a span lies: its first pixel's column less the triangle's originX, and its pixels
// from the first up to the end of its row (reach).
struct SpanPlace {
    int firstOffset;
    int reach;
};

// Tests and shades pixels [0, count) of a span, group by group: each group's colours are
// worked out only where its depth test passed. Inline in the row loop, so that the row's
// planes stay in registers.
template <class L, DepthTest Test, bool Textured, bool Blended, bool Specular>
[[gnu::always_inline]] inline void
shadeRun(const SpanContext& context, const RowPlanes<L, attributesNeeded(Textured, Specular)>& planes,
         SpanPlace place, std::uint32_t* colourRun, float* depthRun, int count) {
    using Floats = typename L::Floats;
    using Ints = typename L::Ints;
    using fixedfunction::Varying;
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
    Floats offsets = L::columnOffsets(place.firstOffset);
    int x = 0;
    for (; x + L::lanes <= count; x += L::lanes, offsets = nextGroup<L>(offsets)) {
        const int bits = testGroupDepth<L, Test, true>(*context.state, planes(attributeDepth, offsets),
                                                       depthRun, x, allLanes, L::lanes);
        if (bits == 0) continue;
        if (!Blended && bits == allLanes) {
            L::storePixels(colourRun + x, shade(offsets, bits, Ints{}));
            continue;
        }
        const Ints stored = L::loadPixels(colourRun + x);
        L::storePixels(colourRun + x, L::select(L::laneMask(bits), shade(offsets, bits, stored), stored));
    }
    if (x == count) return;
    const int touched = touchedPixels<L>(count - x, place.reach, x);
    const int bits = testGroupDepth<L, Test, false>(*context.state, planes(attributeDepth, offsets), depthRun,
                                                    x, firstLanes<L>(count - x), touched);
    if (bits != 0) {
        const Ints stored = L::loadPixels(colourRun + x, touched);
        L::storePixels(colourRun + x, L::select(L::laneMask(bits), shade(offsets, bits, stored), stored),
                       touched);
    }
}

// The spans of a triangle's rows, one after the other.
template <class L, DepthTest Test, bool Textured, bool Blended, bool Specular>
void shadeRows(const SpanContext& context, const SpanRows& rows) {
    const TriangleSetup& setup = *context.setup;
    const TrianglePlanes<L, attributesNeeded(Textured, Specular)> planes(setup.planes);
    for (int r = 0; r < rows.rowCount; ++r) {
        const Span span = rows.spans[r];
        if (span.begin >= span.end) continue;
        const std::ptrdiff_t rowStart = static_cast<std::ptrdiff_t>(r) * rows.rowWidth + span.begin;
        float* const depthRun = Test == DepthTest::None ? nullptr : rows.depthRow + rowStart;
        shadeRun<L, Test, Textured, Blended, Specular>(
            context, planes.atRow(rows.firstRow + r - setup.originY),
            {span.begin - setup.originX, rows.rowWidth - span.begin}, rows.colourRow + rowStart, depthRun,
            span.end - span.begin);
    }
}

// The pass for the draw's features; WithTextures false makes textured draws unavailable
// (nullptr), for builds that leave them to another.
template <class L, DepthTest Test, bool WithTextures>
SpanShader shaderFor(bool textured, bool blended, bool specular) {
    if (textured) {
        if constexpr (WithTextures) {
            if (blended)
                return specular ? &shadeRows<L, Test, true, true, true>
                                : &shadeRows<L, Test, true, true, false>;
            return specular ? &shadeRows<L, Test, true, false, true>
                            : &shadeRows<L, Test, true, false, false>;
        }
        return nullptr;
    }
    if (blended)
        return specular ? &shadeRows<L, Test, false, true, true> : &shadeRows<L, Test, false, true, false>;
    return specular ? &shadeRows<L, Test, false, false, true> : &shadeRows<L, Test, false, false, false>;
}

template <class L, bool WithTextures> SpanShader shaderFor(const DrawState& state, bool depthTest) {
    const bool textured = state.texture != nullptr;
    if (!depthTest) return shaderFor<L, DepthTest::None, WithTextures>(textured, state.blend, state.specular);
    if (state.depthFunction == D3DCMP_LESSEQUAL && state.depthWrite)
        return shaderFor<L, DepthTest::LessEqualWrite, WithTextures>(textured, state.blend, state.specular);
    return shaderFor<L, DepthTest::AsDrawn, WithTextures>(textured, state.blend, state.specular);
}

} // namespace bw::raster::passes
