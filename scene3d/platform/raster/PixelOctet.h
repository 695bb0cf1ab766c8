#pragma once
// Eight neighbouring pixels of a row at once, in AVX2 registers, with the operations of
// PixelQuad.h. Included only by FragmentStageAvx2.cpp, the one file built for AVX2; the
// device uses it only where the processor has AVX2. No fused multiply-add: each lane
// gives exactly what the scalar formula gives.

#include <immintrin.h>

#include <cstdint>

namespace bw::raster {

struct Octet {
    using Floats = __m256;
    using Ints = __m256i;

    static constexpr int lanes = 8;

    static Floats broadcast(float value) { return _mm256_set1_ps(value); }
    static Floats zero() { return _mm256_setzero_ps(); }
    static Floats add(Floats a, Floats b) { return _mm256_add_ps(a, b); }
    static Floats sub(Floats a, Floats b) { return _mm256_sub_ps(a, b); }
    static Floats mul(Floats a, Floats b) { return _mm256_mul_ps(a, b); }
    static Floats div(Floats a, Floats b) { return _mm256_div_ps(a, b); }

    // The ordered, quiet predicates are those of the SSE comparisons; not-equal is
    // unordered, true for NaN as in the scalar code.
    static Floats less(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_LT_OQ); }
    static Floats lessEqual(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_LE_OQ); }
    static Floats equal(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_EQ_OQ); }
    static Floats notEqual(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_NEQ_UQ); }
    static Floats greater(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_GT_OQ); }
    static Floats greaterEqual(Floats a, Floats b) { return _mm256_cmp_ps(a, b, _CMP_GE_OQ); }
    static Floats all() { return _mm256_castsi256_ps(_mm256_set1_epi32(-1)); }
    static int bitsOf(Floats mask) { return _mm256_movemask_ps(mask); }

    static Ints laneMask(int laneBits) {
        const Ints bits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
        return _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(laneBits), bits), bits);
    }
    static Floats asFloats(Ints v) { return _mm256_castsi256_ps(v); }

    static Floats columnOffsets(int firstOffset) {
        return _mm256_cvtepi32_ps(
            _mm256_add_epi32(_mm256_set1_epi32(firstOffset), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)));
    }

    static Floats loadFloats(const float* p) { return _mm256_loadu_ps(p); }
    static void storeFloats(float* p, Floats v) { _mm256_storeu_ps(p, v); }
    static Ints loadPixels(const std::uint32_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void storePixels(std::uint32_t* p, Ints v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }

    // Masked loads and stores touch only the first count pixels: the rest of the row (or
    // the next row) may be another thread's. Mostly count is a whole group (the pixels
    // past a span's end being in its row), which needs no mask: masked stores are slow.
    static Ints firstCount(int count) {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    }
    static Floats loadFloats(const float* p, int count) {
        return count >= lanes ? loadFloats(p) : _mm256_maskload_ps(p, firstCount(count));
    }
    static void storeFloats(float* p, Floats v, int count) {
        if (count >= lanes)
            storeFloats(p, v);
        else
            _mm256_maskstore_ps(p, firstCount(count), v);
    }
    static Ints loadPixels(const std::uint32_t* p, int count) {
        return count >= lanes ? loadPixels(p)
                              : _mm256_maskload_epi32(reinterpret_cast<const int*>(p), firstCount(count));
    }
    static void storePixels(std::uint32_t* p, Ints v, int count) {
        if (count >= lanes)
            storePixels(p, v);
        else
            _mm256_maskstore_epi32(reinterpret_cast<int*>(p), firstCount(count), v);
    }
    static void toArray(float* out, Floats v) { _mm256_storeu_ps(out, v); }
    static Floats fromArray(const float* in) { return _mm256_loadu_ps(in); }

    static Floats select(Floats mask, Floats a, Floats b) { return _mm256_blendv_ps(b, a, mask); }
    static Ints select(Ints mask, Ints a, Ints b) { return _mm256_blendv_epi8(b, a, mask); }

    // As PixelQuad.h: maxps returns its second operand when the first is NaN.
    static Floats saturate(Floats c) {
        return _mm256_min_ps(_mm256_max_ps(c, _mm256_setzero_ps()), _mm256_set1_ps(1.0f));
    }

    // Opaque 0xAARRGGBB pixels from the channels, each byte what PixelQuad.h gives:
    // saturated, times 255, plus a half, truncated. Here the saturating packs clamp after
    // the rounding instead, which gives the same for every float: below 0 rounds to at most
    // 0.5 and truncates to 0 or less; above 1 rounds to at least 255.5, held at 256 so that
    // it converts; NaN (minps passes its second operand on) converts to the most negative
    // integer. Four operations fewer than saturating first.
    static Ints roundedByte(Floats c) {
        const Floats rounded = _mm256_add_ps(_mm256_mul_ps(c, _mm256_set1_ps(255.0f)), _mm256_set1_ps(0.5f));
        return _mm256_cvttps_epi32(_mm256_min_ps(_mm256_set1_ps(256.0f), rounded));
    }
    static Ints pack(Floats r, Floats g, Floats b) {
        // In each half: the 16-bit b0..b3 r0..r3 and g0..g3 a0..a3, then their bytes in that
        // order, then each pixel's b, g, r and a together.
        const Ints blueRed = _mm256_packs_epi32(roundedByte(b), roundedByte(r));
        const Ints greenAlpha = _mm256_packs_epi32(roundedByte(g), _mm256_set1_epi32(255));
        const Ints bytes = _mm256_packus_epi16(blueRed, greenAlpha);
        const Ints pixelOrder = _mm256_setr_epi8(0, 8, 4, 12, 1, 9, 5, 13, 2, 10, 6, 14, 3, 11, 7, 15, 0, 8,
                                                 4, 12, 1, 9, 5, 13, 2, 10, 6, 14, 3, 11, 7, 15);
        return _mm256_shuffle_epi8(bytes, pixelOrder);
    }
    template <int Shift> static Floats unpackChannel(Ints argb) {
        const Ints byte = _mm256_and_si256(_mm256_srli_epi32(argb, Shift), _mm256_set1_epi32(0xFF));
        return _mm256_mul_ps(_mm256_cvtepi32_ps(byte), _mm256_set1_ps(1.0f / 255.0f));
    }
};

} // namespace bw::raster
