#pragma once
// Textures by file name, shared by every mesh: a file named twice is loaded once.
// Entries are never removed; they live as long as the cache.

#include <cstdint>
#include <memory>
#include <string>

#include "scene3d/framework/GrowingList.h"
#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/device/TextureLoader.h"

namespace bw {

class IDirect3DDevice8;

class TextureCache {
public:
    // Files are read through loader, which must not be empty.
    explicit TextureCache(std::shared_ptr<const TextureLoader> loader);

    // The texture cached under exactly this name (case matters), else the file loaded and
    // cached. Empty for an empty name or a file that cannot be loaded; a failed load is
    // not cached, so a later call tries again. Textures are device-independent here, so the
    // device only names where the texture is meant for.
    std::shared_ptr<const Texture> LoadTextureCached(IDirect3DDevice8& dev, const std::string& name);

    std::int32_t count() const { return entries_.count(); }
    // Grows in steps of 10.
    std::int32_t capacity() const { return entries_.capacity(); }

private:
    struct Entry {
        std::string fileName;
        std::shared_ptr<const Texture> texture;
    };

    std::shared_ptr<const TextureLoader> loader_;
    GrowingList<Entry> entries_{10};
};

} // namespace bw
