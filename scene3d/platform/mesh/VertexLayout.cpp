#include "scene3d/platform/mesh/VertexLayout.h"

namespace bw {

namespace {

constexpr std::uint32_t knownBits = fvf::positionMask | fvf::normal | fvf::pointSize | fvf::diffuse |
                                    fvf::specular | fvf::texCountMask | fvf::lastBetaUbyte4 | 0xFFFF0000u;

// Floats per texture coordinate set, by the two format bits of that set.
constexpr std::uint32_t textureDimensionsByFormat[4] = {2, 3, 4, 1};

std::uint32_t positionSlotsOf(std::uint32_t position) {
    switch (position) {
    case fvf::xyz:
        return 3;
    case fvf::xyzrhw:
        return 4;
    case 0:
        return 0;
    default:
        return 3 + (position - fvf::xyzb1) / 2 + 1; // XYZB1 .. XYZB5
    }
}

} // namespace

std::optional<VertexLayout> vertexLayoutOf(std::uint32_t code) {
    if ((code & ~knownBits) != 0) return std::nullopt;
    VertexLayout layout;
    layout.fvf = code;
    layout.positionSlots = positionSlotsOf(code & fvf::positionMask);
    if (layout.positionSlots == 0) return std::nullopt;
    layout.textureSets = (code & fvf::texCountMask) >> fvf::texCountShift;
    if (layout.textureSets > maxTextureCoordinateSets) return std::nullopt;

    int slot = static_cast<int>(layout.positionSlots);
    const auto place = [&slot](bool present, int& where, int size) {
        if (!present) return;
        where = slot;
        slot += size;
    };
    place(code & fvf::normal, layout.normal, 3);
    place(code & fvf::pointSize, layout.pointSize, 1);
    place(code & fvf::diffuse, layout.diffuse, 1);
    place(code & fvf::specular, layout.specular, 1);
    layout.texture.fill(-1);
    for (std::uint32_t i = 0; i < layout.textureSets; ++i) {
        const std::uint32_t dimensions = textureDimensionsByFormat[(code >> (16 + 2 * i)) & 3];
        layout.textureDimensions[i] = dimensions;
        place(true, layout.texture[i], static_cast<int>(dimensions));
    }
    layout.slotCount = static_cast<std::uint32_t>(slot);
    return layout;
}

std::uint32_t vertexSizeOf(std::uint32_t code) {
    const auto layout = vertexLayoutOf(code);
    return layout ? layout->vertexSize() : 0;
}

} // namespace bw
