#pragma once
// Four neighbouring pixels of a row at once, in SSE2 registers (which every x86-64 has).
// Each operation gives in every lane exactly what the fragment stage's scalar formula
// gives for one pixel: no fused multiply-add, no approximate reciprocal.

#include <emmintrin.h>

#include <cstdint>

namespace bw::raster::quad {

using Floats = __m128;
using Ints = __m128i;

inline constexpr int lanes = 4;

inline Floats broadcast(float value) { return _mm_set1_ps(value); }

// The lanes named by the low four bits of laneBits, all bits set.
inline Ints laneMask(int laneBits) {
    const Ints bits = _mm_setr_epi32(1, 2, 4, 8);
    return _mm_cmpeq_epi32(_mm_and_si128(_mm_set1_epi32(laneBits), bits), bits);
}

// Bits of the lanes of the first count pixels.
constexpr int firstLanes(int count) { return count >= lanes ? 0xF : (1 << count) - 1; }

// column - originX of the four pixels from column, as the scalar code converts it.
inline Floats columnOffsets(int firstOffset) {
    return _mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(firstOffset), _mm_setr_epi32(0, 1, 2, 3)));
}

// atColumn0 + step x offset, one multiply and one add as in the scalar code.
inline Floats onPlane(Floats atColumn0, Floats step, Floats offsets) {
    return _mm_add_ps(atColumn0, _mm_mul_ps(step, offsets));
}

// Partial groups read and write only their own count pixels: the rest of the row (or the
// next row) may be another thread's.
inline Floats loadFloats(const float* p, int count) {
    if (count == lanes) return _mm_loadu_ps(p);
    alignas(16) float values[lanes] = {};
    for (int i = 0; i < count; ++i)
        values[i] = p[i];
    return _mm_load_ps(values);
}

inline void storeFloats(float* p, Floats v, int count) {
    if (count == lanes) {
        _mm_storeu_ps(p, v);
        return;
    }
    alignas(16) float values[lanes];
    _mm_store_ps(values, v);
    for (int i = 0; i < count; ++i)
        p[i] = values[i];
}

inline Ints loadPixels(const std::uint32_t* p, int count) {
    if (count == lanes) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    alignas(16) std::uint32_t values[lanes] = {};
    for (int i = 0; i < count; ++i)
        values[i] = p[i];
    return _mm_load_si128(reinterpret_cast<const __m128i*>(values));
}

inline void storePixels(std::uint32_t* p, Ints v, int count) {
    if (count == lanes) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        return;
    }
    alignas(16) std::uint32_t values[lanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(values), v);
    for (int i = 0; i < count; ++i)
        p[i] = values[i];
}

// mask ? a : b, lane by lane.
inline Floats select(Floats mask, Floats a, Floats b) {
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}
inline Ints select(Ints mask, Ints a, Ints b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// c > 0 ? (c < 1 ? c : 1) : 0, so NaN becomes 0: maxps returns its second operand when
// the first is NaN.
inline Floats saturate(Floats c) {
    return _mm_min_ps(_mm_max_ps(c, _mm_setzero_ps()), _mm_set1_ps(1.0f));
}

// Saturated, times 255, plus a half, truncated: rounds as the scalar code does.
inline Ints toBytes(Floats c) {
    return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(saturate(c), _mm_set1_ps(255.0f)), _mm_set1_ps(0.5f)));
}

// Opaque 0xAARRGGBB pixels from the channels.
inline Ints pack(Floats r, Floats g, Floats b) {
    const Ints argb = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(toBytes(r), 16), _mm_slli_epi32(toBytes(g), 8)),
                                   toBytes(b));
    return _mm_or_si128(argb, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

// Channel (argb >> shift) & 0xFF of each pixel in [0, 1].
template <int Shift> Floats unpackChannel(Ints argb) {
    const Ints byte = _mm_and_si128(_mm_srli_epi32(argb, Shift), _mm_set1_epi32(0xFF));
    return _mm_mul_ps(_mm_cvtepi32_ps(byte), _mm_set1_ps(1.0f / 255.0f));
}

} // namespace bw::raster::quad
