#pragma once
// Components that several model files share. Each lies around its own origin: sockets and
// slots with their front face at z = 0 and their bottom at y = 0, opening towards -z.

#include <array>

#include "tools/modelgen/Primitive.h"

namespace bw::modelgen::components {

using M = Material;
using S = Shape;

// --- Back-panel and front-panel sockets (one tier is 0.3 high, a column 0.4 to 1.0 wide).

inline constexpr Primitive kUsbSocket[] = {
    {S::Box, {0.3, 0.16, 0.46}, {0, 0.1, 0.23}, {}, M::Silver},
    {S::Box, {0.25, 0.11, 0.02}, {0, 0.1, -0.005}, {}, M::Black},
    {S::Box, {0.2, 0.035, 0.02}, {0, 0.115, -0.012}, {}, M::Blue},
};

inline constexpr Primitive kEthernetSocket[] = {
    {S::Box, {0.4, 0.3, 0.52}, {0, 0.15, 0.26}, {}, M::Charcoal},
    {S::Box, {0.26, 0.19, 0.02}, {0, 0.13, -0.005}, {}, M::Black},
    {S::Box, {0.2, 0.02, 0.02}, {0, 0.2, -0.012}, {}, M::Gold},
    {S::Box, {0.06, 0.04, 0.02}, {-0.14, 0.26, -0.008}, {}, M::LedGreen},
    {S::Box, {0.06, 0.04, 0.02}, {0.14, 0.26, -0.008}, {}, M::LedAmber},
};

// A D-sub socket (serial, parallel, VGA): metal flange, coloured insert, two screw posts.
constexpr std::array<Primitive, 5> dSubSocket(float width, Material insert) {
    return {{
        {S::Box, {width, 0.28, 0.02}, {0, 0.14, 0.01}, {}, M::Silver},
        {S::Box, {width - 0.22f, 0.16, 0.03}, {0, 0.14, -0.012}, {}, insert},
        {S::Box, {width - 0.12f, 0.26, 0.42}, {0, 0.14, 0.23}, {}, M::Charcoal},
        {S::Cylinder, {0.06, 0.06, 0.06}, {-(width / 2 - 0.06f), 0.14, -0.02}, {90, 0, 0}, M::Silver},
        {S::Cylinder, {0.06, 0.06, 0.06}, {width / 2 - 0.06f, 0.14, -0.02}, {90, 0, 0}, M::Silver},
    }};
}
inline constexpr auto kSerialSocket = dSubSocket(0.7f, M::Teal);
inline constexpr auto kParallelSocket = dSubSocket(1.0f, M::CardRed);
inline constexpr auto kVgaSocket = dSubSocket(0.7f, M::Blue);

inline constexpr Primitive kHdmiSocket[] = {
    {S::Box, {0.4, 0.14, 0.4}, {0, 0.09, 0.2}, {}, M::Silver},
    {S::Box, {0.34, 0.09, 0.02}, {0, 0.095, -0.005}, {}, M::Black},
    {S::Box, {0.26, 0.025, 0.02}, {0, 0.1, -0.012}, {}, M::Gold},
};

inline constexpr Primitive kFireWireSocket[] = {
    {S::Box, {0.26, 0.13, 0.36}, {0, 0.08, 0.18}, {}, M::LightGrey},
    {S::Box, {0.2, 0.08, 0.02}, {0, 0.08, -0.005}, {}, M::Black},
    {S::Box, {0.12, 0.025, 0.02}, {0, 0.08, -0.012}, {}, M::DarkGrey},
};

// A 3.5 mm audio jack: coloured ring in a black block.
constexpr std::array<Primitive, 3> audioJack(Material ring) {
    return {{
        {S::Box, {0.28, 0.28, 0.4}, {0, 0.14, 0.2}, {}, M::Black},
        {S::Tube, {0.22, 0.04, 0.09}, {0, 0.14, -0.02}, {90, 0, 0}, ring},
        {S::Cylinder, {0.09, 0.02, 0.09}, {0, 0.14, 0.0}, {90, 0, 0}, M::Black},
    }};
}

// --- Expansion slots: a plastic body with a groove along its top and a key across it.

constexpr std::array<Primitive, 3> expansionSlot(float length, Material body, float keyFromNearEnd) {
    return {{
        {S::Box, {0.16, 0.2, length}, {0, 0.1, 0}, {}, body},
        {S::Box, {0.05, 0.01, length - 0.08f}, {0, 0.2, 0}, {}, M::Black},
        {S::Box, {0.07, 0.012, 0.04}, {0, 0.202, -length / 2 + keyFromNearEnd}, {}, body},
    }};
}

// --- Fans: a square frame with a round shroud and a rotor, axis along y.

constexpr std::array<Primitive, 7> fan(float size, Material frame, Material rotor, Material shroud) {
    const float depth = 0.12f * size;
    const float bar = 0.07f * size;
    const float offset = (size - bar) / 2;
    return {{
        {S::Box, {size, depth, bar}, {0, 0, -offset}, {}, frame},
        {S::Box, {size, depth, bar}, {0, 0, offset}, {}, frame},
        {S::Box, {bar, depth, size - 2 * bar}, {-offset, 0, 0}, {}, frame},
        {S::Box, {bar, depth, size - 2 * bar}, {offset, 0, 0}, {}, frame},
        {S::Tube, {size - 0.02f, depth * 0.96f, size - 2 * bar}, {}, {}, shroud},
        {S::Rotor, {size - 2.4f * bar, depth * 0.2f, 7}, {}, {}, rotor},
        {S::Cylinder, {size * 0.28f, depth * 1.02f, size * 0.28f}, {}, {}, M::Silver},
    }};
}

// --- Front-panel card readers: a small box with a card slot and a coloured top.

constexpr std::array<Primitive, 3> cardReader(Material colour) {
    return {{
        {S::Box, {0.28, 0.13, 0.42}, {0, 0.065, 0.21}, {}, M::Charcoal},
        {S::Box, {0.26, 0.01, 0.32}, {0, 0.135, 0.23}, {}, colour},
        {S::Box, {0.22, 0.03, 0.02}, {0, 0.07, -0.004}, {}, M::Black},
    }};
}

inline constexpr Primitive kReaderLed[] = {
    {S::Box, {0.05, 0.03, 0.05}, {0, 0.015, 0}, {}, M::LedGreen},
};

// --- Memory module, standing on its bottom edge, its chips on the near (-z) face.

inline constexpr Primitive kMemoryModule[] = {
    {S::Box, {2.5, 0.58, 0.03}, {0, 0.29, 0}, {}, M::NavyBlue},
    {S::Box, {0.24, 0.16, 0.025}, {-1.05, 0.3, -0.027}, {}, M::Black, 8, {0.3, 0, 0}},
    {S::Box, {1.1, 0.1, 0.006}, {0.4, 0.5, -0.018}, {}, M::Cream},
    {S::Box, {0.14, 0.08, 0.02}, {-0.9, 0.5, -0.025}, {}, M::Black},
};

// --- Pin header (2 rows), lying on the board.

constexpr std::array<Primitive, 3> pinHeader(float length, Material base) {
    const int pins = static_cast<int>(length / 0.1f);
    return {{
        {S::Box, {0.18, 0.05, length}, {0, 0.025, 0}, {}, base},
        {S::Box, {0.025, 0.12, 0.025}, {-0.045, 0.1, -length / 2 + 0.05f}, {}, M::Gold, pins, {0, 0, 0.1}},
        {S::Box, {0.025, 0.12, 0.025}, {0.045, 0.1, -length / 2 + 0.05f}, {}, M::Gold, pins, {0, 0, 0.1}},
    }};
}

} // namespace bw::modelgen::components
