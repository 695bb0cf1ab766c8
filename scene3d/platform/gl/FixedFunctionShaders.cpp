#include "scene3d/platform/gl/FixedFunctionShaders.h"

namespace bw::gl {

// Matrices arrive row after row in the row-vector convention; read column by column they
// are transposed, so M * v here computes v x M there.
const char* const fixedFunctionVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normalIn;
layout(location = 2) in vec4 diffuseIn;
layout(location = 3) in vec4 specularIn;
layout(location = 4) in vec2 texCoordIn;

// Fields the vertices lack read as the reference's defaults: no normal, white diffuse,
// black specular, texture coordinates 0.
uniform ivec4 vertexHas;
vec3 normal;
vec4 vertexDiffuse;
vec4 vertexSpecular;

uniform mat4 worldViewProjection;
uniform mat4 world;
uniform mat3 normalMatrix;
uniform vec2 clipOffset;

uniform int lightingEnabled;
uniform int specularEnabled;
uniform int localViewer;
uniform int lightCount;
uniform int lightType[8];
uniform vec3 lightToLight[8];
uniform vec3 lightPosition[8];
uniform vec3 lightDirection[8];
uniform vec3 lightDiffuse[8];
uniform vec3 lightSpecular[8];
uniform vec3 lightAmbient[8];
uniform float lightRange[8];
uniform vec3 lightAttenuation[8];
uniform vec3 lightCone[8];
uniform vec3 globalAmbient;
uniform vec4 materialDiffuse;
uniform vec4 materialAmbient;
uniform vec4 materialSpecular;
uniform vec4 materialEmissive;
uniform float materialPower;
uniform ivec4 colourSources;
uniform vec3 eyePosition;
uniform vec3 towardsViewer;

out vec4 smoothDiffuse;
flat out vec4 flatDiffuse;
out vec3 smoothSpecular;
flat out vec3 flatSpecular;
out vec2 uv;

const int POINT = 1;
const int SPOT = 2;
const int DIRECTIONAL = 3;

// A zero vector stays zero.
vec3 unit(vec3 v) {
    float len = length(v);
    return len > 0.0 ? v * (1.0 / len) : vec3(0.0);
}

vec4 colourFrom(int source, vec4 material) {
    if (source == 1) return vertexDiffuse;
    if (source == 2) return vertexSpecular;
    return material;
}

void light(vec3 worldPosition, vec3 n, out vec4 diffuseOut, out vec3 specularOut) {
    vec4 diffuse = colourFrom(colourSources.x, materialDiffuse);
    vec4 ambient = colourFrom(colourSources.y, materialAmbient);
    vec4 emissive = colourFrom(colourSources.w, materialEmissive);
    bool specular = specularEnabled != 0;

    vec3 ambientSum = globalAmbient;
    vec3 diffuseSum = vec3(0.0);
    vec3 specularSum = vec3(0.0);
    vec3 viewer = !specular ? vec3(0.0) : localViewer != 0 ? unit(eyePosition - worldPosition) : towardsViewer;

    for (int i = 0; i < lightCount; ++i) {
        vec3 toLight = lightToLight[i];
        float scale = 1.0;
        if (lightType[i] != DIRECTIONAL) {
            vec3 offset = lightPosition[i] - worldPosition;
            float distance = length(offset);
            if (distance > lightRange[i]) continue;
            toLight = distance > 0.0 ? offset * (1.0 / distance) : vec3(0.0);
            float denominator = lightAttenuation[i].x + lightAttenuation[i].y * distance +
                                lightAttenuation[i].z * distance * distance;
            scale = denominator > 0.0 ? 1.0 / denominator : 1.0;
            if (lightType[i] == SPOT) {
                float rho = dot(-toLight, lightDirection[i]);
                float cosHalfTheta = lightCone[i].x;
                float cosHalfPhi = lightCone[i].y;
                float falloff = lightCone[i].z;
                if (rho <= cosHalfPhi) continue;
                if (rho < cosHalfTheta) {
                    float t = (rho - cosHalfPhi) / (cosHalfTheta - cosHalfPhi);
                    scale *= falloff == 1.0 ? t : pow(t, falloff);
                }
            }
        }
        ambientSum += lightAmbient[i] * scale;
        float nDotL = dot(n, toLight);
        if (nDotL > 0.0) diffuseSum += lightDiffuse[i] * (nDotL * scale);
        if (specular) {
            float nDotH = dot(n, unit(toLight + viewer));
            if (nDotH > 0.0) specularSum += lightSpecular[i] * (pow(nDotH, materialPower) * scale);
        }
    }

    diffuseOut = clamp(vec4(emissive.rgb + ambient.rgb * ambientSum + diffuse.rgb * diffuseSum, diffuse.a),
                       0.0, 1.0);
    specularOut = specular ? clamp(colourFrom(colourSources.z, materialSpecular).rgb * specularSum, 0.0, 1.0)
                           : vec3(0.0);
}

void main() {
    normal = vertexHas.x != 0 ? normalIn : vec3(0.0);
    vertexDiffuse = vertexHas.y != 0 ? diffuseIn : vec4(1.0);
    vertexSpecular = vertexHas.z != 0 ? specularIn : vec4(0.0);

    vec4 clip = worldViewProjection * vec4(position, 1.0);
    // Half a pixel towards the reference's pixel centres, and depth 0 .. w onto -w .. w.
    gl_Position = vec4(clip.x + clipOffset.x * clip.w, clip.y + clipOffset.y * clip.w,
                       2.0 * clip.z - clip.w, clip.w);

    vec4 diffuse = vertexDiffuse;
    vec3 specular = vertexSpecular.rgb;
    if (lightingEnabled != 0) {
        vec4 p = world * vec4(position, 1.0);
        vec3 worldPosition = p.w == 0.0 ? p.xyz : p.xyz / p.w;
        light(worldPosition, unit(normalMatrix * normal), diffuse, specular);
    }
    smoothDiffuse = diffuse;
    flatDiffuse = diffuse;
    smoothSpecular = specular;
    flatSpecular = specular;
    uv = vertexHas.w != 0 ? texCoordIn : vec2(0.0);
}
)";

const char* const fixedFunctionFragmentShader = R"(#version 330 core
in vec4 smoothDiffuse;
flat in vec4 flatDiffuse;
in vec3 smoothSpecular;
flat in vec3 flatSpecular;
in vec2 uv;

uniform int textured;
uniform int specularEnabled;
uniform int flatShading;
uniform sampler2D stage0;

out vec4 colour;

void main() {
    vec4 diffuse = flatShading != 0 ? flatDiffuse : smoothDiffuse;
    vec3 specular = flatShading != 0 ? flatSpecular : smoothSpecular;
    vec4 c = diffuse;
    if (textured != 0) {
        vec4 texel = texture(stage0, uv);
        c = vec4(clamp(diffuse.rgb, 0.0, 1.0) * texel.rgb, texel.a);
    }
    if (specularEnabled != 0) c.rgb = clamp(c.rgb, 0.0, 1.0) + specular;
    colour = c;
}
)";

} // namespace bw::gl
