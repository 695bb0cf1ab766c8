#pragma once
// Per-vertex lighting of the fixed-function pipeline, in world space:
//   colour   = emissive + ambient x (global ambient + sum of light ambients)
//              + sum of diffuse x light diffuse x max(0, N.L)
//   specular = specular x sum of light specular x max(0, N.H)^power   (when enabled)
// Each light's terms are scaled by its attenuation and spot factor; both results are
// clamped to [0, 1], and the alpha is the diffuse source's alpha.

#include <array>
#include <cstdint>

#include "scene3d/math/ColorValue.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/platform/fixedfunction/PipelineState.h"

namespace bw::fixedfunction {

struct ActiveLight {
    LightType type = D3DLIGHT_DIRECTIONAL;
    Vector3 toLight;   // directional: unit vector towards the light
    Vector3 position;  // point and spot
    Vector3 direction; // spot: unit vector the light shines along
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    float range = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    float cosHalfTheta = 1.0f;
    float cosHalfPhi = 1.0f;
    float falloff = 1.0f;
};

// Which colour each material term comes from.
enum class ColourSource : std::uint8_t { Material, VertexDiffuse, VertexSpecular };

struct LightingSetup {
    std::array<ActiveLight, deviceLightCount> lights;
    int lightCount = 0;
    ColorValue globalAmbient;
    Material material;
    ColourSource diffuseSource = ColourSource::Material;
    ColourSource ambientSource = ColourSource::Material;
    ColourSource specularSource = ColourSource::Material;
    ColourSource emissiveSource = ColourSource::Material;
    bool specular = false;
    bool localViewer = true;
    Vector3 eyePosition;        // world space, for a local viewer
    Vector3 towardsViewer;      // world space, for an infinite viewer
    bool needsPosition = false; // point or spot lights, or a local viewer's specular
};

// The per-vertex colours a vertex may carry, already unpacked to [0, 1].
struct VertexColours {
    ColorValue diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    ColorValue specular{0.0f, 0.0f, 0.0f, 0.0f};
};

struct LitColour {
    ColorValue diffuse;
    ColorValue specular;
};

// Lights and colour sources of the current state; which vertex colours exist decides
// whether the colour-source render states can apply.
LightingSetup prepareLighting(const FixedFunctionState& state, bool vertexHasDiffuse, bool vertexHasSpecular);

LitColour lightVertex(const LightingSetup& setup, Vector3 position, Vector3 normal,
                      const VertexColours& colours);

ColorValue unpackColour(std::uint32_t argb);

} // namespace bw::fixedfunction
