#pragma once
// Textures by the file they come from, shared by every mesh: a file named twice, or named
// two ways ("t.png", "./t.png"), is loaded once. Entries live as long as the cache, unless
// a refused model file takes back the ones it brought in (forgetFrom).

#include <cstdint>
#include <memory>
#include <string>

#include "scene3d/framework/GrowingList.h"
#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/device/TextureLoader.h"

namespace bw {

class IDirect3DDevice8;
class LoadBudget;

// Decoded texels the cache holds at most: two textures of the largest size a loader takes.
inline constexpr std::uint64_t maxCachedTextureBytes = std::uint64_t{128} << 20;

class TextureCache {
public:
    // Files are read through loader, which must not be empty.
    explicit TextureCache(std::shared_ptr<const TextureLoader> loader,
                          std::uint64_t maxBytes = maxCachedTextureBytes);

    // The texture cached for the file the name resolves to (from the current folder, as
    // the loader opens it; case matters), else the file loaded and cached. Empty for an
    // empty name or a file that cannot be loaded; a failed load is not cached, so a later
    // call tries again. Textures are device-independent here, so the device only names
    // where the texture is meant for. A texture newly loaded counts its pixels against
    // budget when one is given. Throws PlatformError (overBudget, LoadBudget.h) when the
    // loader refuses the file for its size, when the new texture would pass the budget's
    // limit, or when it would take the cache past its bytes; nothing is cached then.
    std::shared_ptr<const Texture> LoadTextureCached(IDirect3DDevice8& dev, const std::string& name,
                                                     LoadBudget* budget = nullptr);

    // Takes out the entries from index count on, the textures a refused file brought in.
    void forgetFrom(std::int32_t count);

    std::int32_t count() const { return entries_.count(); }
    // Grows in steps of 10.
    std::int32_t capacity() const { return entries_.capacity(); }
    std::uint64_t bytes() const { return bytes_; }

private:
    struct Entry {
        std::string file; // the name resolved, or as given where it cannot be
        std::shared_ptr<const Texture> texture;
    };

    std::shared_ptr<const TextureLoader> loader_;
    std::uint64_t maxBytes_;
    std::uint64_t bytes_ = 0;
    GrowingList<Entry, 10> entries_;
};

} // namespace bw
