#include "scene3d/platform/gl/OpenGLDevice.h"

#include <algorithm>
#include <QOpenGLFunctions_3_3_Core>
#include <string>

#include "scene3d/platform/device/DeviceWindow.h"
#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/gl/FixedFunctionProgram.h"
#include "scene3d/platform/gl/GeometryCache.h"
#include "scene3d/platform/gl/GlDrawState.h"
#include "scene3d/platform/gl/GlViewport.h"
#include "scene3d/platform/gl/OffscreenContext.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/gl/RenderTarget.h"
#include "scene3d/platform/gl/ShaderConstants.h"
#include "scene3d/platform/gl/TextureCache.h"
#include "scene3d/platform/gl/VertexFormat.h"

namespace bw {

namespace gl {

// Everything the device keeps in its context. Abandoned, not freed, when the context is
// gone: its objects went with it.
struct GpuResources {
    explicit GpuResources(GpuUploadCounters& counters) : geometry(counters), textures(counters) {}

    void release(GlFunctions& f) {
        target.release(f);
        program.release(f);
        geometry.release(f);
        textures.release(f);
    }
    void abandon() {
        target.abandon();
        program.abandon();
        geometry.abandon();
        textures.abandon();
    }

    RenderTarget target;
    FixedFunctionProgram program;
    GeometryCache geometry;
    TextureCache textures;
};

} // namespace gl

using namespace gl;

namespace {

// Larger targets are refused rather than allocated, as on the reference device.
constexpr int maxTargetSize = 16384;

int glInteger(GlFunctions& f, GLenum name) {
    GLint values[2] = {0, 0};
    f.glGetIntegerv(name, values);
    return std::min(values[0], name == GL_MAX_VIEWPORT_DIMS ? values[1] : values[0]);
}

} // namespace

OpenGLDevice::OpenGLDevice(const DeviceCreation& creation) : OpenGLDevice(creation, nullptr) {}

OpenGLDevice::OpenGLDevice(const DeviceCreation& creation, std::unique_ptr<OffscreenContext> unused)
    : creation_(creation),
      context_(unused && unused->exists() ? std::move(unused) : std::make_unique<OffscreenContext>()),
      gpu_(std::make_unique<GpuResources>(counters_)) {
    if (!context_->exists() && !context_->create())
        throw PlatformError(D3DERR_NOTAVAILABLE, "no OpenGL 3.3 core context");
    // A context taken over may no longer be current: another may have been made since.
    if (!context_->makeCurrent()) throw PlatformError(D3DERR_NOTAVAILABLE, "the OpenGL context was lost");
    GlFunctions& f = context_->functions();
    maxTargetSize_ =
        std::min({maxTargetSize, glInteger(f, GL_MAX_RENDERBUFFER_SIZE), glInteger(f, GL_MAX_VIEWPORT_DIMS)});
    maxTextureSize_ = glInteger(f, GL_MAX_TEXTURE_SIZE);
    if (const auto result = applyPresentParameters(creation.parameters); failed(result))
        throw PlatformError(result, "the presentation parameters give no usable back buffer");
}

OpenGLDevice::~OpenGLDevice() {
    if (context_->makeCurrent())
        gpu_->release(context_->functions());
    else
        gpu_->abandon();
    context_->destroy();
}

std::shared_ptr<OpenGLDevice> OpenGLDevice::createOffscreen(int width, int height) {
    DeviceCreation creation;
    creation.deviceType = D3DDEVTYPE_HAL;
    creation.behaviourFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING;
    creation.parameters =
        windowedPresentParameters(D3DFMT_X8R8G8B8, nullptr, static_cast<std::uint32_t>(std::max(width, 0)),
                                  static_cast<std::uint32_t>(std::max(height, 0)));
    auto device = std::make_shared<OpenGLDevice>(creation);
    device->creation_.caps = openGLDeviceCaps(static_cast<std::uint32_t>(device->maxTextureSize_));
    device->creation_.caps.deviceType = D3DDEVTYPE_HAL;
    return device;
}

ResultCode OpenGLDevice::applyPresentParameters(const PresentParameters& parameters) {
    const auto size = backBufferSize(parameters, creation_.focusWindow, maxTargetSize_);
    if (!size) return D3DERR_INVALIDCALL;
    const auto [width, height] = *size;
    if (!context_->makeCurrent()) return D3DERR_DEVICELOST;

    GlFunctions& f = context_->functions();
    if (!gpu_->target.create(f, width, height, parameters.enableAutoDepthStencil != 0))
        return D3DERR_OUTOFVIDEOMEMORY;
    // Context-wide choices that no draw changes: flat shading takes a triangle's first
    // vertex, as on the reference device, and front faces run counter-clockwise.
    f.glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    f.glFrontFace(GL_CCW);
    f.glDisable(GL_SCISSOR_TEST);

    creation_.parameters = parameters;
    state_.reset(width, height, gpu_->target.hasDepth());
    inScene_ = false;
    return D3D_OK;
}

bool OpenGLDevice::drawable() {
    if (cooperation_ != Cooperation::Ready) return false;
    if (context_->makeCurrent()) return true;
    loseDevice();
    return false;
}

void OpenGLDevice::loseDevice() {
    gpu_->abandon();
    context_->destroy();
    cooperation_ = Cooperation::Lost;
}

void OpenGLDevice::simulateContextLoss() { context_->simulateLoss(); }

ResultCode OpenGLDevice::TestCooperativeLevel() {
    switch (cooperation_) {
    case Cooperation::Ready:
        return drawable() ? D3D_OK : D3DERR_DEVICELOST;
    case Cooperation::Lost:
        // A context that can be made now means a Reset will bring the device back.
        if (!context_->create()) return D3DERR_DEVICELOST;
        cooperation_ = Cooperation::NotReset;
        return D3DERR_DEVICENOTRESET;
    case Cooperation::NotReset:
        if (context_->makeCurrent()) return D3DERR_DEVICENOTRESET;
        loseDevice();
        return D3DERR_DEVICELOST;
    }
    return D3DERR_DEVICELOST;
}

ResultCode OpenGLDevice::Reset(const PresentParameters& parameters) {
    if (cooperation_ == Cooperation::Lost && TestCooperativeLevel() == D3DERR_DEVICELOST)
        return D3DERR_DEVICELOST;
    const ResultCode result = applyPresentParameters(parameters);
    if (result == D3DERR_DEVICELOST) {
        loseDevice();
        return result;
    }
    if (failed(result)) {
        cooperation_ = Cooperation::NotReset;
        return result;
    }
    cooperation_ = Cooperation::Ready;
    return D3D_OK;
}

ResultCode OpenGLDevice::Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t) {
    const bool hasDepth = creation_.parameters.enableAutoDepthStencil != 0;
    if ((flags & D3DCLEAR_STENCIL) || ((flags & D3DCLEAR_ZBUFFER) && !hasDepth)) return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_ZBUFFER) && !(z >= 0.0f && z <= 1.0f)) return D3DERR_INVALIDCALL;
    if (!drawable()) return D3D_OK;

    GlFunctions& f = context_->functions();
    gpu_->target.bind(f);
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        // The whole target, alpha included, whatever the draws mask.
        f.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        f.glClearColor(static_cast<float>((colour >> 16) & 0xFF) / 255.0f,
                       static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                       static_cast<float>(colour & 0xFF) / 255.0f, 1.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        f.glDepthMask(GL_TRUE);
        f.glClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask) f.glClear(mask);
    return D3D_OK;
}

ResultCode OpenGLDevice::Present(DeviceWindow* overrideWindow) {
    if (!drawable()) return D3DERR_DEVICELOST;
    GlFunctions& f = context_->functions();
    DeviceWindow* window = presentationWindow(creation_, overrideWindow);
    if (window) {
        gpu_->target.read(f, pixels_);
        window->present(HeldPicture(gpu_->target.width(), gpu_->target.height(), pixels_.data()));
    }
    ++frame_;
    const std::uint64_t oldestKept = frame_ > framesBeforeEviction ? frame_ - framesBeforeEviction : 0;
    gpu_->geometry.evictUnusedBefore(f, oldestKept);
    gpu_->textures.evictUnusedBefore(f, oldestKept);
    return D3D_OK;
}

ResultCode OpenGLDevice::GetDeviceCaps(DeviceCaps& caps) {
    caps = creation_.caps;
    return D3D_OK;
}

ResultCode OpenGLDevice::GetBackBufferPicture(Picture& picture) {
    if (!drawable()) return D3DERR_DEVICELOST;
    gpu_->target.read(context_->functions(), picture.pixels);
    picture.width = gpu_->target.width();
    picture.height = gpu_->target.height();
    return D3D_OK;
}

std::size_t OpenGLDevice::residentGeometryCount() const { return gpu_->geometry.residentCount(); }

std::size_t OpenGLDevice::residentTextureCount() const { return gpu_->textures.residentCount(); }

bool OpenGLDevice::programReady() {
    if (gpu_->program.exists()) return true;
    std::string error;
    return gpu_->program.create(context_->functions(), error);
}

void OpenGLDevice::applyPipelineState() {
    GlFunctions& f = context_->functions();
    const GlDrawState draw = glDrawStateFor(state_.state().renderStates, gpu_->target.hasDepth());
    if (draw.depthTest) {
        f.glEnable(GL_DEPTH_TEST);
        f.glDepthFunc(draw.depthFunction);
        f.glDepthMask(draw.depthWrite ? GL_TRUE : GL_FALSE);
    } else {
        f.glDisable(GL_DEPTH_TEST);
    }
    if (draw.blend) {
        f.glEnable(GL_BLEND);
        f.glBlendEquation(GL_FUNC_ADD);
        f.glBlendFunc(draw.sourceFactor, draw.destinationFactor);
    } else {
        f.glDisable(GL_BLEND);
    }
    if (draw.cull) {
        f.glEnable(GL_CULL_FACE);
        f.glCullFace(draw.cullFace);
    } else {
        f.glDisable(GL_CULL_FACE);
    }
    // The back buffer has no alpha of its own: it stays 1, which blending then reads.
    f.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

ResultCode OpenGLDevice::DrawIndexedTriangles(const IndexedTriangles& batch) {
    const auto fields = drawableVertexFields(batch.fvf);
    const std::uint32_t stride = batch.stride ? batch.stride : (fields ? fields->size : 0);
    const std::uint64_t indexEnd = (std::uint64_t{batch.firstFace} + batch.faceCount) * 3;
    if (!fields || stride < fields->size || indexEnd > batch.indexCount) return D3DERR_INVALIDCALL;
    if (batch.faceCount == 0 || !drawable()) return D3D_OK;
    if (!batch.vertices || !batch.indices) return D3DERR_INVALIDCALL;
    if (!programReady()) return D3DERR_DRIVERINTERNALERROR;

    GlFunctions& f = context_->functions();
    const fixedfunction::FixedFunctionState& state = state_.state();
    if (state.texture) gpu_->textures.bind(f, state.texture, maxTextureSize_, frame_);
    const auto geometry = gpu_->geometry.prepare(f, batch, *fields, stride, frame_);
    if (!geometry) return D3DERR_INVALIDCALL;

    gpu_->target.bind(f);
    const GlViewportPlacement placement = glViewportFor(state.viewport, gpu_->target.height());
    f.glViewport(placement.x, placement.y, placement.width, placement.height);
    f.glDepthRange(placement.minDepth, placement.maxDepth);
    applyPipelineState();
    gpu_->program.use(f, shaderConstantsFor(state, *fields), placement);
    f.glDrawElementsBaseVertex(GL_TRIANGLES, geometry->indexCount, geometry->indexType,
                               reinterpret_cast<void*>(geometry->indexByteOffset), geometry->baseVertex);
    return D3D_OK;
}

} // namespace bw
