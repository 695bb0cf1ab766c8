#pragma once
// The device's back buffer: a framebuffer object with an 8-bit RGBA colour buffer and,
// when the device has one, a 32-bit float depth buffer (the reference keeps float depth
// too). The alpha channel stays 1, as a back buffer without alpha reads.

#include <cstdint>
#include <vector>

#include "scene3d/platform/gl/OffscreenContext.h"

namespace bw::gl {

class RenderTarget {
public:
    // Needs the context current. False when OpenGL cannot make such a buffer; nothing is
    // kept then.
    bool create(GlFunctions& gl, int width, int height, bool withDepth);
    // Frees the buffers; the context must be current.
    void release(GlFunctions& gl);
    // Forgets the buffers of a context that is gone.
    void abandon();

    bool exists() const { return framebuffer_ != 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasDepth() const { return depth_ != 0; }

    void bind(GlFunctions& gl) const;
    // The picture as drawn: width x height pixels, rows from the top, 0xAARRGGBB.
    void read(GlFunctions& gl, std::vector<std::uint32_t>& pixels) const;

private:
    std::uint32_t framebuffer_ = 0;
    std::uint32_t colour_ = 0;
    std::uint32_t depth_ = 0;
    int width_ = 0;
    int height_ = 0;
    mutable std::vector<std::uint32_t> scratch_;
};

} // namespace bw::gl
