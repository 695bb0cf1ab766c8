#include "scene3d/platform/gl/RenderTarget.h"

#include <cstring>
#include <QOpenGLFunctions_3_3_Core>

namespace bw::gl {

bool RenderTarget::create(GlFunctions& gl, int width, int height, bool withDepth) {
    release(gl);
    GLuint framebuffer = 0, colour = 0, depth = 0;
    gl.glGenFramebuffers(1, &framebuffer);
    gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.glGenRenderbuffers(1, &colour);
    gl.glBindRenderbuffer(GL_RENDERBUFFER, colour);
    gl.glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    if (withDepth) {
        gl.glGenRenderbuffers(1, &depth);
        gl.glBindRenderbuffer(GL_RENDERBUFFER, depth);
        gl.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
        gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    }
    if (gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        gl.glDeleteFramebuffers(1, &framebuffer);
        gl.glDeleteRenderbuffers(1, &colour);
        if (depth) gl.glDeleteRenderbuffers(1, &depth);
        return false;
    }
    framebuffer_ = framebuffer;
    colour_ = colour;
    depth_ = depth;
    width_ = width;
    height_ = height;

    // A new back buffer is black and its depth far, as the reference device's.
    gl.glDisable(GL_SCISSOR_TEST);
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.glDepthMask(GL_TRUE);
    gl.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl.glClearDepth(1.0);
    gl.glClear(GL_COLOR_BUFFER_BIT | (withDepth ? GL_DEPTH_BUFFER_BIT : 0));
    return true;
}

void RenderTarget::release(GlFunctions& gl) {
    if (framebuffer_) gl.glDeleteFramebuffers(1, &framebuffer_);
    if (colour_) gl.glDeleteRenderbuffers(1, &colour_);
    if (depth_) gl.glDeleteRenderbuffers(1, &depth_);
    abandon();
}

void RenderTarget::abandon() {
    framebuffer_ = colour_ = depth_ = 0;
    width_ = height_ = 0;
}

void RenderTarget::bind(GlFunctions& gl) const { gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_); }

void RenderTarget::read(GlFunctions& gl, std::vector<std::uint32_t>& pixels) const {
    const auto rowPixels = static_cast<std::size_t>(width_);
    const auto count = rowPixels * static_cast<std::size_t>(height_);
    scratch_.resize(count);
    pixels.resize(count);
    if (count == 0) return;
    gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    gl.glReadBuffer(GL_COLOR_ATTACHMENT0);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl.glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    // BGRA with the reversed packed type is 0xAARRGGBB in a 32-bit word on any host.
    gl.glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, scratch_.data());
    // OpenGL's first row is the bottom one.
    for (int y = 0; y < height_; ++y)
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * rowPixels,
                    scratch_.data() + static_cast<std::size_t>(height_ - 1 - y) * rowPixels,
                    rowPixels * sizeof(std::uint32_t));
}

} // namespace bw::gl
