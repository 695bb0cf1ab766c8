#include "scene3d/platform/device/IndexedTriangles.h"

#include <algorithm>
#include <atomic>
#include <limits>

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

namespace {

// One typed loop without a branch per index, which the compiler turns into vector
// minimums and maximums: a draw's indices are scanned at every draw.
template <typename Index> IndexRange rangeOf(const Index* indices, std::uint32_t begin, std::uint32_t end) {
    Index lowest = std::numeric_limits<Index>::max();
    Index highest = 0;
    for (std::uint32_t i = begin; i < end; ++i) {
        lowest = std::min(lowest, indices[i]);
        highest = std::max(highest, indices[i]);
    }
    return {lowest, highest};
}

} // namespace

IndexRange indexRangeOf(const IndexedTriangles& triangles, std::uint32_t begin, std::uint32_t end) {
    if (begin >= end) return {std::numeric_limits<std::uint32_t>::max(), 0};
    if (triangles.indexFormat == IndexFormat::Bits16)
        return rangeOf(static_cast<const std::uint16_t*>(triangles.indices), begin, end);
    return rangeOf(static_cast<const std::uint32_t*>(triangles.indices), begin, end);
}

std::uint64_t nextContentRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace bw
