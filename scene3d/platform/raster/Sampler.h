#pragma once
// Texture stage 0's sampler: bilinear filtering with wrap addressing. Texel centres sit at
// (i + 0.5) / size, so u = 0 lies between the last and the first texel.

#include <cmath>
#include <cstdint>

#include "scene3d/platform/device/Texture.h"

namespace bw::raster {

struct SampledColour {
    float r, g, b, a;
};

class Sampler {
public:
    explicit Sampler(const Texture& texture)
        : texels_(texture.texels()), width_(texture.width()), height_(texture.height()) {}

    SampledColour sample(float u, float v) const {
        int x0, x1, y0, y1;
        float fx, fy;
        wrap(u, width_, x0, x1, fx);
        wrap(v, height_, y0, y1, fy);
        const std::uint32_t* row0 = texels_ + static_cast<std::size_t>(y0) * width_;
        const std::uint32_t* row1 = texels_ + static_cast<std::size_t>(y1) * width_;
        const float w00 = (1.0f - fx) * (1.0f - fy);
        const float w10 = fx * (1.0f - fy);
        const float w01 = (1.0f - fx) * fy;
        const float w11 = fx * fy;
        return {channel(row0[x0], row0[x1], row1[x0], row1[x1], 16, w00, w10, w01, w11),
                channel(row0[x0], row0[x1], row1[x0], row1[x1], 8, w00, w10, w01, w11),
                channel(row0[x0], row0[x1], row1[x0], row1[x1], 0, w00, w10, w01, w11),
                channel(row0[x0], row0[x1], row1[x0], row1[x1], 24, w00, w10, w01, w11)};
    }

private:
    // The two texels around coordinate t and the weight of the second.
    static void wrap(float t, int size, int& first, int& second, float& weight) {
        float f = t - std::floor(t);
        if (!(f >= 0.0f && f < 1.0f)) f = 0.0f; // NaN, or rounding up to 1
        const float texel = f * static_cast<float>(size) - 0.5f;
        const float base = std::floor(texel);
        weight = texel - base;
        first = static_cast<int>(base);
        second = first + 1;
        if (first < 0) first = size - 1;
        if (second >= size) second = 0;
    }

    static float channel(std::uint32_t t00, std::uint32_t t10, std::uint32_t t01, std::uint32_t t11,
                         int shift, float w00, float w10, float w01, float w11) {
        constexpr float toUnit = 1.0f / 255.0f;
        return (static_cast<float>((t00 >> shift) & 0xFF) * w00 +
                static_cast<float>((t10 >> shift) & 0xFF) * w10 +
                static_cast<float>((t01 >> shift) & 0xFF) * w01 +
                static_cast<float>((t11 >> shift) & 0xFF) * w11) *
               toUnit;
    }

    const std::uint32_t* texels_;
    int width_;
    int height_;
};

} // namespace bw::raster
