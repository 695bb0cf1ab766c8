#pragma once
// One indexed triangle-list draw: the vertices and indices stay the caller's, the device
// reads them during the call only, unless the caller names their content (below).

#include <cstdint>
#include <span>

namespace bw {

enum class IndexFormat : std::uint8_t { Bits16, Bits32 };

struct IndexedTriangles {
    const void* vertices = nullptr;
    std::uint32_t vertexCount = 0;
    std::uint32_t fvf = 0;    // vertex format code (fvf:: bits of mesh/VertexLayout.h)
    std::uint32_t stride = 0; // bytes from one vertex to the next; 0: the format's size
    const void* indices = nullptr;
    IndexFormat indexFormat = IndexFormat::Bits16;
    std::uint32_t indexCount = 0; // indices available at `indices`
    std::uint32_t firstFace = 0;  // faces drawn: firstFace .. firstFace + faceCount - 1,
    std::uint32_t faceCount = 0;  // three indices each
    // Names the vertex and index data: draws with the same nonzero revision promise the
    // same data, so a device may keep its own copy (GPU buffers) and skip the upload.
    // 0 promises nothing. Take revisions from nextContentRevision(); a changed mesh takes
    // a new one.
    std::uint64_t contentRevision = 0;
};

// Faces firstFace .. firstFace + faceCount - 1 of a triangle list with 32-bit indices,
// its vertices in format fvf and packed at the format's size: one subset of a mesh.
IndexedTriangles subsetTriangles(const void* vertices, std::uint32_t vertexCount, std::uint32_t fvf,
                                 std::span<const std::uint32_t> indices, std::uint32_t firstFace,
                                 std::uint32_t faceCount, std::uint64_t contentRevision);

// The lowest and highest vertex index at index positions begin .. end - 1, which the
// caller has checked to lie within indexCount; an empty range has lowest > highest.
struct IndexRange {
    std::uint32_t lowest = 0;
    std::uint32_t highest = 0;
};
IndexRange indexRangeOf(const IndexedTriangles& triangles, std::uint32_t begin, std::uint32_t end);

// A revision no other content in the process has had.
std::uint64_t nextContentRevision();

} // namespace bw
