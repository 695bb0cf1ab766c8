#pragma once
// Vertex stage: reads the caller's vertices, takes them to clip space by world x view x
// projection and lights them (or passes their colours through with lighting off).

#include <cstdint>
#include <optional>

#include "scene3d/math/Matrix.h"
#include "scene3d/platform/fixedfunction/PipelineState.h"
#include "scene3d/platform/fixedfunction/PipelineVertex.h"
#include "scene3d/platform/fixedfunction/VertexLighting.h"
#include "scene3d/platform/mesh/VertexLayout.h"

namespace bw::fixedfunction {

// Byte offsets of the fields the vertex stage reads; -1 for a field the vertex lacks.
struct VertexFields {
    std::uint32_t size = 0;
    int normal = -1;
    int diffuse = -1;  // 0xAARRGGBB
    int specular = -1; // 0xAARRGGBB
    int texCoord = -1; // first set, u and v
};

// The fields of an untransformed (x, y, z) vertex format; empty for pre-transformed or
// blended positions, which this device does not process.
std::optional<VertexFields> vertexFieldsOf(const VertexLayout& layout);

struct VertexInput {
    const std::uint8_t* data = nullptr;
    std::uint32_t stride = 0;
    VertexFields fields;
};

struct VertexProcessingSetup {
    Matrix worldViewProjection;
    Matrix world;
    Matrix normalMatrix; // inverse transpose of the world matrix (upper 3x3 used)
    bool lighting = true;
    LightingSetup lightingSetup;
};

// Whether a draw lights its vertices or takes colours kept from an earlier draw (see
// LitColourCache.h), which needs neither the normal matrix nor the lights.
enum class LitColourSource : std::uint8_t { Lighting, Kept };

VertexProcessingSetup prepareVertexProcessing(const FixedFunctionState& state, const VertexFields& fields,
                                              LitColourSource colours = LitColourSource::Lighting);

// Lit colours of the vertices from an earlier draw of them under the same lighting
// (valid), or room to keep the colours this draw computes (not valid). Without colours,
// neither.
struct LitColourStore {
    LitColour* colours = nullptr;
    bool valid = false;
};

// Processes vertices first .. first + count - 1 of the input into out[0 .. count - 1];
// with lighting on, store.colours[0 .. count - 1] are those vertices' lit colours.
void processVertices(const VertexProcessingSetup& setup, const VertexInput& input, std::uint32_t first,
                     std::uint32_t count, ClipVertex* out, LitColourStore store = {});

} // namespace bw::fixedfunction
