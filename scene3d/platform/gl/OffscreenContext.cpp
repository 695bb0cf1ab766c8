#include "scene3d/platform/gl/OffscreenContext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>
#include <QThread>

namespace bw::gl {

namespace {

QSurfaceFormat requestedFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    // Lets the driver tell us about a reset instead of leaving the context silently dead.
    format.setOption(QSurfaceFormat::ResetNotification);
    return format;
}

bool onGuiThread() {
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return application && QThread::currentThread() == application->thread();
}

} // namespace

OffscreenContext::OffscreenContext() = default;

OffscreenContext::~OffscreenContext() { destroy(); }

std::unique_ptr<QOpenGLContext> makeContext() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(requestedFormat());
    if (!context->create()) return nullptr;
    return context;
}

bool OffscreenContext::create() {
    destroy();
    return create(onGuiThread() ? makeContext() : nullptr);
}

bool OffscreenContext::create(std::unique_ptr<QOpenGLContext> context) {
    destroy();
    lost_ = false;
    if (!context || !onGuiThread() || context->thread() != QThread::currentThread()) return false;

    const QSurfaceFormat actual = context->format();
    if (actual.version() < qMakePair(3, 3) || actual.profile() == QSurfaceFormat::CompatibilityProfile)
        return false;

    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(actual);
    surface->create();
    if (!surface->isValid() || !context->makeCurrent(surface.get())) return false;
    auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context.get());
    if (!functions || !functions->initializeOpenGLFunctions()) {
        context->doneCurrent();
        return false;
    }

    QObject::connect(context.get(), &QOpenGLContext::aboutToBeDestroyed, [this] {
        if (!destroying_) lost_ = true;
    });
    context_ = std::move(context);
    surface_ = std::move(surface);
    functions_ = functions;
    return true;
}

void OffscreenContext::destroy() {
    if (!context_) return;
    destroying_ = true;
    if (QOpenGLContext::currentContext() == context_.get()) context_->doneCurrent();
    context_.reset();
    surface_.reset();
    functions_ = nullptr;
    destroying_ = false;
}

bool OffscreenContext::makeCurrent() {
    if (!context_ || lost_) return false;
    if (QOpenGLContext::currentContext() == context_.get() && context_->surface() == surface_.get())
        return true;
    if (!context_->makeCurrent(surface_.get()) || !context_->isValid()) {
        lost_ = true;
        return false;
    }
    return true;
}

void OffscreenContext::simulateLoss() {
    if (!context_) return;
    // Torn down from outside, as a reset would: the device learns of it through the
    // context's own signal, not through a call of ours.
    if (QOpenGLContext::currentContext() == context_.get()) context_->doneCurrent();
    context_.reset();
    surface_.reset();
    functions_ = nullptr;
}

} // namespace bw::gl
