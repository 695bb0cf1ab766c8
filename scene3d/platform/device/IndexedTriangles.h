#pragma once
// One indexed triangle-list draw: the vertices and indices stay the caller's, the device
// reads them during the call only.

#include <cstdint>

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
};

} // namespace bw
