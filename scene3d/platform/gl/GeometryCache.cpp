#include "scene3d/platform/gl/GeometryCache.h"

#include <QOpenGLFunctions_3_3_Core>

#include "scene3d/platform/gl/FixedFunctionShaders.h"

namespace bw::gl {

namespace {

std::uint32_t indexSize(IndexFormat format) { return format == IndexFormat::Bits16 ? 2 : 4; }

GLenum indexType(IndexFormat format) {
    return format == IndexFormat::Bits16 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
}

// Bytes of count vertices: the last one need not have the stride's padding behind it.
GLsizeiptr vertexBytes(std::uint32_t count, std::uint32_t stride, const fixedfunction::VertexFields& fields) {
    return static_cast<GLsizeiptr>(count - 1) * stride + fields.size;
}

void attribute(GlFunctions& gl, GLuint location, int offset, GLint size, GLenum type, GLboolean normalised,
               std::uint32_t stride) {
    if (offset < 0) {
        gl.glDisableVertexAttribArray(location);
        return;
    }
    gl.glEnableVertexAttribArray(location);
    gl.glVertexAttribPointer(location, size, type, normalised, static_cast<GLsizei>(stride),
                             reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset)));
}

// Points the bound vertex array at the bound vertex buffer. Packed colours are
// 0xAARRGGBB words, which BGRA order reads as red, green, blue, alpha.
void describeVertices(GlFunctions& gl, const fixedfunction::VertexFields& fields, std::uint32_t stride) {
    attribute(gl, attributePosition, 0, 3, GL_FLOAT, GL_FALSE, stride);
    attribute(gl, attributeNormal, fields.normal, 3, GL_FLOAT, GL_FALSE, stride);
    attribute(gl, attributeDiffuse, fields.diffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride);
    attribute(gl, attributeSpecular, fields.specular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride);
    attribute(gl, attributeTexCoord, fields.texCoord, 2, GL_FLOAT, GL_FALSE, stride);
}

void deleteBuffers(GlFunctions& gl, const auto& buffers) {
    if (buffers.vertexArray) gl.glDeleteVertexArrays(1, &buffers.vertexArray);
    if (buffers.vertexBuffer) gl.glDeleteBuffers(1, &buffers.vertexBuffer);
    if (buffers.indexBuffer) gl.glDeleteBuffers(1, &buffers.indexBuffer);
}

template <typename B> void createBuffers(GlFunctions& gl, B& buffers) {
    gl.glGenVertexArrays(1, &buffers.vertexArray);
    gl.glGenBuffers(1, &buffers.vertexBuffer);
    gl.glGenBuffers(1, &buffers.indexBuffer);
}

} // namespace

std::optional<GeometryDraw> GeometryCache::prepare(GlFunctions& gl, const IndexedTriangles& batch,
                                                   const fixedfunction::VertexFields& fields,
                                                   std::uint32_t stride, std::uint64_t frame) {
    if (batch.contentRevision == 0) return streamed(gl, batch, fields, stride);

    NamedGeometry& geometry = namedFor(gl, batch, fields, stride);
    geometry.lastUsedFrame = frame;
    const std::uint32_t begin = batch.firstFace * 3;
    const std::uint32_t end = begin + batch.faceCount * 3;
    // Content whose every index is in range needs no look at the indices of each draw.
    if (geometry.highestIndex >= batch.vertexCount &&
        indexRangeOf(batch, begin, end).highest >= batch.vertexCount)
        return std::nullopt;
    gl.glBindVertexArray(geometry.buffers.vertexArray);
    return GeometryDraw{indexType(batch.indexFormat), std::uintptr_t{begin} * indexSize(batch.indexFormat),
                        static_cast<std::int32_t>(batch.faceCount * 3), 0};
}

GeometryCache::NamedGeometry& GeometryCache::namedFor(GlFunctions& gl, const IndexedTriangles& batch,
                                                      const fixedfunction::VertexFields& fields,
                                                      std::uint32_t stride) {
    auto found = named_.find(batch.contentRevision);
    if (found != named_.end()) {
        const NamedGeometry& kept = found->second;
        if (kept.fvf == batch.fvf && kept.stride == stride && kept.vertexCount == batch.vertexCount &&
            kept.indexCount == batch.indexCount && kept.indexFormat == batch.indexFormat)
            return found->second;
        // The same name for differently shaped data: the caller broke its promise, so the
        // new data wins.
        deleteBuffers(gl, kept.buffers);
        named_.erase(found);
    }

    NamedGeometry geometry;
    geometry.fvf = batch.fvf;
    geometry.stride = stride;
    geometry.vertexCount = batch.vertexCount;
    geometry.indexCount = batch.indexCount;
    geometry.indexFormat = batch.indexFormat;
    geometry.highestIndex = indexRangeOf(batch, 0, batch.indexCount).highest;
    createBuffers(gl, geometry.buffers);
    gl.glBindVertexArray(geometry.buffers.vertexArray);
    gl.glBindBuffer(GL_ARRAY_BUFFER, geometry.buffers.vertexBuffer);
    gl.glBufferData(GL_ARRAY_BUFFER, vertexBytes(batch.vertexCount, stride, fields), batch.vertices,
                    GL_STATIC_DRAW);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, geometry.buffers.indexBuffer);
    gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                    static_cast<GLsizeiptr>(batch.indexCount) * indexSize(batch.indexFormat), batch.indices,
                    GL_STATIC_DRAW);
    describeVertices(gl, fields, stride);
    ++counters_.namedGeometryUploads;
    return named_.emplace(batch.contentRevision, geometry).first->second;
}

std::optional<GeometryDraw> GeometryCache::streamed(GlFunctions& gl, const IndexedTriangles& batch,
                                                    const fixedfunction::VertexFields& fields,
                                                    std::uint32_t stride) {
    const std::uint32_t begin = batch.firstFace * 3;
    const std::uint32_t count = batch.faceCount * 3;
    const IndexRange range = indexRangeOf(batch, begin, begin + count);
    if (range.highest >= batch.vertexCount) return std::nullopt;

    if (!stream_.vertexArray) createBuffers(gl, stream_);
    gl.glBindVertexArray(stream_.vertexArray);
    // Only the vertices the faces use; the draw's base vertex takes the indices there.
    const auto* first = static_cast<const std::uint8_t*>(batch.vertices) + std::size_t{range.lowest} * stride;
    gl.glBindBuffer(GL_ARRAY_BUFFER, stream_.vertexBuffer);
    gl.glBufferData(GL_ARRAY_BUFFER, vertexBytes(range.highest - range.lowest + 1, stride, fields), first,
                    GL_STREAM_DRAW);
    const std::uint32_t size = indexSize(batch.indexFormat);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, stream_.indexBuffer);
    gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * size,
                    static_cast<const std::uint8_t*>(batch.indices) + std::size_t{begin} * size,
                    GL_STREAM_DRAW);
    describeVertices(gl, fields, stride);
    ++counters_.streamedDraws;
    return GeometryDraw{indexType(batch.indexFormat), 0, static_cast<std::int32_t>(count),
                        -static_cast<std::int32_t>(range.lowest)};
}

void GeometryCache::evictUnusedBefore(GlFunctions& gl, std::uint64_t frame) {
    for (auto it = named_.begin(); it != named_.end();) {
        if (it->second.lastUsedFrame < frame) {
            deleteBuffers(gl, it->second.buffers);
            it = named_.erase(it);
        } else {
            ++it;
        }
    }
}

void GeometryCache::release(GlFunctions& gl) {
    for (const auto& [revision, geometry] : named_)
        deleteBuffers(gl, geometry.buffers);
    deleteBuffers(gl, stream_);
    abandon();
}

void GeometryCache::abandon() {
    named_.clear();
    stream_ = {};
}

} // namespace bw::gl
