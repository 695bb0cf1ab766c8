#pragma once
// The clip codes and screen vertices of four clip-space vertices at once: their positions
// turned into one register per coordinate (SSE2), so that the outcode comparisons, the
// perspective divide and the viewport mapping each take one instruction for all four
// instead of a chain of dependent ones per vertex. The results are clipCodeOf's and
// toScreen's bit for bit: each lane does the same operations in the same order.

#include <emmintrin.h>
#include <xmmintrin.h>

#include <cstdint>

#include "scene3d/platform/fixedfunction/PipelineVertex.h"
#include "scene3d/platform/raster/Clipper.h"
#include "scene3d/platform/raster/ScreenVertex.h"
#include "scene3d/platform/raster/ViewportMapping.h"

namespace bw::raster {

namespace quad {

// code where the lanes of condition are set, 0 elsewhere.
inline __m128i codeWhere(__m128 condition, std::uint32_t code) {
    return _mm_and_si128(_mm_castps_si128(condition), _mm_set1_epi32(static_cast<int>(code)));
}

} // namespace quad

// Writes the clip codes of v[0] .. v[3] to codes, and the screen vertex of each one that
// needs no clipping (no clip bit, not invalid) to screen at the same index; leaves the
// others' screen vertices as they were.
inline void mapFourVertices(const fixedfunction::ClipVertex* v, const GuardBand& band,
                            const ViewportMapping& mapping, std::uint32_t* codes, ScreenVertex* screen) {
    __m128 x = _mm_loadu_ps(&v[0].x);
    __m128 y = _mm_loadu_ps(&v[1].x);
    __m128 z = _mm_loadu_ps(&v[2].x);
    __m128 w = _mm_loadu_ps(&v[3].x);
    _MM_TRANSPOSE4_PS(x, y, z, w);

    const __m128 zero = _mm_setzero_ps();
    const auto finite = [&](__m128 c) { return _mm_cmpeq_ps(_mm_sub_ps(c, c), zero); };
    const __m128 valid = _mm_and_ps(_mm_and_ps(finite(x), finite(y)), _mm_and_ps(finite(z), finite(w)));
    const __m128 sign = _mm_set1_ps(-0.0f);
    const __m128 minusX = _mm_xor_ps(x, sign);
    const __m128 minusY = _mm_xor_ps(y, sign);
    const __m128 guardX = _mm_mul_ps(_mm_set1_ps(band.xLimit), w);
    const __m128 guardY = _mm_mul_ps(_mm_set1_ps(band.yLimit), w);
    using quad::codeWhere;
    __m128i code =
        _mm_or_si128(codeWhere(_mm_cmpgt_ps(zero, z), clipNear), codeWhere(_mm_cmpgt_ps(z, w), clipFar));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(_mm_set1_ps(minimumW), w), clipBehindEye));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(minusX, guardX), clipGuardLeft));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(x, guardX), clipGuardRight));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(y, guardY), clipGuardTop));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(minusY, guardY), clipGuardBottom));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(minusX, w), outsideLeft));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(x, w), outsideRight));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(minusY, w), outsideBottom));
    code = _mm_or_si128(code, codeWhere(_mm_cmpgt_ps(y, w), outsideTop));
    const __m128i validLanes = _mm_castps_si128(valid);
    code = _mm_or_si128(_mm_and_si128(validLanes, code),
                        _mm_andnot_si128(validLanes, _mm_set1_epi32(static_cast<int>(clipInvalid))));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(codes), code);

    // Lanes that will not be kept may divide by 0 or convert out of range: harmless here.
    const __m128 invW = _mm_div_ps(_mm_set1_ps(1.0f), w);
    const auto mapped = [&](__m128 c, float scale, float offset) {
        return _mm_add_ps(_mm_mul_ps(_mm_mul_ps(c, invW), _mm_set1_ps(scale)), _mm_set1_ps(offset));
    };
    const __m128 subpixels = _mm_set1_ps(static_cast<float>(subpixelScale));
    alignas(16) std::int32_t screenX[4], screenY[4];
    alignas(16) float depth[4], inverseW[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(screenX),
                    _mm_cvtps_epi32(_mm_mul_ps(mapped(x, mapping.scaleX, mapping.offsetX), subpixels)));
    _mm_store_si128(reinterpret_cast<__m128i*>(screenY),
                    _mm_cvtps_epi32(_mm_mul_ps(mapped(y, mapping.scaleY, mapping.offsetY), subpixels)));
    _mm_store_ps(depth, mapped(z, mapping.scaleZ, mapping.offsetZ));
    _mm_store_ps(inverseW, invW);

    for (int k = 0; k < 4; ++k) {
        if ((codes[k] & (clipBitsMask | clipInvalid)) != 0) continue;
        ScreenVertex& s = screen[k];
        s.x = screenX[k];
        s.y = screenY[k];
        s.attributes[attributeDepth] = depth[k];
        storeOverW(v[k], inverseW[k], s);
    }
}

} // namespace bw::raster
