#pragma once
// Finds out on another core whether OpenGL 3.3 can be had. Loading the driver takes tens
// of milliseconds, which the program's start spends making its splash and main window
// meanwhile; the first Direct3D object then waits for the answer.

#include <future>
#include <memory>
#include <optional>

class QOpenGLContext;

namespace bw {

class OpenGLDriver;

class OpenGLProbe {
public:
    // Starts the probe. Call it on the QGuiApplication's thread once the application is
    // made; without one the answer is no.
    OpenGLProbe();
    ~OpenGLProbe();
    OpenGLProbe(const OpenGLProbe&) = delete;
    OpenGLProbe& operator=(const OpenGLProbe&) = delete;

    // Waits for the probe. The OpenGL driver, its first device taking over the probe's
    // context, or empty where OpenGL 3.3 cannot be had; the same answer each time.
    std::shared_ptr<OpenGLDriver> driver();

private:
    std::future<std::unique_ptr<QOpenGLContext>> made_;
    std::optional<std::shared_ptr<OpenGLDriver>> driver_;
};

} // namespace bw
