#include "scene3d/framework/TextureCache.h"

#include "scene3d/platform/qt/TextureFile.h"

namespace bw {

TextureCache::TextureCache(TextureLoader loader)
    : loader_(loader ? std::move(loader) : TextureLoader(loadTextureFile)) {}

std::shared_ptr<const Texture> TextureCache::LoadTextureCached(IDirect3DDevice8& /*dev*/,
                                                               const std::string& name) {
    if (name.empty()) return nullptr;
    for (const Entry& entry : entries_.used())
        if (entry.fileName == name) return entry.texture;
    std::shared_ptr<const Texture> texture = loader_(name);
    if (!texture) return nullptr;
    entries_.add({name, texture});
    return texture;
}

} // namespace bw
