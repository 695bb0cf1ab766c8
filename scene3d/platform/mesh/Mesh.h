#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "scene3d/math/BoundingBox.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/platform/mesh/VertexLayout.h"

namespace bw {

// A run of consecutive faces with one attribute (material) id and the range of vertices
// they use. After optimisation each attribute id has exactly one run.
struct AttributeRange {
    std::uint32_t attributeId = 0;
    std::uint32_t faceStart = 0;
    std::uint32_t faceCount = 0;
    std::uint32_t vertexStart = 0;
    std::uint32_t vertexCount = 0;

    friend bool operator==(const AttributeRange&, const AttributeRange&) = default;
};

// An indexed triangle mesh laid out for drawing: one contiguous array of vertices
// (layout().slotCount 32-bit slots each, floats except packed colours), three 32-bit indices
// per face, an attribute id per face and the attribute table of face runs.
class Mesh {
public:
    // Throws PlatformError (invalidCall) when the layout is invalid, the vertex data is not
    // a whole number of vertices, an index is out of range or the attribute count is not
    // the face count.
    Mesh(std::uint32_t fvfCode, std::vector<float> vertices, std::vector<std::uint32_t> indices,
         std::vector<std::uint32_t> faceAttributes);

    std::uint32_t fvf() const { return layout_.fvf; }
    const VertexLayout& layout() const { return layout_; }
    std::uint32_t vertexSize() const { return layout_.vertexSize(); }
    std::uint32_t vertexCount() const {
        return static_cast<std::uint32_t>(vertices_.size() / layout_.slotCount);
    }
    std::uint32_t faceCount() const { return static_cast<std::uint32_t>(attributes_.size()); }

    std::span<const float> vertexData() const { return vertices_; }
    std::span<const std::uint32_t> indices() const { return indices_; }
    std::span<const std::uint32_t> faceAttributes() const { return attributes_; }
    const std::vector<AttributeRange>& attributeTable() const { return attributeTable_; }
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
    std::vector<float> vertices_;
    std::vector<std::uint32_t> indices_;
    std::vector<std::uint32_t> attributes_;
    std::vector<AttributeRange> attributeTable_;
    mutable BoundingBox bounds_;
    mutable bool boundsStale_ = true;
};

// The runs of equal attribute ids in face order, with the vertex range of each run.
std::vector<AttributeRange> buildAttributeTable(std::span<const std::uint32_t> indices,
                                                std::span<const std::uint32_t> faceAttributes);

} // namespace bw
