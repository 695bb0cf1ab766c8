#include "scene3d/platform/device/IndexedTriangles.h"

#include <atomic>

namespace bw {

IndexedTriangles subsetTriangles(const void* vertices, std::uint32_t vertexCount, std::uint32_t fvf,
                                 std::span<const std::uint32_t> indices, std::uint32_t firstFace,
                                 std::uint32_t faceCount, std::uint64_t contentRevision) {
    IndexedTriangles triangles;
    triangles.vertices = vertices;
    triangles.vertexCount = vertexCount;
    triangles.fvf = fvf;
    triangles.indices = indices.data();
    triangles.indexFormat = IndexFormat::Bits32;
    triangles.indexCount = static_cast<std::uint32_t>(indices.size());
    triangles.firstFace = firstFace;
    triangles.faceCount = faceCount;
    triangles.contentRevision = contentRevision;
    return triangles;
}

std::uint64_t nextContentRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace bw
