#include "scene3d/platform/gl/ShaderConstants.h"

#include <algorithm>

namespace bw::gl {

namespace {

std::array<float, 16> rowsOf(const Matrix& matrix) {
    std::array<float, 16> rows{};
    for (std::size_t r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < 4; ++c)
            rows[r * 4 + c] = matrix.m[r][c];
    return rows;
}

std::array<float, 9> upperRowsOf(const Matrix& matrix) {
    std::array<float, 9> rows{};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            rows[r * 3 + c] = matrix.m[r][c];
    return rows;
}

template <std::size_t N> void put(std::array<float, N>& target, int slot, Vector3 v) {
    const auto at = static_cast<std::size_t>(slot) * 3;
    target[at] = v.x;
    target[at + 1] = v.y;
    target[at + 2] = v.z;
}

template <std::size_t N> void put(std::array<float, N>& target, int slot, const ColorValue& c) {
    put(target, slot, Vector3{c.r, c.g, c.b});
}

std::array<float, 4> rgba(const ColorValue& c) { return {c.r, c.g, c.b, c.a}; }

std::int32_t shaderSource(fixedfunction::ColourSource source) {
    switch (source) {
    case fixedfunction::ColourSource::VertexDiffuse:
        return sourceVertexDiffuse;
    case fixedfunction::ColourSource::VertexSpecular:
        return sourceVertexSpecular;
    case fixedfunction::ColourSource::Material:
        break;
    }
    return sourceMaterial;
}

LightingConstants lightingConstantsOf(const fixedfunction::LightingSetup& setup) {
    LightingConstants constants;
    constants.enabled = 1;
    constants.localViewer = setup.localViewer ? 1 : 0;
    constants.lightCount = std::min(setup.lightCount, shaderLightCount);
    for (int i = 0; i < constants.lightCount; ++i) {
        const fixedfunction::ActiveLight& light = setup.lights[static_cast<std::size_t>(i)];
        constants.lightType[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(light.type);
        put(constants.toLight, i, light.toLight);
        put(constants.position, i, light.position);
        put(constants.direction, i, light.direction);
        put(constants.diffuse, i, light.diffuse);
        put(constants.specularColour, i, light.specular);
        put(constants.ambient, i, light.ambient);
        constants.range[static_cast<std::size_t>(i)] = light.range;
        put(constants.attenuation, i, Vector3{light.attenuation0, light.attenuation1, light.attenuation2});
        put(constants.cone, i, Vector3{light.cosHalfTheta, light.cosHalfPhi, light.falloff});
    }
    constants.globalAmbient = {setup.globalAmbient.r, setup.globalAmbient.g, setup.globalAmbient.b};
    constants.materialDiffuse = rgba(setup.material.diffuse);
    constants.materialAmbient = rgba(setup.material.ambient);
    constants.materialSpecular = rgba(setup.material.specular);
    constants.materialEmissive = rgba(setup.material.emissive);
    constants.materialPower = setup.material.power;
    constants.colourSources = {shaderSource(setup.diffuseSource), shaderSource(setup.ambientSource),
                               shaderSource(setup.specularSource), shaderSource(setup.emissiveSource)};
    constants.eyePosition = {setup.eyePosition.x, setup.eyePosition.y, setup.eyePosition.z};
    constants.towardsViewer = {setup.towardsViewer.x, setup.towardsViewer.y, setup.towardsViewer.z};
    return constants;
}

} // namespace

ShaderConstants shaderConstantsFor(const fixedfunction::FixedFunctionState& state,
                                   const fixedfunction::VertexFields& fields) {
    const fixedfunction::VertexProcessingSetup setup = fixedfunction::prepareVertexProcessing(state, fields);
    ShaderConstants constants;
    constants.transform.worldViewProjection = rowsOf(setup.worldViewProjection);
    constants.transform.world = rowsOf(setup.world);
    constants.transform.normalMatrix = upperRowsOf(setup.normalMatrix);
    // With lighting off the shader passes the vertex colours through; the rest is unused.
    if (setup.lighting) constants.lighting = lightingConstantsOf(setup.lightingSetup);

    constants.input.present = {fields.normal >= 0, fields.diffuse >= 0, fields.specular >= 0,
                               fields.texCoord >= 0};

    const auto& rs = state.renderStates;
    constants.fragment.textured = state.texture ? 1 : 0;
    constants.fragment.specular = rs[D3DRS_SPECULARENABLE] != 0 ? 1 : 0;
    constants.fragment.flatShading = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? 1 : 0;
    return constants;
}

} // namespace bw::gl
