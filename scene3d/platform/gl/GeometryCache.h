#pragma once
// Vertex and index buffers on the GPU. Content a draw names with a nonzero revision is
// uploaded once and drawn from its buffers afterwards; buffers of revisions not drawn for
// a while are freed, so that a long session does not pile them up. Unnamed content goes
// up with each draw, through one pair of buffers that is refilled.

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "scene3d/platform/device/IndexedTriangles.h"
#include "scene3d/platform/fixedfunction/VertexProcessor.h"
#include "scene3d/platform/gl/GpuUploadCounters.h"
#include "scene3d/platform/gl/OffscreenContext.h"

namespace bw::gl {

// A draw as OpenGL issues it (glDrawElementsBaseVertex), its vertex array bound.
struct GeometryDraw {
    std::uint32_t indexType = 0;
    std::uintptr_t indexByteOffset = 0;
    std::int32_t indexCount = 0;
    std::int32_t baseVertex = 0;
};

class GeometryCache {
public:
    explicit GeometryCache(GpuUploadCounters& counters) : counters_(counters) {}

    // Binds the vertex array of the batch's faces and tells how to draw them. The batch
    // is valid as the reference device checks it (vertices and indices given, enough
    // indices, vertex fields of a drawable format, stride at least the vertex size);
    // empty when one of the drawn indices lies past the vertices.
    std::optional<GeometryDraw> prepare(GlFunctions& gl, const IndexedTriangles& batch,
                                        const fixedfunction::VertexFields& fields, std::uint32_t stride,
                                        std::uint64_t frame);
    // Frees the buffers of revisions last drawn before frame.
    void evictUnusedBefore(GlFunctions& gl, std::uint64_t frame);
    void release(GlFunctions& gl);
    void abandon();
    std::size_t residentCount() const { return named_.size(); }

private:
    struct Buffers {
        std::uint32_t vertexArray = 0;
        std::uint32_t vertexBuffer = 0;
        std::uint32_t indexBuffer = 0;
    };
    struct NamedGeometry {
        Buffers buffers;
        std::uint32_t fvf = 0;
        std::uint32_t stride = 0;
        std::uint32_t vertexCount = 0;
        std::uint32_t indexCount = 0;
        IndexFormat indexFormat = IndexFormat::Bits16;
        std::uint32_t highestIndex = 0; // over all its indices
        std::uint64_t lastUsedFrame = 0;
    };

    NamedGeometry& namedFor(GlFunctions& gl, const IndexedTriangles& batch,
                            const fixedfunction::VertexFields& fields, std::uint32_t stride);
    std::optional<GeometryDraw> streamed(GlFunctions& gl, const IndexedTriangles& batch,
                                         const fixedfunction::VertexFields& fields, std::uint32_t stride);

    GpuUploadCounters& counters_;
    std::unordered_map<std::uint64_t, NamedGeometry> named_;
    Buffers stream_;
};

} // namespace bw::gl
