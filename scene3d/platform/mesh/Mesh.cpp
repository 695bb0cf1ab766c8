#include "scene3d/platform/mesh/Mesh.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <xmmintrin.h>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

namespace {

MeshArrays arraysOf(const std::vector<float>& vertices, const std::vector<std::uint32_t>& indices,
                    const std::vector<std::uint32_t>& faceAttributes) {
    if (indices.size() != faceAttributes.size() * 3)
        throw PlatformError(result::invalidCall, "mesh: attribute count differs from face count");
    MeshArrays arrays(vertices.size(), faceAttributes.size(), countAttributeRuns(faceAttributes));
    std::copy(vertices.begin(), vertices.end(), arrays.vertexSlots().begin());
    std::copy(indices.begin(), indices.end(), arrays.indices().begin());
    std::copy(faceAttributes.begin(), faceAttributes.end(), arrays.faceAttributes().begin());
    return arrays;
}

} // namespace

Mesh::Mesh(std::uint32_t fvfCode, const std::vector<float>& vertices,
           const std::vector<std::uint32_t>& indices, const std::vector<std::uint32_t>& faceAttributes)
    : Mesh(fvfCode, arraysOf(vertices, indices, faceAttributes)) {}

Mesh::Mesh(std::uint32_t fvfCode, MeshArrays arrays) : arrays_(std::move(arrays)) {
    const auto layout = vertexLayoutOf(fvfCode);
    if (!layout) throw PlatformError(result::invalidCall, "mesh: invalid vertex layout");
    layout_ = *layout;
    if (arrays_.vertexSlots().size() % layout_.slotCount != 0)
        throw PlatformError(result::invalidCall, "mesh: partial vertex");
    // One pass where the arrays have room for the runs there are, as a loader's have.
    if (const std::size_t runs =
            fillAttributeTable(arrays_.indices(), arrays_.faceAttributes(), arrays_.runs());
        runs != arrays_.runs().size()) {
        arrays_ = arrays_.withRuns(runs);
        fillAttributeTable(arrays_.indices(), arrays_.faceAttributes(), arrays_.runs());
    }
    // The table has the highest vertex of each run: the indices need no pass of their own.
    const std::size_t count = arrays_.vertexSlots().size() / layout_.slotCount;
    const auto table = arrays_.runs();
    if (std::any_of(table.begin(), table.end(), [count](const AttributeRange& run) {
            return std::uint64_t{run.vertexStart} + run.vertexCount > count;
        }))
        throw PlatformError(result::invalidCall, "mesh: index out of range");
    positionBounds(); // now, so that readers on several threads only ever read it
}

std::uint32_t Mesh::subsetCount() const {
    std::set<std::uint32_t> ids;
    for (const auto& range : arrays_.runs())
        ids.insert(range.attributeId);
    return static_cast<std::uint32_t>(ids.size());
}

std::array<std::uint32_t, 3> Mesh::face(std::uint32_t f) const {
    const auto indices = arrays_.indices();
    return {indices[3 * f], indices[3 * f + 1], indices[3 * f + 2]};
}

Vector3 Mesh::position(std::uint32_t vertex) const {
    const float* p = arrays_.vertexSlots().data() + std::size_t{vertex} * layout_.slotCount;
    return {p[0], p[1], p[2]};
}

void Mesh::setPosition(std::uint32_t vertex, Vector3 v) {
    float* p = arrays_.vertexSlots().data() + std::size_t{vertex} * layout_.slotCount;
    p[0] = v.x;
    p[1] = v.y;
    p[2] = v.z;
    boundsStale_ = true;
}

Vector3 Mesh::normal(std::uint32_t vertex) const {
    const float* n = arrays_.vertexSlots().data() + std::size_t{vertex} * layout_.slotCount + layout_.normal;
    return {n[0], n[1], n[2]};
}

void Mesh::setNormal(std::uint32_t vertex, Vector3 v) {
    float* n = arrays_.vertexSlots().data() + std::size_t{vertex} * layout_.slotCount + layout_.normal;
    n[0] = v.x;
    n[1] = v.y;
    n[2] = v.z;
}

std::vector<std::uint8_t> Mesh::readVertexBytes(std::size_t offset, std::size_t count) const {
    const auto vertices = arrays_.vertexSlots();
    const std::size_t size = vertices.size_bytes();
    if (offset > size || count > size - offset)
        throw PlatformError(result::invalidCall, "mesh: read past the vertices");
    std::vector<std::uint8_t> bytes(count);
    if (count)
        std::memcpy(bytes.data(), reinterpret_cast<const std::uint8_t*>(vertices.data()) + offset, count);
    return bytes;
}

void Mesh::writeVertexBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    const auto vertices = arrays_.vertexSlots();
    const std::size_t size = vertices.size_bytes();
    if (offset > size || bytes.size() > size - offset)
        throw PlatformError(result::invalidCall, "mesh: write past the vertices");
    if (!bytes.empty())
        std::memcpy(reinterpret_cast<std::uint8_t*>(vertices.data()) + offset, bytes.data(), bytes.size());
    boundsStale_ = true;
}

const BoundingBox& Mesh::positionBounds() const {
    if (!boundsStale_) return bounds_;
    bounds_ = {};
    const std::uint32_t count = vertexCount();
    if (count > 0) bounds_.minimum = bounds_.maximum = position(0);
    // The positions of all vertices but the last four floats at a time, the slot after each
    // position coming along unused (the last vertex may have none after it). Each step is
    // std::min and std::max of every axis: the box's value stays where a position is NaN.
    if (count > 2) {
        const float* const first = arrays_.vertexSlots().data();
        const std::size_t stride = layout_.slotCount;
        __m128 minimum = _mm_loadu_ps(first);
        __m128 maximum = minimum;
        for (std::uint32_t v = 1; v + 1 < count; ++v) {
            const __m128 p = _mm_loadu_ps(first + v * stride);
            minimum = _mm_min_ps(p, minimum);
            maximum = _mm_max_ps(p, maximum);
        }
        alignas(16) float low[4], high[4];
        _mm_store_ps(low, minimum);
        _mm_store_ps(high, maximum);
        bounds_ = {{low[0], low[1], low[2]}, {high[0], high[1], high[2]}};
    }
    for (std::uint32_t v = count > 2 ? count - 1 : 1; v < count; ++v) {
        const Vector3 p = position(v);
        bounds_.minimum = {std::min(bounds_.minimum.x, p.x), std::min(bounds_.minimum.y, p.y),
                           std::min(bounds_.minimum.z, p.z)};
        bounds_.maximum = {std::max(bounds_.maximum.x, p.x), std::max(bounds_.maximum.y, p.y),
                           std::max(bounds_.maximum.z, p.z)};
    }
    boundsStale_ = false;
    return bounds_;
}

namespace {

struct IndexRange {
    std::uint32_t lowest = UINT32_MAX;
    std::uint32_t highest = 0;
};

// Every index of every mesh made passes through here. SSE2, all that x86-64 promises, has
// no unsigned 32-bit minimum or maximum: processors with SSE4.1 or AVX2 take eight or four
// indices a step where the others take one (the processor picks its version at load time).
__attribute__((target_clones("avx2", "sse4.1", "default"))) IndexRange
indexRange(std::span<const std::uint32_t> indices) {
    IndexRange range;
    for (const std::uint32_t index : indices) {
        range.lowest = std::min(range.lowest, index);
        range.highest = std::max(range.highest, index);
    }
    return range;
}

} // namespace

std::size_t countAttributeRuns(std::span<const std::uint32_t> faceAttributes) {
    std::size_t runs = faceAttributes.empty() ? 0 : 1;
    for (std::size_t f = 1; f < faceAttributes.size(); ++f)
        runs += faceAttributes[f] != faceAttributes[f - 1];
    return runs;
}

std::size_t fillAttributeTable(std::span<const std::uint32_t> indices,
                               std::span<const std::uint32_t> faceAttributes,
                               std::span<AttributeRange> table) {
    const std::size_t faces = faceAttributes.size();
    std::size_t run = 0;
    for (std::size_t start = 0; start < faces; ++run) {
        const std::uint32_t id = faceAttributes[start];
        const std::size_t end = static_cast<std::size_t>(
            std::find_if(faceAttributes.begin() + static_cast<std::ptrdiff_t>(start), faceAttributes.end(),
                         [id](std::uint32_t a) { return a != id; }) -
            faceAttributes.begin());
        if (run < table.size()) {
            // The run's corners in one flat pass, not face by face.
            const IndexRange corners = indexRange(indices.subspan(3 * start, 3 * (end - start)));
            table[run] = {id, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start),
                          corners.lowest, corners.highest - corners.lowest + 1};
        }
        start = end;
    }
    return run;
}

std::vector<AttributeRange> buildAttributeTable(std::span<const std::uint32_t> indices,
                                                std::span<const std::uint32_t> faceAttributes) {
    std::vector<AttributeRange> table(countAttributeRuns(faceAttributes));
    fillAttributeTable(indices, faceAttributes, table);
    return table;
}

} // namespace bw
