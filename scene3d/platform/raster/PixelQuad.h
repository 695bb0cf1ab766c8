#pragma once
// Four neighbouring pixels of a row at once, in SSE2 registers (which every x86-64 has),
// for the fragment passes (FragmentPasses.h). Each operation gives in every lane exactly
// what the scalar formula gives for one pixel: no fused multiply-add, no approximate
// reciprocal.

#include <emmintrin.h>

#include <cstdint>

namespace bw::raster {

struct Quad {
    using Floats = __m128;
    using Ints = __m128i;

    static constexpr int lanes = 4;

    static Floats broadcast(float value) { return _mm_set1_ps(value); }
    static Floats zero() { return _mm_setzero_ps(); }
    static Floats add(Floats a, Floats b) { return _mm_add_ps(a, b); }
    static Floats sub(Floats a, Floats b) { return _mm_sub_ps(a, b); }
    static Floats mul(Floats a, Floats b) { return _mm_mul_ps(a, b); }
    static Floats div(Floats a, Floats b) { return _mm_div_ps(a, b); }

    // Comparisons give all bits set where they hold; NaN compares false except in notEqual.
    static Floats less(Floats a, Floats b) { return _mm_cmplt_ps(a, b); }
    static Floats lessEqual(Floats a, Floats b) { return _mm_cmple_ps(a, b); }
    static Floats equal(Floats a, Floats b) { return _mm_cmpeq_ps(a, b); }
    static Floats notEqual(Floats a, Floats b) { return _mm_cmpneq_ps(a, b); }
    static Floats greater(Floats a, Floats b) { return _mm_cmpgt_ps(a, b); }
    static Floats greaterEqual(Floats a, Floats b) { return _mm_cmpge_ps(a, b); }
    static Floats all() { return _mm_castsi128_ps(_mm_set1_epi32(-1)); }
    static int bitsOf(Floats mask) { return _mm_movemask_ps(mask); }

    // The lanes named by the low bits of laneBits, all bits set.
    static Ints laneMask(int laneBits) {
        const Ints bits = _mm_setr_epi32(1, 2, 4, 8);
        return _mm_cmpeq_epi32(_mm_and_si128(_mm_set1_epi32(laneBits), bits), bits);
    }
    static Floats asFloats(Ints v) { return _mm_castsi128_ps(v); }

    // column - originX of the pixels from column, as the scalar code converts it.
    static Floats columnOffsets(int firstOffset) {
        return _mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(firstOffset), _mm_setr_epi32(0, 1, 2, 3)));
    }

    static Floats loadFloats(const float* p) { return _mm_loadu_ps(p); }
    static void storeFloats(float* p, Floats v) { _mm_storeu_ps(p, v); }
    static Ints loadPixels(const std::uint32_t* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static void storePixels(std::uint32_t* p, Ints v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

    // Partial groups read and write only their own count pixels: the rest of the row (or
    // the next row) may be another thread's.
    static Floats loadFloats(const float* p, int count) {
        if (count == lanes) return loadFloats(p);
        alignas(16) float values[lanes] = {};
        for (int i = 0; i < count; ++i)
            values[i] = p[i];
        return _mm_load_ps(values);
    }
    static void storeFloats(float* p, Floats v, int count) {
        if (count == lanes) return storeFloats(p, v);
        alignas(16) float values[lanes];
        _mm_store_ps(values, v);
        for (int i = 0; i < count; ++i)
            p[i] = values[i];
    }
    static Ints loadPixels(const std::uint32_t* p, int count) {
        if (count == lanes) return loadPixels(p);
        alignas(16) std::uint32_t values[lanes] = {};
        for (int i = 0; i < count; ++i)
            values[i] = p[i];
        return _mm_load_si128(reinterpret_cast<const __m128i*>(values));
    }
    static void storePixels(std::uint32_t* p, Ints v, int count) {
        if (count == lanes) return storePixels(p, v);
        alignas(16) std::uint32_t values[lanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(values), v);
        for (int i = 0; i < count; ++i)
            p[i] = values[i];
    }
    static void toArray(float* out, Floats v) { _mm_storeu_ps(out, v); }
    static Floats fromArray(const float* in) { return _mm_loadu_ps(in); }

    // mask ? a : b, lane by lane.
    static Floats select(Floats mask, Floats a, Floats b) {
        return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
    }
    static Ints select(Ints mask, Ints a, Ints b) {
        return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
    }

    // c > 0 ? (c < 1 ? c : 1) : 0, so NaN becomes 0: maxps returns its second operand
    // when the first is NaN.
    static Floats saturate(Floats c) {
        return _mm_min_ps(_mm_max_ps(c, _mm_setzero_ps()), _mm_set1_ps(1.0f));
    }

    // Saturated, times 255, plus a half, truncated: rounds as the scalar code does.
    static Ints toBytes(Floats c) {
        return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(saturate(c), _mm_set1_ps(255.0f)), _mm_set1_ps(0.5f)));
    }

    // Opaque 0xAARRGGBB pixels from the channels.
    static Ints pack(Floats r, Floats g, Floats b) {
        const Ints argb = _mm_or_si128(
            _mm_or_si128(_mm_slli_epi32(toBytes(r), 16), _mm_slli_epi32(toBytes(g), 8)), toBytes(b));
        return _mm_or_si128(argb, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    }

    // Channel (argb >> shift) & 0xFF of each pixel in [0, 1].
    template <int Shift> static Floats unpackChannel(Ints argb) {
        const Ints byte = _mm_and_si128(_mm_srli_epi32(argb, Shift), _mm_set1_epi32(0xFF));
        return _mm_mul_ps(_mm_cvtepi32_ps(byte), _mm_set1_ps(1.0f / 255.0f));
    }
};

} // namespace bw::raster
