#include "scene3d/platform/fixedfunction/VertexProcessor.h"

#include <xmmintrin.h>

#include <cstring>

#include "scene3d/math/VectorTransform.h"

namespace bw::fixedfunction {

namespace {

Matrix transposed(const Matrix& a) {
    Matrix t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            t.m[r][c] = a.m[c][r];
    return t;
}

template <typename T> T readField(const std::uint8_t* vertex, int offset) {
    T value;
    std::memcpy(&value, vertex + offset, sizeof(T));
    return value;
}

Vector3 readVector(const std::uint8_t* vertex, int offset) {
    float f[3];
    std::memcpy(f, vertex + offset, sizeof f);
    return {f[0], f[1], f[2]};
}

// x, y, z and w at once (SSE2), each summed in the order p.x m0 + p.y m1 + p.z m2 + m3.
void toClipSpace(Vector3 p, const Matrix& matrix, ClipVertex& out) {
    const auto row = [&](int r) { return _mm_loadu_ps(matrix.m[r]); };
    __m128 v = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(p.x), row(0)), _mm_mul_ps(_mm_set1_ps(p.y), row(1)));
    v = _mm_add_ps(v, _mm_mul_ps(_mm_set1_ps(p.z), row(2)));
    v = _mm_add_ps(v, row(3));
    alignas(16) float clip[4];
    _mm_store_ps(clip, v);
    out.x = clip[0];
    out.y = clip[1];
    out.z = clip[2];
    out.w = clip[3];
}

void storeColours(const ColorValue& diffuse, const ColorValue& specular, ClipVertex& out) {
    out.varyings[varyingRed] = diffuse.r;
    out.varyings[varyingGreen] = diffuse.g;
    out.varyings[varyingBlue] = diffuse.b;
    out.varyings[varyingAlpha] = diffuse.a;
    out.varyings[varyingSpecularRed] = specular.r;
    out.varyings[varyingSpecularGreen] = specular.g;
    out.varyings[varyingSpecularBlue] = specular.b;
}

int byteOffset(int slot) { return slot < 0 ? -1 : slot * 4; }

} // namespace

std::optional<VertexFields> vertexFieldsOf(const VertexLayout& layout) {
    if ((layout.fvf & fvf::positionMask) != fvf::xyz) return std::nullopt;
    VertexFields fields;
    fields.size = layout.vertexSize();
    fields.normal = byteOffset(layout.normal);
    fields.diffuse = byteOffset(layout.diffuse);
    fields.specular = byteOffset(layout.specular);
    if (layout.textureSets > 0 && layout.textureDimensions[0] >= 2)
        fields.texCoord = byteOffset(layout.texture[0]);
    return fields;
}

VertexProcessingSetup prepareVertexProcessing(const FixedFunctionState& state, const VertexFields& fields) {
    VertexProcessingSetup setup;
    setup.world = state.world;
    setup.worldViewProjection = state.world * state.view * state.projection;
    // A singular world matrix flattens the geometry; its normals then keep the world's
    // own directions, which is as good as any.
    setup.normalMatrix = transposed(inverse(state.world).value_or(state.world));
    setup.lighting = state.renderStates[D3DRS_LIGHTING] != 0;
    if (setup.lighting)
        setup.lightingSetup = prepareLighting(state, fields.diffuse >= 0, fields.specular >= 0);
    return setup;
}

void processVertices(const VertexProcessingSetup& setup, const VertexInput& input, std::uint32_t first,
                     std::uint32_t count, ClipVertex* out, LitColourStore store) {
    const VertexFields& fields = input.fields;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* vertex = input.data + static_cast<std::size_t>(first + i) * input.stride;
        ClipVertex& result = out[i];
        const Vector3 position = readVector(vertex, 0);
        toClipSpace(position, setup.worldViewProjection, result);

        if (setup.lighting && store.valid) {
            storeColours(store.colours[i].diffuse, store.colours[i].specular, result);
        } else {
            VertexColours colours;
            if (fields.diffuse >= 0)
                colours.diffuse = unpackColour(readField<std::uint32_t>(vertex, fields.diffuse));
            if (fields.specular >= 0)
                colours.specular = unpackColour(readField<std::uint32_t>(vertex, fields.specular));
            if (setup.lighting) {
                const Vector3 normal = fields.normal >= 0 ? readVector(vertex, fields.normal) : Vector3{};
                const Vector3 worldPosition =
                    setup.lightingSetup.needsPosition ? transformCoord(position, setup.world) : Vector3{};
                const LitColour lit =
                    lightVertex(setup.lightingSetup, worldPosition,
                                normalize(transformNormal(normal, setup.normalMatrix)), colours);
                if (store.colours) store.colours[i] = lit;
                storeColours(lit.diffuse, lit.specular, result);
            } else {
                storeColours(colours.diffuse, colours.specular, result);
            }
        }

        if (fields.texCoord >= 0) {
            result.varyings[varyingU] = readField<float>(vertex, fields.texCoord);
            result.varyings[varyingV] = readField<float>(vertex, fields.texCoord + 4);
        } else {
            result.varyings[varyingU] = 0.0f;
            result.varyings[varyingV] = 0.0f;
        }
    }
}

} // namespace bw::fixedfunction
