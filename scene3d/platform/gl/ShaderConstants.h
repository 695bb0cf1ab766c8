#pragma once
// The values the fixed-function shader program reads, worked out on the processor from
// the device state by the vertex stage both devices share
// (fixedfunction::prepareVertexProcessing), so that both devices light a vertex alike. Laid
// out as OpenGL takes them: matrices row after row in the row-vector convention, vectors as
// packed floats, flags as integers.

#include <array>
#include <cstdint>

#include "scene3d/platform/fixedfunction/PipelineState.h"
#include "scene3d/platform/fixedfunction/VertexProcessor.h"

namespace bw::gl {

inline constexpr int shaderLightCount = static_cast<int>(deviceLightCount);

// Where a lit colour term comes from.
enum ShaderColourSource : std::int32_t {
    sourceMaterial = 0,
    sourceVertexDiffuse = 1,
    sourceVertexSpecular = 2,
};

struct TransformConstants {
    std::array<float, 16> worldViewProjection{};
    std::array<float, 16> world{};
    std::array<float, 9> normalMatrix{}; // upper 3x3 of the inverse transpose of world

    friend bool operator==(const TransformConstants&, const TransformConstants&) = default;
};

struct LightingConstants {
    std::int32_t enabled = 0; // the specular switch is FragmentConstants::specular
    std::int32_t localViewer = 0;
    std::int32_t lightCount = 0;
    std::array<std::int32_t, shaderLightCount> lightType{};
    std::array<float, 3 * shaderLightCount> toLight{}; // directional: unit vector to the light
    std::array<float, 3 * shaderLightCount> position{};
    std::array<float, 3 * shaderLightCount> direction{};
    std::array<float, 3 * shaderLightCount> diffuse{};
    std::array<float, 3 * shaderLightCount> specularColour{};
    std::array<float, 3 * shaderLightCount> ambient{};
    std::array<float, shaderLightCount> range{};
    std::array<float, 3 * shaderLightCount> attenuation{}; // constant, linear, quadratic
    std::array<float, 3 * shaderLightCount> cone{};        // cos(theta / 2), cos(phi / 2), falloff
    std::array<float, 3> globalAmbient{};
    std::array<float, 4> materialDiffuse{};
    std::array<float, 4> materialAmbient{};
    std::array<float, 4> materialSpecular{};
    std::array<float, 4> materialEmissive{};
    float materialPower = 0.0f;
    std::array<std::int32_t, 4> colourSources{}; // diffuse, ambient, specular, emissive
    std::array<float, 3> eyePosition{};
    std::array<float, 3> towardsViewer{};

    friend bool operator==(const LightingConstants&, const LightingConstants&) = default;
};

// Which fields the vertices carry: normal, diffuse, specular, texture coordinates. The
// shader stands the reference's defaults in for the others.
struct InputConstants {
    std::array<std::int32_t, 4> present{};

    friend bool operator==(const InputConstants&, const InputConstants&) = default;
};

struct FragmentConstants {
    std::int32_t textured = 0;
    std::int32_t specular = 0;
    std::int32_t flatShading = 0;

    friend bool operator==(const FragmentConstants&, const FragmentConstants&) = default;
};

struct ShaderConstants {
    TransformConstants transform;
    LightingConstants lighting;
    InputConstants input;
    FragmentConstants fragment;
};

// The constants of a draw of vertices with these fields under this state.
ShaderConstants shaderConstantsFor(const fixedfunction::FixedFunctionState& state,
                                   const fixedfunction::VertexFields& fields);

} // namespace bw::gl
