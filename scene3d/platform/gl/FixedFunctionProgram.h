#pragma once
// The shader program that stands in for the fixed-function pipeline, and the upload of
// its constants. Constants equal to the ones last sent are not sent again, so that the
// many draws of one frame mostly send a world matrix and nothing else.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "scene3d/platform/gl/GlViewport.h"
#include "scene3d/platform/gl/OffscreenContext.h"
#include "scene3d/platform/gl/ShaderConstants.h"

namespace bw::gl {

class FixedFunctionProgram {
public:
    // Compiles and links; false (with the compiler's log in error) when OpenGL refuses.
    bool create(GlFunctions& gl, std::string& error);
    void release(GlFunctions& gl);
    void abandon();
    bool exists() const { return program_ != 0; }

    // Makes the program current and sends what changed.
    void use(GlFunctions& gl, const ShaderConstants& constants, const GlViewportPlacement& viewport);

private:
    enum Uniform : int {
        worldViewProjection,
        world,
        normalMatrix,
        clipOffset,
        lightingEnabled,
        specularEnabled,
        localViewer,
        lightCount,
        lightType,
        lightToLight,
        lightPosition,
        lightDirection,
        lightDiffuse,
        lightSpecular,
        lightAmbient,
        lightRange,
        lightAttenuation,
        lightCone,
        globalAmbient,
        materialDiffuse,
        materialAmbient,
        materialSpecular,
        materialEmissive,
        materialPower,
        colourSources,
        eyePosition,
        towardsViewer,
        textured,
        flatShading,
        stage0,
        vertexHas,
        uniformCount
    };

    void sendTransform(GlFunctions& gl, const TransformConstants& constants);
    void sendLighting(GlFunctions& gl, const LightingConstants& constants);
    void sendFragment(GlFunctions& gl, const FragmentConstants& constants);

    std::uint32_t program_ = 0;
    std::array<int, uniformCount> locations_{};
    std::optional<TransformConstants> sentTransform_;
    std::optional<LightingConstants> sentLighting_;
    std::optional<FragmentConstants> sentFragment_;
    std::optional<InputConstants> sentInput_;
    std::optional<std::array<float, 2>> sentClipOffset_;
};

} // namespace bw::gl
