#include "scene3d/platform/gl/TextureCache.h"

#include <algorithm>
#include <QOpenGLFunctions_3_3_Core>
#include <vector>

namespace bw::gl {

namespace {

// The texel nearest each sample point of a smaller grid.
std::vector<std::uint32_t> sampledDown(const Texture& texture, int width, int height) {
    std::vector<std::uint32_t> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int sourceY =
            static_cast<int>((static_cast<std::int64_t>(y) * 2 + 1) * texture.height() / (2 * height));
        for (int x = 0; x < width; ++x) {
            const int sourceX =
                static_cast<int>((static_cast<std::int64_t>(x) * 2 + 1) * texture.width() / (2 * width));
            texels[static_cast<std::size_t>(y) * width + x] = texture.texel(sourceX, sourceY);
        }
    }
    return texels;
}

} // namespace

void TextureCache::bind(GlFunctions& gl, const std::shared_ptr<const Texture>& texture, int maxSize,
                        std::uint64_t frame) {
    auto found = entries_.find(texture.get());
    if (found != entries_.end() && found->second.owner.lock() != texture) {
        // The address belongs to another object now.
        gl.glDeleteTextures(1, &found->second.name);
        entries_.erase(found);
        found = entries_.end();
    }
    if (found == entries_.end())
        found = entries_.emplace(texture.get(), Entry{texture, upload(gl, *texture, maxSize), frame}).first;
    found->second.lastUsedFrame = frame;
    gl.glActiveTexture(GL_TEXTURE0);
    gl.glBindTexture(GL_TEXTURE_2D, found->second.name);
}

std::uint32_t TextureCache::upload(GlFunctions& gl, const Texture& texture, int maxSize) {
    GLuint name = 0;
    gl.glGenTextures(1, &name);
    gl.glActiveTexture(GL_TEXTURE0);
    gl.glBindTexture(GL_TEXTURE_2D, name);
    // Bilinear, wrapping, one level: what the reference sampler does.
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);

    const int width = std::min(texture.width(), maxSize);
    const int height = std::min(texture.height(), maxSize);
    // Rows go up from the top as they are: texel row 0 is v = 0 on both devices.
    if (width == texture.width() && height == texture.height()) {
        gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                        texture.texels());
    } else {
        const auto texels = sampledDown(texture, width, height);
        gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                        texels.data());
    }
    ++counters_.textureUploads;
    return name;
}

void TextureCache::evictUnusedBefore(GlFunctions& gl, std::uint64_t frame) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.owner.expired() || it->second.lastUsedFrame < frame) {
            gl.glDeleteTextures(1, &it->second.name);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
}

void TextureCache::release(GlFunctions& gl) {
    for (auto& [texture, entry] : entries_)
        gl.glDeleteTextures(1, &entry.name);
    entries_.clear();
}

} // namespace bw::gl
