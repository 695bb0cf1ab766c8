#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "scene3d/math/BoundingBox.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/platform/mesh/MeshArrays.h"
#include "scene3d/platform/mesh/VertexLayout.h"

namespace bw {

// An indexed triangle mesh laid out for drawing: one contiguous array of vertices
// (layout().slotCount 32-bit slots each, floats except packed colours), three 32-bit indices
// per face, an attribute id per face and the attribute table of face runs.
class Mesh {
public:
    // Throws PlatformError (invalidCall) when the layout is invalid, the vertex data is not
    // a whole number of vertices, an index is out of range or the attribute count is not
    // the face count.
    Mesh(std::uint32_t fvfCode, const std::vector<float>& vertices, const std::vector<std::uint32_t>& indices,
         const std::vector<std::uint32_t>& faceAttributes);
    // The same from arrays whose vertices, indices and attributes are written; the runs
    // are filled here (room for as many as countAttributeRuns gives saves a copy).
    Mesh(std::uint32_t fvfCode, MeshArrays arrays);

    std::uint32_t fvf() const { return layout_.fvf; }
    const VertexLayout& layout() const { return layout_; }
    std::uint32_t vertexSize() const { return layout_.vertexSize(); }
    std::uint32_t vertexCount() const {
        return static_cast<std::uint32_t>(arrays_.vertexSlots().size() / layout_.slotCount);
    }
    std::uint32_t faceCount() const { return static_cast<std::uint32_t>(arrays_.faceAttributes().size()); }

    std::span<const float> vertexData() const { return arrays_.vertexSlots(); }
    std::span<const std::uint32_t> indices() const { return arrays_.indices(); }
    std::span<const std::uint32_t> faceAttributes() const { return arrays_.faceAttributes(); }
    std::span<const AttributeRange> attributeTable() const { return arrays_.runs(); }
    // Number of distinct attribute ids the faces use.
    std::uint32_t subsetCount() const;

    std::array<std::uint32_t, 3> face(std::uint32_t faceIndex) const;
    Vector3 position(std::uint32_t vertex) const;
    void setPosition(std::uint32_t vertex, Vector3 p);
    // Only for layouts with a normal.
    Vector3 normal(std::uint32_t vertex) const;
    void setNormal(std::uint32_t vertex, Vector3 n);
    // Smallest axis-aligned box holding every position; zero for no vertices. Kept with the
    // mesh (picking asks for it on every click) and worked out again after a write.
    const BoundingBox& positionBounds() const;

    // Raw access to the vertex buffer; out-of-range spans throw PlatformError (invalidCall).
    std::vector<std::uint8_t> readVertexBytes(std::size_t offset, std::size_t count) const;
    void writeVertexBytes(std::size_t offset, std::span<const std::uint8_t> bytes);

private:
    VertexLayout layout_;
    MeshArrays arrays_;
    mutable BoundingBox bounds_;
    mutable bool boundsStale_ = true;
};

// The runs of equal attribute ids in face order, with the vertex range of each run.
std::vector<AttributeRange> buildAttributeTable(std::span<const std::uint32_t> indices,
                                                std::span<const std::uint32_t> faceAttributes);
// How many runs of equal attribute ids the faces make.
std::size_t countAttributeRuns(std::span<const std::uint32_t> faceAttributes);
// buildAttributeTable into table, as many runs as it has room for; returns how many
// runs there are.
std::size_t fillAttributeTable(std::span<const std::uint32_t> indices,
                               std::span<const std::uint32_t> faceAttributes,
                               std::span<AttributeRange> table);

} // namespace bw
