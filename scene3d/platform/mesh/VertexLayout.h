#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace bw {

// Flexible vertex format bits: which components a vertex has, in the fixed order
// position, blend weights, normal, point size, diffuse, specular, texture coordinates.
namespace fvf {
inline constexpr std::uint32_t xyz = 0x002;
inline constexpr std::uint32_t xyzrhw = 0x004;
inline constexpr std::uint32_t xyzb1 = 0x006;
inline constexpr std::uint32_t xyzb5 = 0x00E;
inline constexpr std::uint32_t positionMask = 0x00E;
inline constexpr std::uint32_t normal = 0x010;
inline constexpr std::uint32_t pointSize = 0x020;
inline constexpr std::uint32_t diffuse = 0x040;
inline constexpr std::uint32_t specular = 0x080;
inline constexpr std::uint32_t texCountMask = 0xF00;
inline constexpr std::uint32_t texCountShift = 8;
inline constexpr std::uint32_t tex1 = 0x100;
inline constexpr std::uint32_t lastBetaUbyte4 = 0x1000;
// Position, normal and one pair of texture coordinates: 32 bytes.
inline constexpr std::uint32_t positionNormalTexture = xyz | normal | tex1;
} // namespace fvf

inline constexpr std::size_t maxTextureCoordinateSets = 8;

// Where each component of a vertex lies, in 32-bit slots from the vertex's start
// (every component is a whole number of slots); -1 when the layout lacks it.
struct VertexLayout {
    std::uint32_t fvf = 0;
    std::uint32_t slotCount = 0;     // vertex size in 32-bit slots
    std::uint32_t positionSlots = 0; // 3 (xyz), 4 (xyzrhw), 3 + blend weights
    int normal = -1;
    int pointSize = -1;
    int diffuse = -1;
    int specular = -1;
    std::uint32_t textureSets = 0;
    std::array<int, maxTextureCoordinateSets> texture{};
    std::array<std::uint32_t, maxTextureCoordinateSets> textureDimensions{};

    std::uint32_t vertexSize() const { return slotCount * 4; }
};

// Empty when the code has unknown bits, no position or more than eight texture sets.
std::optional<VertexLayout> vertexLayoutOf(std::uint32_t fvfCode);
// Bytes per vertex of a layout; 0 for an invalid code.
std::uint32_t vertexSizeOf(std::uint32_t fvfCode);

} // namespace bw
