#pragma once
// The triangles of the frame being drawn, after vertex processing, clipping, culling,
// the viewport mapping and set-up, waiting to be rasterised. They are kept in submission
// order and sorted into horizontal bands of the render target, so that bands can be
// rasterised on separate threads with the same result as one thread. Each is set up once
// here, however many bands it crosses.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene3d/platform/raster/DrawState.h"
#include "scene3d/platform/raster/ScreenVertex.h"
#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {

// A cache line apart, with what the rasterizer reads of a triangle drawn without specular
// (its draw, coverage and first two groups of planes) in its first four lines: the last
// line is neither written nor read then.
struct alignas(64) QueuedTriangle {
    std::uint32_t drawState;
    TriangleSetup setup;
};

inline constexpr std::size_t queuedBytesWithoutSpecular = 256;
static_assert(offsetof(QueuedTriangle, setup) + offsetof(TriangleSetup, planes) +
                  2 * sizeof(AttributePlaneGroup) <=
              queuedBytesWithoutSpecular);

enum class CullMode : std::uint8_t { None, Clockwise, CounterClockwise };

CullMode cullModeFrom(std::uint32_t renderStateValue);

class FrameQueue {
public:
    static constexpr int bandHeight = 32;

    explicit FrameQueue(int targetHeight = 0);

    void resize(int targetHeight);
    void clear();

    // Starts a draw: later triangles are rasterised with this state.
    void beginDraw(const DrawState& state, std::shared_ptr<const Texture> texture, CullMode cull);
    // Makes room for the current draw's count vertices, to be filled through vertexAt from
    // index 0. The previous draw's are dropped: its triangles were set up as they came.
    void startDrawVertices(std::uint32_t count);
    // Adds a vertex after the draw's (one made by clipping); returns its index.
    std::uint32_t addVertex(const ScreenVertex& vertex);
    ScreenVertex& vertexAt(std::uint32_t index) { return vertices_[index]; }
    // Culls, orients, sets up and bins the triangle of three added vertices.
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);

    std::size_t triangleCount() const { return triangleCount_; }
    int bandCount() const { return static_cast<int>(bands_.size()); }
    // The first row of a band, and the row after its last.
    int bandTop(int band) const { return band * bandHeight; }
    int bandBottom(int band) const { return std::min(bandTop(band) + bandHeight, targetHeight_); }
    const std::vector<std::uint32_t>& band(int index) const { return bands_[index]; }
    const QueuedTriangle& triangle(std::uint32_t index) const { return triangles_[index]; }
    const ScreenVertex& vertex(std::uint32_t index) const { return vertices_[index]; }
    const DrawState& drawState(std::uint32_t index) const { return drawStates_[index]; }

private:
    // The current draw's vertices: small enough to stay in the cache while its triangles
    // are set up. Grows to the largest draw's and stays: only the first vertexCount_ are
    // this draw's, so that a draw does not pay for clearing them again.
    std::vector<ScreenVertex> vertices_;
    std::uint32_t vertexCount_ = 0;
    // Kept as the vertices are: set-up fills every field of a triangle it queues.
    std::vector<QueuedTriangle> triangles_;
    std::uint32_t triangleCount_ = 0;
    std::vector<DrawState> drawStates_;
    std::vector<std::shared_ptr<const Texture>> textures_; // alive until rasterised
    std::vector<std::vector<std::uint32_t>> bands_;
    int targetHeight_ = 0;
    CullMode cull_ = CullMode::CounterClockwise;
};

} // namespace bw::raster
