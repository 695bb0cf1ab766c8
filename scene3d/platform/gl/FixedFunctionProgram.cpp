#include "scene3d/platform/gl/FixedFunctionProgram.h"

#include <algorithm>
#include <QOpenGLFunctions_3_3_Core>

#include "scene3d/platform/gl/FixedFunctionShaders.h"

namespace bw::gl {

namespace {

// In the order of FixedFunctionProgram::Uniform; arrays by their first element.
constexpr const char* uniformNames[] = {
    "worldViewProjection", "world",
    "normalMatrix",        "clipOffset",
    "lightingEnabled",     "specularEnabled",
    "localViewer",         "lightCount",
    "lightType[0]",        "lightToLight[0]",
    "lightPosition[0]",    "lightDirection[0]",
    "lightDiffuse[0]",     "lightSpecular[0]",
    "lightAmbient[0]",     "lightRange[0]",
    "lightAttenuation[0]", "lightCone[0]",
    "globalAmbient",       "materialDiffuse",
    "materialAmbient",     "materialSpecular",
    "materialEmissive",    "materialPower",
    "colourSources",       "eyePosition",
    "towardsViewer",       "textured",
    "flatShading",         "stage0",
    "vertexHas",
};

GLuint compile(GlFunctions& gl, GLenum stage, const char* source, std::string& error) {
    const GLuint shader = gl.glCreateShader(stage);
    gl.glShaderSource(shader, 1, &source, nullptr);
    gl.glCompileShader(shader);
    GLint ok = GL_FALSE;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    GLint length = 0;
    gl.glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    gl.glGetShaderInfoLog(shader, length, nullptr, log.data());
    error = log;
    gl.glDeleteShader(shader);
    return 0;
}

} // namespace

static_assert(std::size(uniformNames) == 31, "one name per uniform");

bool FixedFunctionProgram::create(GlFunctions& gl, std::string& error) {
    release(gl);
    const GLuint vertex = compile(gl, GL_VERTEX_SHADER, fixedFunctionVertexShader, error);
    if (!vertex) return false;
    const GLuint fragment = compile(gl, GL_FRAGMENT_SHADER, fixedFunctionFragmentShader, error);
    if (!fragment) {
        gl.glDeleteShader(vertex);
        return false;
    }
    const GLuint program = gl.glCreateProgram();
    gl.glAttachShader(program, vertex);
    gl.glAttachShader(program, fragment);
    gl.glLinkProgram(program);
    gl.glDetachShader(program, vertex);
    gl.glDetachShader(program, fragment);
    gl.glDeleteShader(vertex);
    gl.glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    gl.glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint length = 0;
        gl.glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        error.assign(static_cast<std::size_t>(std::max(length, 1)), '\0');
        gl.glGetProgramInfoLog(program, length, nullptr, error.data());
        gl.glDeleteProgram(program);
        return false;
    }
    program_ = program;
    for (int i = 0; i < uniformCount; ++i)
        locations_[static_cast<std::size_t>(i)] = gl.glGetUniformLocation(program, uniformNames[i]);
    gl.glUseProgram(program_);
    gl.glUniform1i(locations_[stage0], 0);
    return true;
}

void FixedFunctionProgram::release(GlFunctions& gl) {
    if (program_) gl.glDeleteProgram(program_);
    abandon();
}

void FixedFunctionProgram::abandon() {
    program_ = 0;
    sentTransform_.reset();
    sentLighting_.reset();
    sentFragment_.reset();
    sentInput_.reset();
    sentClipOffset_.reset();
}

void FixedFunctionProgram::use(GlFunctions& gl, const ShaderConstants& constants,
                               const GlViewportPlacement& viewport) {
    gl.glUseProgram(program_);
    if (sentTransform_ != constants.transform) sendTransform(gl, constants.transform);
    if (sentLighting_ != constants.lighting) sendLighting(gl, constants.lighting);
    if (sentFragment_ != constants.fragment) sendFragment(gl, constants.fragment);
    if (sentInput_ != constants.input) {
        gl.glUniform4iv(locations_[vertexHas], 1, constants.input.present.data());
        sentInput_ = constants.input;
    }
    const std::array<float, 2> clipOffset{viewport.clipOffsetX, viewport.clipOffsetY};
    if (sentClipOffset_ != clipOffset) {
        gl.glUniform2fv(locations_[Uniform::clipOffset], 1, clipOffset.data());
        sentClipOffset_ = clipOffset;
    }
}

void FixedFunctionProgram::sendTransform(GlFunctions& gl, const TransformConstants& c) {
    gl.glUniformMatrix4fv(locations_[worldViewProjection], 1, GL_FALSE, c.worldViewProjection.data());
    gl.glUniformMatrix4fv(locations_[world], 1, GL_FALSE, c.world.data());
    gl.glUniformMatrix3fv(locations_[normalMatrix], 1, GL_FALSE, c.normalMatrix.data());
    sentTransform_ = c;
}

void FixedFunctionProgram::sendLighting(GlFunctions& gl, const LightingConstants& c) {
    gl.glUniform1i(locations_[lightingEnabled], c.enabled);
    gl.glUniform1i(locations_[localViewer], c.localViewer);
    gl.glUniform1i(locations_[lightCount], c.lightCount);
    gl.glUniform1iv(locations_[lightType], shaderLightCount, c.lightType.data());
    gl.glUniform3fv(locations_[lightToLight], shaderLightCount, c.toLight.data());
    gl.glUniform3fv(locations_[lightPosition], shaderLightCount, c.position.data());
    gl.glUniform3fv(locations_[lightDirection], shaderLightCount, c.direction.data());
    gl.glUniform3fv(locations_[lightDiffuse], shaderLightCount, c.diffuse.data());
    gl.glUniform3fv(locations_[lightSpecular], shaderLightCount, c.specularColour.data());
    gl.glUniform3fv(locations_[lightAmbient], shaderLightCount, c.ambient.data());
    gl.glUniform1fv(locations_[lightRange], shaderLightCount, c.range.data());
    gl.glUniform3fv(locations_[lightAttenuation], shaderLightCount, c.attenuation.data());
    gl.glUniform3fv(locations_[lightCone], shaderLightCount, c.cone.data());
    gl.glUniform3fv(locations_[globalAmbient], 1, c.globalAmbient.data());
    gl.glUniform4fv(locations_[materialDiffuse], 1, c.materialDiffuse.data());
    gl.glUniform4fv(locations_[materialAmbient], 1, c.materialAmbient.data());
    gl.glUniform4fv(locations_[materialSpecular], 1, c.materialSpecular.data());
    gl.glUniform4fv(locations_[materialEmissive], 1, c.materialEmissive.data());
    gl.glUniform1f(locations_[materialPower], c.materialPower);
    gl.glUniform4iv(locations_[colourSources], 1, c.colourSources.data());
    gl.glUniform3fv(locations_[eyePosition], 1, c.eyePosition.data());
    gl.glUniform3fv(locations_[towardsViewer], 1, c.towardsViewer.data());
    sentLighting_ = c;
}

void FixedFunctionProgram::sendFragment(GlFunctions& gl, const FragmentConstants& c) {
    gl.glUniform1i(locations_[textured], c.textured);
    gl.glUniform1i(locations_[specularEnabled], c.specular);
    gl.glUniform1i(locations_[flatShading], c.flatShading);
    sentFragment_ = c;
}

} // namespace bw::gl
