#pragma once
// The GLSL of the fixed-function program: per-vertex lighting as the reference device's
// VertexLighting does it, Gouraud or flat colours, texture stage 0 modulated, and the
// specular colour added.

namespace bw::gl {

// Vertex attribute locations of the program.
enum AttributeLocation : unsigned {
    attributePosition = 0,
    attributeNormal = 1,
    attributeDiffuse = 2,
    attributeSpecular = 3,
    attributeTexCoord = 4,
};

extern const char* const fixedFunctionVertexShader;
extern const char* const fixedFunctionFragmentShader;

} // namespace bw::gl
