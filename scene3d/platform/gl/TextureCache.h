#pragma once
// One OpenGL texture per Texture object the device has drawn with. Entries hold a weak
// reference to their object: an object destroyed and another one made at the same
// address never meets the old texture. Textures not drawn with for a while are freed.

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/gl/GpuUploadCounters.h"
#include "scene3d/platform/gl/OffscreenContext.h"

namespace bw::gl {

class TextureCache {
public:
    explicit TextureCache(GpuUploadCounters& counters) : counters_(counters) {}

    // Binds texture to unit 0 for sampling, uploading it first if needed. maxSize is the
    // largest side OpenGL takes; larger images are sampled down to it.
    void bind(GlFunctions& gl, const std::shared_ptr<const Texture>& texture, int maxSize,
              std::uint64_t frame);
    // Frees textures whose object is gone or that were last drawn with before frame.
    void evictUnusedBefore(GlFunctions& gl, std::uint64_t frame);
    void release(GlFunctions& gl);
    void abandon() { entries_.clear(); }
    std::size_t residentCount() const { return entries_.size(); }

private:
    struct Entry {
        std::weak_ptr<const Texture> owner;
        std::uint32_t name = 0;
        std::uint64_t lastUsedFrame = 0;
    };

    std::uint32_t upload(GlFunctions& gl, const Texture& texture, int maxSize);

    GpuUploadCounters& counters_;
    std::unordered_map<const Texture*, Entry> entries_;
};

} // namespace bw::gl
