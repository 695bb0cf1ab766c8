#pragma once
// The reference rasterizer (device type 2): a software device that draws what the
// fixed-function pipeline drew. Draw calls run the vertex stage, clipping, culling and the
// viewport mapping at once and queue the triangles; the queue is rasterised in bands on
// all cores when the scene ends, the target is cleared or read, or the picture presented.
//
// With the discard swap effect, depth is discarded at Present as the back buffer is: its
// values are undefined afterwards (in practice the far plane or an earlier frame's). The
// queue is then rasterised at Present rather than when the scene ends, and a frame that
// began by clearing depth keeps depth for one band at a time instead of for the target.
// One that began by clearing both is drawn a few bands at a time as the window takes its
// rows, holding neither the colour nor the depth of the whole target.

#include <cstdint>
#include <memory>
#include <vector>

#include "scene3d/platform/common/WorkerPool.h"
#include "scene3d/platform/device/DeviceDriver.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/fixedfunction/LitColourCache.h"
#include "scene3d/platform/fixedfunction/StatefulDevice.h"
#include "scene3d/platform/raster/Clipper.h"
#include "scene3d/platform/raster/DepthBuffer.h"
#include "scene3d/platform/raster/DrawState.h"
#include "scene3d/platform/raster/FrameBuffer.h"
#include "scene3d/platform/raster/FrameQueue.h"
#include "scene3d/platform/raster/ViewportMapping.h"

namespace bw {

namespace fixedfunction {} // namespace fixedfunction

class ReferenceDevice : public fixedfunction::StatefulDevice {
public:
    // Throws PlatformError (D3DERR_INVALIDCALL) when the parameters give no usable back
    // buffer. rasterThreads counts the calling thread; 0 uses every core (up to 8).
    explicit ReferenceDevice(const DeviceCreation& creation, unsigned rasterThreads = 0);

    // A windowless device drawing into a width x height target with a depth buffer.
    static std::shared_ptr<ReferenceDevice> createOffscreen(int width, int height,
                                                            unsigned rasterThreads = 0);

    ResultCode TestCooperativeLevel() override;
    ResultCode Reset(const PresentParameters& parameters) override;
    ResultCode Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) override;
    ResultCode EndScene() override;
    ResultCode Present(DeviceWindow* overrideWindow = nullptr) override;
    ResultCode GetDeviceCaps(DeviceCaps& caps) override;
    ResultCode DrawIndexedTriangles(const IndexedTriangles& triangles) override;
    ResultCode GetBackBufferPicture(Picture& picture) override;

    // The device loses its surfaces, as when another program takes the screen:
    // TestCooperativeLevel reports D3DERR_DEVICELOST and nothing is drawn.
    void simulateDeviceLost();
    // The lost device may be reset now: TestCooperativeLevel reports
    // D3DERR_DEVICENOTRESET until Reset succeeds.
    void simulateDeviceRestorable();

    const PresentParameters& presentParameters() const { return creation_.parameters; }

private:
    enum class Cooperation { Ready, Lost, NotReset };

    ResultCode applyPresentParameters(const PresentParameters& parameters);
    raster::DrawState currentDrawState() const;
    // The vertices of the current draw as the vertex stage reads them.
    struct DrawVertices {
        const fixedfunction::VertexProcessingSetup& setup;
        const fixedfunction::VertexInput& input;
        std::uint32_t first; // the draw's lowest index
        fixedfunction::LitColourStore litColours;
    };

    void processVertexRange(const DrawVertices& draw, std::uint32_t begin, std::uint32_t end);
    // The clip-space vertex of the draw's vertex i, computed again: only triangles that
    // need clipping ask for it, so that the frame does not store every vertex twice.
    static fixedfunction::ClipVertex clipVertexOf(const DrawVertices& draw, std::uint32_t i);
    void queueTriangle(const DrawVertices& draw, std::uint32_t i0, std::uint32_t i1, std::uint32_t i2,
                       const raster::DrawState& state);
    bool depthDiscardedAtPresent() const;
    // Whether the frame to present is drawn as the window takes its rows (see above).
    bool drawnAsPresented() const;
    class BandsAsPresented;
    enum class AtPresent { No, Yes };
    // Draws the queued triangles, each band after applying the pending clear to its rows
    // (so that a band's pixels are cleared just before they are drawn, while they stay in
    // the cache); with nothing queued, applies the pending colour clear alone.
    void flush(AtPresent atPresent);

    DeviceCreation creation_;
    raster::FrameQueue queue_;
    raster::FrameBuffer frame_;
    raster::DepthBuffer depth_;
    std::vector<std::uint32_t> bandPixels_; // of the bands drawn as presented, a round's worth
    WorkerPool workers_;                    // the bands of a frame share out over the cores
    // A Clear waits for the next flush, which applies it band by band.
    struct PendingClear {
        bool colour = false;
        std::uint32_t colourValue = 0;
        bool depth = false;
        float depthValue = 1.0f;
    };
    PendingClear pendingClear_;
    Cooperation cooperation_ = Cooperation::Ready;

    // Scratch of the current draw, kept to avoid reallocating per call.
    std::vector<std::uint32_t> clipCodes_;
    fixedfunction::LitColourCache litColours_; // of meshes drawn again unchanged
    raster::GuardBand guardBand_;
    raster::ViewportMapping mapping_;
};

} // namespace bw
