#include "scene3d/platform/raster/ReferenceDevice.h"

#include <algorithm>
#include <utility>

#include "scene3d/platform/device/DeviceWindow.h"
#include "scene3d/platform/device/Formats.h"
#include "scene3d/platform/fixedfunction/VertexProcessor.h"
#include "scene3d/platform/mesh/VertexLayout.h"
#include "scene3d/platform/raster/Rasterizer.h"
#include "scene3d/platform/raster/VertexQuad.h"

namespace bw {

using namespace raster;
using namespace fixedfunction;

namespace {

// Larger targets are refused rather than allocated.
constexpr int maxTargetSize = 16384;

// Past this many threads the bands of a frame are too few to share out well.
constexpr unsigned maxRasterThreads = 8;
// Queued triangles beyond this are rasterised at once, to bound the queue's memory (a
// set-up triangle takes about 300 bytes).
constexpr std::size_t maxQueuedTriangles = 1u << 16;
// Vertices one thread processes at a time.
constexpr std::uint32_t verticesPerChunk = 4096;

std::uint32_t readIndex(const IndexedTriangles& batch, std::uint32_t position) {
    if (batch.indexFormat == IndexFormat::Bits16)
        return static_cast<const std::uint16_t*>(batch.indices)[position];
    return static_cast<const std::uint32_t*>(batch.indices)[position];
}

} // namespace

ReferenceDevice::ReferenceDevice(const DeviceCreation& creation, unsigned rasterThreads)
    : creation_(creation),
      workers_(rasterThreads == 0 ? WorkerPool::coresBesidesCaller(maxRasterThreads) : rasterThreads - 1) {
    if (const auto result = applyPresentParameters(creation.parameters); failed(result))
        throw PlatformError(result, "the presentation parameters give no usable back buffer");
}

std::shared_ptr<ReferenceDevice> ReferenceDevice::createOffscreen(int width, int height,
                                                                  unsigned rasterThreads) {
    DeviceCreation creation;
    creation.behaviourFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    creation.parameters =
        windowedPresentParameters(D3DFMT_X8R8G8B8, nullptr, static_cast<std::uint32_t>(std::max(width, 0)),
                                  static_cast<std::uint32_t>(std::max(height, 0)));
    return std::make_shared<ReferenceDevice>(creation, rasterThreads);
}

ResultCode ReferenceDevice::applyPresentParameters(const PresentParameters& parameters) {
    const auto size = backBufferSize(parameters, creation_.focusWindow, maxTargetSize);
    if (!size) return D3DERR_INVALIDCALL;
    const auto [width, height] = *size;

    queue_.resize(height);
    frame_.resize(width, height);
    if (parameters.enableAutoDepthStencil)
        depth_.resize(width, height);
    else
        depth_.release();

    creation_.parameters = parameters;
    state_.reset(width, height, depth_.exists());
    inScene_ = false;
    return D3D_OK;
}

ResultCode ReferenceDevice::TestCooperativeLevel() {
    switch (cooperation_) {
    case Cooperation::Lost:
        return D3DERR_DEVICELOST;
    case Cooperation::NotReset:
        return D3DERR_DEVICENOTRESET;
    case Cooperation::Ready:
        break;
    }
    return D3D_OK;
}

void ReferenceDevice::simulateDeviceLost() {
    queue_.clear();
    pendingClear_ = {};
    cooperation_ = Cooperation::Lost;
}

void ReferenceDevice::simulateDeviceRestorable() {
    if (cooperation_ == Cooperation::Lost) cooperation_ = Cooperation::NotReset;
}

ResultCode ReferenceDevice::Reset(const PresentParameters& parameters) {
    if (cooperation_ == Cooperation::Lost) return D3DERR_DEVICELOST;
    queue_.clear();
    pendingClear_ = {};
    if (const auto result = applyPresentParameters(parameters); failed(result)) {
        cooperation_ = Cooperation::NotReset;
        return result;
    }
    cooperation_ = Cooperation::Ready;
    return D3D_OK;
}

ResultCode ReferenceDevice::Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t) {
    if ((flags & D3DCLEAR_STENCIL) || ((flags & D3DCLEAR_ZBUFFER) && !depth_.exists()))
        return D3DERR_INVALIDCALL;
    if (flags & D3DCLEAR_ZBUFFER && !(z >= 0.0f && z <= 1.0f)) return D3DERR_INVALIDCALL;
    if (cooperation_ != Cooperation::Ready) return D3D_OK;
    // A clear with nothing drawn since the last one replaces it.
    if (queue_.triangleCount() != 0) flush(AtPresent::No);
    if (flags & D3DCLEAR_TARGET) pendingClear_.colour = true, pendingClear_.colourValue = colour;
    if (flags & D3DCLEAR_ZBUFFER) pendingClear_.depth = true, pendingClear_.depthValue = z;
    return D3D_OK;
}

ResultCode ReferenceDevice::EndScene() {
    const ResultCode result = StatefulDevice::EndScene();
    if (result == D3D_OK) {
        // Without depth kept past Present, the frame is drawn there, all of it at once.
        if (!depthDiscardedAtPresent()) flush(AtPresent::No);
        litColours_.endScene();
    }
    return result;
}

// The picture of a frame drawn as presented: its bands are drawn on all cores into a few
// bands' worth of scratch, each handed to the window as a run as soon as those above it are.
class ReferenceDevice::BandsAsPresented final : public PictureRows {
public:
    explicit BandsAsPresented(ReferenceDevice& device)
        : PictureRows(device.frame_.width(), device.frame_.height()), device_(device),
          clear_(device.pendingClear_) {}

    void forEachRun(const ShowRows& show) const override {
        const FrameQueue& queue = device_.queue_;
        const std::size_t bandPixels = FrameQueue::bandHeight * static_cast<std::size_t>(width());
        // Room for each thread to draw a band while the window takes the one before.
        const std::uint32_t slots = device_.workers_.workerCount() + 2;
        std::vector<std::uint32_t>& pixels = device_.bandPixels_;
        pixels.resize(slots * bandPixels);
        const auto rowsOf = [&](std::uint32_t band, std::uint32_t slot) {
            const int top = queue.bandTop(static_cast<int>(band));
            return ColourRows{pixels.data() + slot * bandPixels, top, width()};
        };
        device_.workers_.forEachInOrder(
            static_cast<std::uint32_t>(queue.bandCount()), slots,
            [&](std::uint32_t band, std::uint32_t slot) {
                const ColourRows colour = rowsOf(band, slot);
                const int bottom = queue.bandBottom(static_cast<int>(band));
                std::fill(colour.top, colour.row(bottom), clear_.colourValue | 0xFF000000u);
                if (queue.triangleCount() != 0)
                    rasterizeBand(queue, static_cast<int>(band), colour,
                                  scratchRows(colour.topRow, bottom, width(), clear_.depthValue));
            },
            [&](std::uint32_t band, std::uint32_t slot) {
                const ColourRows colour = rowsOf(band, slot);
                show(colour.topRow, queue.bandBottom(static_cast<int>(band)) - colour.topRow, colour.top);
            });
    }

private:
    ReferenceDevice& device_;
    PendingClear clear_;
};

ResultCode ReferenceDevice::Present(DeviceWindow* overrideWindow) {
    if (cooperation_ != Cooperation::Ready) return D3DERR_DEVICELOST;
    DeviceWindow* window = presentationWindow(creation_, overrideWindow);
    if (drawnAsPresented()) {
        // Drawn only if the window takes the rows; either way the frame is done with.
        if (window) window->present(BandsAsPresented(*this));
        queue_.clear();
        pendingClear_ = {};
        return D3D_OK;
    }
    flush(AtPresent::Yes);
    if (window) window->present(HeldPicture(frame_.width(), frame_.height(), frame_.pixels().data()));
    return D3D_OK;
}

ResultCode ReferenceDevice::GetDeviceCaps(DeviceCaps& caps) {
    caps = creation_.caps;
    return D3D_OK;
}

ResultCode ReferenceDevice::GetBackBufferPicture(Picture& picture) {
    flush(AtPresent::No);
    picture.width = frame_.width();
    picture.height = frame_.height();
    picture.pixels = frame_.pixels();
    return D3D_OK;
}

DrawState ReferenceDevice::currentDrawState() const {
    const FixedFunctionState& state = state_.state();
    const auto& rs = state.renderStates;
    DrawState draw;
    draw.texture = state.texture.get();
    draw.blend = rs[D3DRS_ALPHABLENDENABLE] != 0;
    draw.sourceBlend = rs[D3DRS_SRCBLEND];
    draw.destinationBlend = rs[D3DRS_DESTBLEND];
    draw.depthTest = rs[D3DRS_ZENABLE] != D3DZB_FALSE && depth_.exists();
    draw.depthWrite = draw.depthTest && rs[D3DRS_ZWRITEENABLE] != 0;
    draw.depthFunction = rs[D3DRS_ZFUNC];
    draw.specular = rs[D3DRS_SPECULARENABLE] != 0;
    draw.flatShading = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    const Viewport& v = state.viewport;
    draw.clip = {static_cast<int>(v.x), static_cast<int>(v.y), static_cast<int>(v.x + v.width),
                 static_cast<int>(v.y + v.height)};
    return draw;
}

ResultCode ReferenceDevice::DrawIndexedTriangles(const IndexedTriangles& batch) {
    const auto layout = vertexLayoutOf(batch.fvf);
    const auto fields = layout ? vertexFieldsOf(*layout) : std::nullopt;
    const std::uint32_t stride = batch.stride ? batch.stride : (fields ? fields->size : 0);
    const std::uint64_t indexEnd = (std::uint64_t{batch.firstFace} + batch.faceCount) * 3;
    if (!fields || stride < fields->size || indexEnd > batch.indexCount) return D3DERR_INVALIDCALL;
    if (batch.faceCount == 0 || cooperation_ != Cooperation::Ready) return D3D_OK;
    if (!batch.vertices || !batch.indices) return D3DERR_INVALIDCALL;

    const auto indexBegin = static_cast<std::uint32_t>(batch.firstFace * 3);
    const auto [lowest, highest] = indexRangeOf(batch, indexBegin, static_cast<std::uint32_t>(indexEnd));
    if (highest >= batch.vertexCount) return D3DERR_INVALIDCALL;

    // Vertex stage for the vertices these faces use, spread over the threads in chunks.
    // Vertices inside every clip plane go straight to screen space.
    const std::uint32_t vertexCount = highest - lowest + 1;
    const FixedFunctionState& state = state_.state();
    // Colours kept from an earlier draw spare the lighting set-up too.
    const LitColourStore litColours =
        litColours_.storeFor(batch, *fields, stride, lowest, vertexCount, state);
    const VertexProcessingSetup setup = prepareVertexProcessing(
        state, *fields, litColours.valid ? LitColourSource::Kept : LitColourSource::Lighting);
    const VertexInput input{static_cast<const std::uint8_t*>(batch.vertices), stride, *fields};
    clipCodes_.resize(vertexCount);
    guardBand_ = guardBandFor(state.viewport.width, state.viewport.height);
    mapping_ = viewportMappingFor(state.viewport);
    queue_.startDrawVertices(vertexCount);
    const std::uint32_t chunks = (vertexCount + verticesPerChunk - 1) / verticesPerChunk;
    DrawVertices vertices{setup, input, lowest, litColours};
    workers_.forEach(chunks, [&](std::uint32_t chunk) {
        const std::uint32_t begin = chunk * verticesPerChunk;
        processVertexRange(vertices, begin, std::min(vertexCount, begin + verticesPerChunk));
    });
    // Every colour is in the store now: clipping reads them from there.
    vertices.litColours.valid = vertices.litColours.colours != nullptr;

    const DrawState draw = currentDrawState();
    queue_.beginDraw(draw, state.texture, cullModeFrom(state.renderStates[D3DRS_CULLMODE]));
    for (auto i = indexBegin; i < indexEnd; i += 3)
        queueTriangle(vertices, readIndex(batch, i) - lowest, readIndex(batch, i + 1) - lowest,
                      readIndex(batch, i + 2) - lowest, draw);

    if (queue_.triangleCount() > maxQueuedTriangles) flush(AtPresent::No);
    return D3D_OK;
}

void ReferenceDevice::processVertexRange(const DrawVertices& draw, std::uint32_t begin, std::uint32_t end) {
    // A block at a time through a small buffer that stays in the cache; one per thread,
    // made once (its vertices would otherwise be cleared at every draw).
    constexpr std::uint32_t blockSize = 64;
    static thread_local ClipVertex block[blockSize];
    // Copies the stores below cannot alias, so that they stay in registers.
    const GuardBand band = guardBand_;
    const ViewportMapping mapping = mapping_;
    std::uint32_t* const clipCodes = clipCodes_.data();
    for (std::uint32_t blockBegin = begin; blockBegin < end; blockBegin += blockSize) {
        const std::uint32_t count = std::min(blockSize, end - blockBegin);
        LitColourStore litColours = draw.litColours;
        if (litColours.colours) litColours.colours += blockBegin;
        processVertices(draw.setup, draw.input, draw.first + blockBegin, count, block, litColours);
        ScreenVertex* const screen = &queue_.vertexAt(blockBegin);
        std::uint32_t k = 0;
        for (; k + 4 <= count; k += 4)
            mapFourVertices(block + k, band, mapping, clipCodes + blockBegin + k, screen + k);
        for (; k < count; ++k) {
            const std::uint32_t code = clipCodeOf(block[k], band);
            clipCodes[blockBegin + k] = code;
            if ((code & (clipBitsMask | clipInvalid)) == 0) toScreen(block[k], mapping, screen[k]);
        }
    }
}

ClipVertex ReferenceDevice::clipVertexOf(const DrawVertices& draw, std::uint32_t i) {
    LitColourStore litColours = draw.litColours;
    if (litColours.colours) litColours.colours += i;
    ClipVertex vertex;
    processVertices(draw.setup, draw.input, draw.first + i, 1, &vertex, litColours);
    return vertex;
}

void ReferenceDevice::queueTriangle(const DrawVertices& vertices, std::uint32_t i0, std::uint32_t i1,
                                    std::uint32_t i2, const DrawState& draw) {
    const std::uint32_t c0 = clipCodes_[i0], c1 = clipCodes_[i1], c2 = clipCodes_[i2];
    // All three outside the same side of the view or the same clip plane: nothing shows.
    if ((c0 & c1 & c2) != 0 || ((c0 | c1 | c2) & clipInvalid)) return;
    const std::uint32_t planes = (c0 | c1 | c2) & clipBitsMask;
    if (planes == 0) {
        queue_.addTriangle(i0, i1, i2);
        return;
    }

    ClipVertex polygon[maxClippedVertices];
    const ClipVertex first = clipVertexOf(vertices, i0);
    const int count = clipTriangle(first, clipVertexOf(vertices, i1), clipVertexOf(vertices, i2), planes,
                                   guardBand_, polygon);
    if (count == 0) return;
    std::uint32_t screen[maxClippedVertices];
    for (int i = 0; i < count; ++i) {
        if (draw.flatShading)
            for (const Varying colour : colourVaryings)
                polygon[i].varyings[colour] = first.varyings[colour];
        screen[i] = queue_.addVertex(toScreen(polygon[i], mapping_));
    }
    for (int i = 1; i + 1 < count; ++i)
        queue_.addTriangle(screen[0], screen[i], screen[i + 1]);
}

bool ReferenceDevice::depthDiscardedAtPresent() const {
    return creation_.parameters.swapEffect == D3DSWAPEFFECT_DISCARD && depth_.exists();
}

bool ReferenceDevice::drawnAsPresented() const {
    return pendingClear_.colour && pendingClear_.depth && depthDiscardedAtPresent();
}

void ReferenceDevice::flush(AtPresent atPresent) {
    frame_.ensureAllocated();
    const PendingClear clear = std::exchange(pendingClear_, PendingClear{});
    if (queue_.triangleCount() == 0) {
        if (clear.colour) frame_.clear(clear.colourValue);
        // Only draws read depth: its clear waits for them.
        pendingClear_.depth = clear.depth;
        pendingClear_.depthValue = clear.depthValue;
        return;
    }
    // Depth that starts cleared here and is not kept past Present need only exist for the
    // band being drawn.
    const bool bandDepth = atPresent == AtPresent::Yes && clear.depth && depthDiscardedAtPresent();
    if (!bandDepth) depth_.ensureAllocated();
    workers_.forEach(static_cast<std::uint32_t>(queue_.bandCount()), [&](std::uint32_t band) {
        const int top = queue_.bandTop(static_cast<int>(band));
        const int bottom = queue_.bandBottom(static_cast<int>(band));
        if (clear.colour) frame_.clearRows(top, bottom, clear.colourValue);
        if (bandDepth) {
            rasterizeBand(queue_, static_cast<int>(band), frame_.rows(top),
                          scratchRows(top, bottom, frame_.width(), clear.depthValue));
            return;
        }
        if (clear.depth) depth_.clearRows(top, bottom, clear.depthValue);
        rasterizeBand(queue_, static_cast<int>(band), frame_.rows(top), depth_.rows(top));
    });
    queue_.clear();
}

} // namespace bw
