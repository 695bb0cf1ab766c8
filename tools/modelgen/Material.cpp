#include "tools/modelgen/Material.h"

#include <array>

namespace bw::modelgen {
namespace {

constexpr Rgba kNoSpecular{0, 0, 0, 0};
constexpr Rgba kNoGlow{0, 0, 0, 0};

constexpr MaterialLook matte(float r, float g, float b) { return {{r, g, b, 1}, 0, kNoSpecular, kNoGlow}; }
constexpr MaterialLook shiny(float r, float g, float b, float power = 24) {
    return {{r, g, b, 1}, power, {0.5f, 0.5f, 0.5f, 0}, kNoGlow};
}
constexpr MaterialLook glowing(float r, float g, float b) {
    return {{r, g, b, 1}, 0, kNoSpecular, {r * 0.8f, g * 0.8f, b * 0.8f, 0}};
}
constexpr MaterialLook seeThrough(float r, float g, float b, float alpha) {
    return {{r, g, b, alpha}, 40, {0.6f, 0.6f, 0.6f, 0}, kNoGlow};
}

// In the order of the Material enumeration. Faces turned away from the main light get
// about two thirds of their colour from the ambient light alone, so colours stay bright.
constexpr std::array kLooks{
    matte(0.12f, 0.45f, 0.22f),             // BoardGreen
    matte(0.16f, 0.55f, 0.30f),             // CardGreen
    matte(0.62f, 0.12f, 0.12f),             // CardRed
    matte(0.11f, 0.11f, 0.12f),             // Black
    matte(0.20f, 0.20f, 0.22f),             // Charcoal
    matte(0.32f, 0.32f, 0.35f),             // DarkGrey
    matte(0.52f, 0.53f, 0.55f),             // Grey
    matte(0.76f, 0.77f, 0.79f),             // LightGrey
    shiny(0.80f, 0.81f, 0.84f),             // Silver
    shiny(0.70f, 0.73f, 0.77f, 12),         // Aluminium
    shiny(0.96f, 0.76f, 0.26f),             // Gold
    shiny(0.86f, 0.50f, 0.30f),             // Copper
    matte(0.93f, 0.93f, 0.91f),             // White
    matte(0.96f, 0.91f, 0.72f),             // Cream
    matte(0.86f, 0.83f, 0.73f),             // Beige
    matte(0.18f, 0.35f, 0.85f),             // Blue
    matte(0.10f, 0.14f, 0.42f),             // NavyBlue
    matte(0.85f, 0.14f, 0.12f),             // Red
    matte(0.96f, 0.52f, 0.10f),             // Orange
    matte(0.96f, 0.86f, 0.16f),             // Yellow
    matte(0.55f, 0.28f, 0.72f),             // Purple
    matte(0.40f, 0.80f, 0.32f),             // LimeGreen
    matte(0.96f, 0.56f, 0.72f),             // Pink
    matte(0.50f, 0.30f, 0.13f),             // Brown
    matte(0.10f, 0.60f, 0.62f),             // Teal
    glowing(0.16f, 0.36f, 0.75f),           // ScreenBlue
    glowing(0.88f, 0.90f, 0.95f),           // ScreenWindow
    glowing(0.20f, 0.95f, 0.30f),           // LedGreen
    glowing(0.25f, 0.55f, 1.00f),           // LedBlue
    glowing(1.00f, 0.70f, 0.10f),           // LedAmber
    seeThrough(0.22f, 0.22f, 0.26f, 0.6f),  // SmokedPlastic
    seeThrough(0.60f, 0.72f, 0.85f, 0.25f), // Glass
    seeThrough(0.85f, 0.92f, 0.98f, 0.35f), // ClearPlastic
    glowing(0.95f, 0.15f, 0.12f),           // AxisRed
    glowing(0.15f, 0.85f, 0.20f),           // AxisGreen
    glowing(0.20f, 0.35f, 1.00f),           // AxisBlue
    matte(0.30f, 0.32f, 0.36f),             // Floor
};
static_assert(kLooks.size() == static_cast<std::size_t>(Material::Floor) + 1);

} // namespace

const MaterialLook& lookOf(Material material) { return kLooks[static_cast<std::size_t>(material)]; }

} // namespace bw::modelgen
