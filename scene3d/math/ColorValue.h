#pragma once

namespace bw {

struct ColorValue {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

} // namespace bw
