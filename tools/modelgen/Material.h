#pragma once
// The palette every model file draws its materials from.

#include <cstdint>
#include <string_view>

namespace bw::modelgen {

enum class Material : std::uint8_t {
    BoardGreen,
    CardGreen,
    CardRed,
    Black,
    Charcoal,
    DarkGrey,
    Grey,
    LightGrey,
    Silver,
    Aluminium,
    Gold,
    Copper,
    White,
    Cream,
    Beige,
    Blue,
    NavyBlue,
    Red,
    Orange,
    Yellow,
    Purple,
    LimeGreen,
    Pink,
    Brown,
    Teal,
    ScreenBlue,
    ScreenWindow,
    LedGreen,
    LedBlue,
    LedAmber,
    SmokedPlastic,
    Glass,
    ClearPlastic,
    AxisRed,
    AxisGreen,
    AxisBlue,
    Floor,
};

struct Rgba {
    float r, g, b, a;
};

struct MaterialLook {
    Rgba diffuse;
    float power;
    Rgba specular; // alpha unused
    Rgba emissive; // alpha unused
};

const MaterialLook& lookOf(Material material);

} // namespace bw::modelgen
