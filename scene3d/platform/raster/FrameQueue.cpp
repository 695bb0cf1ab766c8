#include "scene3d/platform/raster/FrameQueue.h"

#include <algorithm>

namespace bw::raster {

CullMode cullModeFrom(std::uint32_t renderStateValue) {
    if (renderStateValue == D3DCULL_NONE) return CullMode::None;
    if (renderStateValue == D3DCULL_CW) return CullMode::Clockwise;
    return CullMode::CounterClockwise;
}

namespace {

// The vertex with the colours of the first vertex instead of its own (flat shading).
ScreenVertex withColoursOf(const ScreenVertex& first, ScreenVertex vertex) {
    const float scale = vertex.attributes[attributeInvW] / first.attributes[attributeInvW];
    for (const fixedfunction::Varying colour : fixedfunction::colourVaryings)
        vertex.attributes[attributeOf(colour)] = first.attributes[attributeOf(colour)] * scale;
    return vertex;
}

} // namespace

FrameQueue::FrameQueue(int targetHeight) { resize(targetHeight); }

void FrameQueue::resize(int targetHeight) {
    clear();
    targetHeight_ = std::max(targetHeight, 0);
    bands_.assign(static_cast<std::size_t>((targetHeight_ + bandHeight - 1) / bandHeight), {});
}

void FrameQueue::clear() {
    vertexCount_ = 0;
    triangleCount_ = 0;
    drawStates_.clear();
    textures_.clear();
    for (auto& list : bands_)
        list.clear();
}

void FrameQueue::beginDraw(const DrawState& state, std::shared_ptr<const Texture> texture, CullMode cull) {
    cull_ = cull;
    if (!drawStates_.empty() && drawStates_.back() == state) return;
    drawStates_.push_back(state);
    if (texture && (textures_.empty() || textures_.back() != texture))
        textures_.push_back(std::move(texture));
}

void FrameQueue::startDrawVertices(std::uint32_t count) {
    vertexCount_ = count;
    if (vertexCount_ > vertices_.size()) vertices_.resize(vertexCount_);
}

std::uint32_t FrameQueue::addVertex(const ScreenVertex& vertex) {
    const std::uint32_t index = vertexCount_++;
    if (vertexCount_ > vertices_.size()) vertices_.resize(vertexCount_);
    vertices_[index] = vertex;
    return index;
}

void FrameQueue::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const ScreenVertex& v0 = vertices_[a];
    const ScreenVertex& v1 = vertices_[b];
    const ScreenVertex& v2 = vertices_[c];
    // Positive for triangles that run clockwise on screen (y grows downwards).
    const std::int64_t area2 = static_cast<std::int64_t>(v1.x - v0.x) * (v2.y - v0.y) -
                               static_cast<std::int64_t>(v1.y - v0.y) * (v2.x - v0.x);
    if (area2 == 0) return;
    if (area2 < 0 && cull_ == CullMode::CounterClockwise) return;
    if (area2 > 0 && cull_ == CullMode::Clockwise) return;
    if (area2 < 0) std::swap(b, c);

    if (triangleCount_ == triangles_.size())
        triangles_.resize(triangles_.size() + triangles_.size() / 2 + 64);
    QueuedTriangle& queued = triangles_[triangleCount_];
    queued.drawState = static_cast<std::uint32_t>(drawStates_.size() - 1);
    const DrawState& state = drawStates_.back();
    const int attributes = attributesNeeded(state.texture != nullptr, state.specular);
    const ScreenVertex& first = vertices_[a];
    const bool set =
        state.flatShading
            ? setupTriangle(first, withColoursOf(first, vertices_[b]), withColoursOf(first, vertices_[c]),
                            state.clip, attributes, queued.setup)
            : setupTriangle(first, vertices_[b], vertices_[c], state.clip, attributes, queued.setup);
    if (!set) return; // covers no pixel centre

    const std::uint32_t index = triangleCount_++;
    const int lastBand = std::min((queued.setup.rows.rowEnd - 1) / bandHeight, bandCount() - 1);
    for (int band = queued.setup.rows.rowBegin / bandHeight; band <= lastBand; ++band)
        bands_[band].push_back(index);
}

} // namespace bw::raster
