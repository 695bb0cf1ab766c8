#pragma once
// What a device has sent to the GPU, counted so that tests can see buffers being reused.

#include <cstdint>

namespace bw::gl {

struct GpuUploadCounters {
    std::uint64_t namedGeometryUploads = 0; // vertex and index buffers of named content
    std::uint64_t streamedDraws = 0;        // draws whose data went up with the draw
    std::uint64_t textureUploads = 0;
};

} // namespace bw::gl
