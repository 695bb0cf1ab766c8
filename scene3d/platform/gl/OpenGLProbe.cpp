#include "scene3d/platform/gl/OpenGLProbe.h"

#include <QOpenGLContext>
#include <QThread>

#include "scene3d/platform/gl/OffscreenContext.h"
#include "scene3d/platform/gl/OpenGLDriver.h"

namespace bw {

OpenGLProbe::OpenGLProbe() {
    QThread* const caller = QThread::currentThread();
    made_ = std::async(std::launch::async, [caller] {
        std::unique_ptr<QOpenGLContext> context = gl::makeContext();
        // Only its own thread may hand it over; the caller's thread makes it current.
        if (context) context->moveToThread(caller);
        return context;
    });
}

// A context never taken is destroyed here, on the thread it was handed to.
OpenGLProbe::~OpenGLProbe() = default;

std::shared_ptr<OpenGLDriver> OpenGLProbe::driver() {
    if (!driver_) {
        auto context = std::make_unique<gl::OffscreenContext>();
        driver_ = context->create(made_.get()) ? openGLDriverFor(std::move(context)) : nullptr;
    }
    return *driver_;
}

} // namespace bw
