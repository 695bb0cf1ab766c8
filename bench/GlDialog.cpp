// The least a program that draws with OpenGL does before its first dialog: the bare
// dialog of BareDialog.cpp, and meanwhile, on another core, an OpenGL 3.3 core context on
// an offscreen surface, one shader program, one triangle drawn into a framebuffer object
// of 1024 x 768 and its pixels read back. It quits once both are done. scripts/bench.sh
// times it beside the program on OpenGL: whatever the program does, its start-up on OpenGL
// cannot be shorter than this on the same machine.
#include <cstdio>
#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>
#include <thread>
#include <vector>

#include "bench/OneDialog.h"

namespace {

constexpr int width = 1024;
constexpr int height = 768;

GLuint compiledShader(QOpenGLFunctions_3_3_Core& gl, GLenum type, const char* source) {
    const GLuint shader = gl.glCreateShader(type);
    gl.glShaderSource(shader, 1, &source, nullptr);
    gl.glCompileShader(shader);
    return shader;
}

// One triangle drawn and read back; false where no OpenGL 3.3 core context can be made.
bool drawOneTriangle() {
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface)) return false;
    auto* gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(&context);
    if (!gl || !gl->initializeOpenGLFunctions()) return false;

    const GLuint program = gl->glCreateProgram();
    gl->glAttachShader(program, compiledShader(*gl, GL_VERTEX_SHADER,
                                               "#version 330 core\n"
                                               "layout(location = 0) in vec3 position;\n"
                                               "void main() { gl_Position = vec4(position, 1.0); }\n"));
    gl->glAttachShader(program, compiledShader(*gl, GL_FRAGMENT_SHADER,
                                               "#version 330 core\n"
                                               "out vec4 colour;\n"
                                               "void main() { colour = vec4(1.0, 0.5, 0.2, 1.0); }\n"));
    gl->glLinkProgram(program);

    GLuint framebuffer = 0, buffers[2] = {};
    gl->glGenFramebuffers(1, &framebuffer);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl->glGenRenderbuffers(2, buffers);
    gl->glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    gl->glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    gl->glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    gl->glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
    gl->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    gl->glViewport(0, 0, width, height);
    gl->glEnable(GL_DEPTH_TEST);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const float triangle[] = {-1, -1, 0, 1, -1, 0, 0, 1, 0};
    GLuint vertexArray = 0, vertexBuffer = 0;
    gl->glGenVertexArrays(1, &vertexArray);
    gl->glBindVertexArray(vertexArray);
    gl->glGenBuffers(1, &vertexBuffer);
    gl->glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    gl->glBufferData(GL_ARRAY_BUFFER, sizeof triangle, triangle, GL_STATIC_DRAW);
    gl->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    gl->glEnableVertexAttribArray(0);
    gl->glUseProgram(program);
    gl->glDrawArrays(GL_TRIANGLES, 0, 3);

    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    gl->glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    context.doneCurrent();
    return pixels[static_cast<std::size_t>(width) * (height / 2) * 4 + width * 2] != 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bool drawn = false;
    std::thread openGL([&drawn] { drawn = drawOneTriangle(); });
    const int status = bench::showOneDialog();
    openGL.join();
    if (!drawn) {
        std::fprintf(stderr, "bench_gl_dialog: no OpenGL 3.3 core context, or nothing drawn\n");
        return 1;
    }
    return status;
}
