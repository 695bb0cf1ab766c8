#include "scene3d/framework/TextureCache.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/device/ResultCodes.h"
#include "scene3d/platform/xfile/LoadBudget.h"

namespace bw {

namespace {

// The file as the loader would open it: from the current folder, with ".", ".." and links
// resolved, so that one file is one entry however it is named.
std::string resolvedFile(const std::string& name) {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::weakly_canonical(name, error);
    return error ? name : file.string();
}

std::uint64_t bytesOf(const Texture& texture) {
    return std::uint64_t{4} * static_cast<std::uint64_t>(texture.width()) *
           static_cast<std::uint64_t>(texture.height());
}

} // namespace

TextureCache::TextureCache(std::shared_ptr<const TextureLoader> loader, std::uint64_t maxBytes)
    : loader_(std::move(loader)), maxBytes_(maxBytes) {
    if (!loader_) throw PlatformError(D3DERR_INVALIDCALL, "a texture cache needs a loader");
}

std::shared_ptr<const Texture> TextureCache::LoadTextureCached(IDirect3DDevice8& /*dev*/,
                                                               const std::string& name, LoadBudget* budget) {
    if (name.empty()) return nullptr;
    const std::string file = resolvedFile(name);
    for (const Entry& entry : entries_.used())
        if (entry.file == file) return entry.texture;
    std::shared_ptr<const Texture> texture = loader_->load(name);
    if (!texture) return nullptr;
    const std::uint64_t bytes = bytesOf(*texture);
    if (bytes > maxBytes_ - bytes_) refuseOverLimit("MiB of textures in all", maxBytes_ >> 20);
    if (budget) budget->countTexturePixels(bytes / 4);
    entries_.add({file, texture});
    bytes_ += bytes;
    return texture;
}

void TextureCache::forgetFrom(std::int32_t count) {
    for (std::int32_t i = count; i < entries_.count(); ++i)
        bytes_ -= bytesOf(*entries_.at(i).texture);
    entries_.truncate(count);
}

} // namespace bw
