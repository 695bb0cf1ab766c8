#pragma once
// An OpenGL 3.3 core context of the device's own, made current on an offscreen surface:
// the device draws into framebuffer objects, never into a window, so that the widgets laid
// over the 3D view are not covered by a native child window. Needs a QGuiApplication and
// the thread that runs it.

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFunctions_3_3_Core;

namespace bw::gl {

using GlFunctions = QOpenGLFunctions_3_3_Core;

class OffscreenContext {
public:
    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // A new context; false when none can be made here (no QGuiApplication, no OpenGL, or
    // an OpenGL older than 3.3 core).
    bool create();
    // Finishes a context made on another thread (see makeContext) and moved to this one;
    // false as create() is, or when there is none.
    bool create(std::unique_ptr<QOpenGLContext> context);
    // Destroys the context and everything that lived in it.
    void destroy();
    bool exists() const { return context_ != nullptr; }

    // Makes the context current; false when there is none or it went away under us (a
    // driver reset, or Qt tearing it down).
    bool makeCurrent();
    // Valid while exists().
    GlFunctions& functions() const { return *functions_; }

    // Destroys the context as a driver reset would, so that loss can be tested.
    void simulateLoss();

private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    GlFunctions* functions_ = nullptr;
    bool lost_ = false;
    bool destroying_ = false;
};

// A context of the format the device asks for, not yet current anywhere, or none when the
// platform refuses one. Callable on any thread once the QGuiApplication exists: it is what
// loads the driver.
std::unique_ptr<QOpenGLContext> makeContext();

} // namespace bw::gl
