#include "scene3d/platform/fixedfunction/VertexLighting.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace bw::fixedfunction {

namespace {

ColorValue operator*(const ColorValue& a, const ColorValue& b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a};
}

void addScaled(ColorValue& sum, const ColorValue& c, float s) {
    sum.r += c.r * s;
    sum.g += c.g * s;
    sum.b += c.b * s;
}

ColorValue clamped(ColorValue c) {
    return {std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f),
            std::clamp(c.a, 0.0f, 1.0f)};
}

ColourSource sourceFor(std::uint32_t renderState, bool colourVertex, bool hasDiffuse, bool hasSpecular) {
    if (!colourVertex) return ColourSource::Material;
    if (renderState == D3DMCS_COLOR1 && hasDiffuse) return ColourSource::VertexDiffuse;
    if (renderState == D3DMCS_COLOR2 && hasSpecular) return ColourSource::VertexSpecular;
    return ColourSource::Material;
}

const ColorValue& pick(ColourSource source, const ColorValue& material, const VertexColours& colours) {
    switch (source) {
    case ColourSource::VertexDiffuse:
        return colours.diffuse;
    case ColourSource::VertexSpecular:
        return colours.specular;
    case ColourSource::Material:
        break;
    }
    return material;
}

ActiveLight activeLightFrom(const Light& light) {
    ActiveLight active;
    active.type = light.type;
    active.toLight = -normalize(light.direction);
    active.position = light.position;
    active.direction = normalize(light.direction);
    active.diffuse = light.diffuse;
    active.specular = light.specular;
    active.ambient = light.ambient;
    active.range = light.range;
    active.attenuation0 = light.attenuation0;
    active.attenuation1 = light.attenuation1;
    active.attenuation2 = light.attenuation2;
    active.cosHalfTheta = std::cos(light.theta * 0.5f);
    active.cosHalfPhi = std::cos(light.phi * 0.5f);
    active.falloff = light.falloff;
    return active;
}

struct LightRay {
    Vector3 toLight;    // unit
    float scale = 1.0f; // attenuation x spot factor
};

// Direction towards the light and how strongly it reaches the point; empty when the
// point is out of the light's reach.
std::optional<LightRay> rayTowards(const ActiveLight& light, Vector3 position) {
    if (light.type == D3DLIGHT_DIRECTIONAL) return LightRay{light.toLight, 1.0f};

    const Vector3 offset = light.position - position;
    const float distance = length(offset);
    if (distance > light.range) return std::nullopt;
    const Vector3 toLight = distance > 0.0f ? offset * (1.0f / distance) : Vector3{0.0f, 0.0f, 0.0f};
    const float denominator =
        light.attenuation0 + light.attenuation1 * distance + light.attenuation2 * distance * distance;
    float scale = denominator > 0.0f ? 1.0f / denominator : 1.0f;

    if (light.type == D3DLIGHT_SPOT) {
        const float rho = dot(-toLight, light.direction);
        if (rho <= light.cosHalfPhi) return std::nullopt;
        if (rho < light.cosHalfTheta) {
            const float t = (rho - light.cosHalfPhi) / (light.cosHalfTheta - light.cosHalfPhi);
            scale *= light.falloff == 1.0f ? t : std::pow(t, light.falloff);
        }
    }
    return LightRay{toLight, scale};
}

} // namespace

ColorValue unpackColour(std::uint32_t argb) {
    constexpr float toUnit = 1.0f / 255.0f;
    return {static_cast<float>((argb >> 16) & 0xFF) * toUnit, static_cast<float>((argb >> 8) & 0xFF) * toUnit,
            static_cast<float>(argb & 0xFF) * toUnit, static_cast<float>(argb >> 24) * toUnit};
}

LightingSetup prepareLighting(const FixedFunctionState& state, bool vertexHasDiffuse,
                              bool vertexHasSpecular) {
    const auto& rs = state.renderStates;
    LightingSetup setup;
    for (const auto& slot : state.lights)
        if (slot.enabled) setup.lights[setup.lightCount++] = activeLightFrom(slot.light);
    setup.globalAmbient = unpackColour(rs[D3DRS_AMBIENT]);
    setup.material = state.material;

    const bool colourVertex = rs[D3DRS_COLORVERTEX] != 0;
    setup.diffuseSource =
        sourceFor(rs[D3DRS_DIFFUSEMATERIALSOURCE], colourVertex, vertexHasDiffuse, vertexHasSpecular);
    setup.ambientSource =
        sourceFor(rs[D3DRS_AMBIENTMATERIALSOURCE], colourVertex, vertexHasDiffuse, vertexHasSpecular);
    setup.specularSource =
        sourceFor(rs[D3DRS_SPECULARMATERIALSOURCE], colourVertex, vertexHasDiffuse, vertexHasSpecular);
    setup.emissiveSource =
        sourceFor(rs[D3DRS_EMISSIVEMATERIALSOURCE], colourVertex, vertexHasDiffuse, vertexHasSpecular);

    setup.specular = rs[D3DRS_SPECULARENABLE] != 0;
    setup.localViewer = rs[D3DRS_LOCALVIEWER] != 0;
    setup.needsPosition = setup.specular && setup.localViewer;
    for (int i = 0; i < setup.lightCount; ++i)
        if (setup.lights[i].type != D3DLIGHT_DIRECTIONAL) setup.needsPosition = true;
    // The camera sits at the origin of view space and looks along its +z.
    if (const auto viewToWorld = inverse(state.view)) {
        const auto& m = viewToWorld->m;
        setup.eyePosition = {m[3][0], m[3][1], m[3][2]};
        setup.towardsViewer = -normalize(Vector3{m[2][0], m[2][1], m[2][2]});
    }
    return setup;
}

LitColour lightVertex(const LightingSetup& setup, Vector3 position, Vector3 normal,
                      const VertexColours& colours) {
    const ColorValue& diffuse = pick(setup.diffuseSource, setup.material.diffuse, colours);
    const ColorValue& ambient = pick(setup.ambientSource, setup.material.ambient, colours);
    const ColorValue& emissive = pick(setup.emissiveSource, setup.material.emissive, colours);

    ColorValue ambientSum = setup.globalAmbient;
    ColorValue diffuseSum{};
    ColorValue specularSum{};
    const Vector3 towardsViewer = !setup.specular     ? Vector3{}
                                  : setup.localViewer ? normalize(setup.eyePosition - position)
                                                      : setup.towardsViewer;

    for (int i = 0; i < setup.lightCount; ++i) {
        const ActiveLight& light = setup.lights[i];
        const auto ray = rayTowards(light, position);
        if (!ray) continue;
        addScaled(ambientSum, light.ambient, ray->scale);
        const float nDotL = dot(normal, ray->toLight);
        if (nDotL > 0.0f) addScaled(diffuseSum, light.diffuse, nDotL * ray->scale);
        if (setup.specular) {
            const float nDotH = dot(normal, normalize(ray->toLight + towardsViewer));
            if (nDotH > 0.0f)
                addScaled(specularSum, light.specular, std::pow(nDotH, setup.material.power) * ray->scale);
        }
    }

    LitColour lit;
    lit.diffuse = clamped({emissive.r + ambient.r * ambientSum.r + diffuse.r * diffuseSum.r,
                           emissive.g + ambient.g * ambientSum.g + diffuse.g * diffuseSum.g,
                           emissive.b + ambient.b * ambientSum.b + diffuse.b * diffuseSum.b, diffuse.a});
    if (setup.specular) {
        const ColorValue& specular = pick(setup.specularSource, setup.material.specular, colours);
        lit.specular = clamped(specular * specularSum);
        lit.specular.a = 0.0f;
    }
    return lit;
}

} // namespace bw::fixedfunction
