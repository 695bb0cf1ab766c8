#include "scene3d/framework/TextureCache.h"

#include <utility>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/device/ResultCodes.h"

namespace bw {

TextureCache::TextureCache(std::shared_ptr<const TextureLoader> loader) : loader_(std::move(loader)) {
    if (!loader_) throw PlatformError(D3DERR_INVALIDCALL, "a texture cache needs a loader");
}

std::shared_ptr<const Texture> TextureCache::LoadTextureCached(IDirect3DDevice8& /*dev*/,
                                                               const std::string& name) {
    if (name.empty()) return nullptr;
    for (const Entry& entry : entries_.used())
        if (entry.fileName == name) return entry.texture;
    std::shared_ptr<const Texture> texture = loader_->load(name);
    if (!texture) return nullptr;
    entries_.add({name, texture});
    return texture;
}

} // namespace bw
