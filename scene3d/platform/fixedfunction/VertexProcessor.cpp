#include "scene3d/platform/fixedfunction/VertexProcessor.h"

#include <xmmintrin.h>

#include <cstddef>
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

// The rows of a matrix in registers: the vertex loop's stores might otherwise alias them.
struct MatrixRows {
    __m128 row[4];

    explicit MatrixRows(const Matrix& matrix) {
        for (int r = 0; r < 4; ++r)
            row[r] = _mm_loadu_ps(matrix.m[r]);
    }
};

// x, y, z and w at once (SSE2), each summed in the order p.x m0 + p.y m1 + p.z m2 + m3.
void toClipSpace(Vector3 p, const MatrixRows& matrix, ClipVertex& out) {
    static_assert(offsetof(ClipVertex, w) == 3 * sizeof(float));
    __m128 v =
        _mm_add_ps(_mm_mul_ps(_mm_set1_ps(p.x), matrix.row[0]), _mm_mul_ps(_mm_set1_ps(p.y), matrix.row[1]));
    v = _mm_add_ps(v, _mm_mul_ps(_mm_set1_ps(p.z), matrix.row[2]));
    _mm_storeu_ps(&out.x, _mm_add_ps(v, matrix.row[3]));
}

// Diffuse r, g, b, a and specular r, g, b lie in the order of the varyings.
void storeColours(const ColorValue& diffuse, const ColorValue& specular, ClipVertex& out) {
    static_assert(varyingGreen == varyingRed + 1 && varyingBlue == varyingRed + 2 &&
                  varyingAlpha == varyingRed + 3);
    static_assert(varyingSpecularGreen == varyingSpecularRed + 1 &&
                  varyingSpecularBlue == varyingSpecularRed + 2);
    static_assert(offsetof(ColorValue, g) == sizeof(float) && offsetof(ColorValue, b) == 2 * sizeof(float) &&
                  offsetof(ColorValue, a) == 3 * sizeof(float));
    std::memcpy(&out.varyings[varyingRed], &diffuse, 4 * sizeof(float));
    std::memcpy(&out.varyings[varyingSpecularRed], &specular, 3 * sizeof(float));
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

VertexProcessingSetup prepareVertexProcessing(const FixedFunctionState& state, const VertexFields& fields,
                                              LitColourSource colours) {
    VertexProcessingSetup setup;
    setup.world = state.world;
    setup.worldViewProjection = state.world * state.view * state.projection;
    setup.lighting = state.renderStates[D3DRS_LIGHTING] != 0;
    if (colours == LitColourSource::Kept) return setup;
    // A singular world matrix flattens the geometry; its normals then keep the world's
    // own directions, which is as good as any.
    setup.normalMatrix = transposed(inverse(state.world).value_or(state.world));
    if (setup.lighting)
        setup.lightingSetup = prepareLighting(state, fields.diffuse >= 0, fields.specular >= 0);
    return setup;
}

void processVertices(const VertexProcessingSetup& setup, const VertexInput& input, std::uint32_t first,
                     std::uint32_t count, ClipVertex* out, LitColourStore store) {
    const VertexFields& fields = input.fields;
    const MatrixRows worldViewProjection(setup.worldViewProjection);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* vertex = input.data + static_cast<std::size_t>(first + i) * input.stride;
        ClipVertex& result = out[i];
        const Vector3 position = readVector(vertex, 0);
        toClipSpace(position, worldViewProjection, result);

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
