#pragma once
// The arrays of a mesh in one allocation: the vertices' 32-bit slots, three indices and an
// attribute id per face, and the runs of the attribute table. A mesh loaded from a file
// had a block for each of them; one block is made and freed once, and its elements are not
// zeroed first, as whoever makes the arrays writes every one of them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

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

class MeshArrays {
public:
    MeshArrays() = default;
    // Room for that many vertex slots, faces and runs, the elements left for the caller to
    // write.
    MeshArrays(std::size_t vertexSlots, std::size_t faces, std::size_t runs);
    MeshArrays(const MeshArrays& other);
    MeshArrays& operator=(const MeshArrays& other);
    MeshArrays(MeshArrays&& other) noexcept;
    MeshArrays& operator=(MeshArrays&& other) noexcept;
    ~MeshArrays() = default;

    std::span<float> vertexSlots() { return {floatWords(), slotCount_}; }
    std::span<const float> vertexSlots() const { return {floatWords(), slotCount_}; }
    // Three per face.
    std::span<std::uint32_t> indices() { return {indexWords(), 3 * faceCount_}; }
    std::span<const std::uint32_t> indices() const { return {indexWords(), 3 * faceCount_}; }
    std::span<std::uint32_t> faceAttributes() { return {attributeWords(), faceCount_}; }
    std::span<const std::uint32_t> faceAttributes() const { return {attributeWords(), faceCount_}; }
    std::span<AttributeRange> runs() { return {runRecords(), runCount_}; }
    std::span<const AttributeRange> runs() const { return {runRecords(), runCount_}; }

    // The same vertices and faces with room for another number of runs (their content
    // left to the caller).
    MeshArrays withRuns(std::size_t runs) const;

private:
    // Every array is of 32-bit words, so each starts aligned where the one before ends.
    std::size_t words() const { return slotCount_ + 4 * faceCount_ + 5 * runCount_; }
    float* floatWords() const { return reinterpret_cast<float*>(block_.get()); }
    std::uint32_t* indexWords() const { return reinterpret_cast<std::uint32_t*>(floatWords() + slotCount_); }
    std::uint32_t* attributeWords() const { return indexWords() + 3 * faceCount_; }
    AttributeRange* runRecords() const {
        return reinterpret_cast<AttributeRange*>(attributeWords() + faceCount_);
    }

    std::unique_ptr<std::byte[]> block_;
    std::size_t slotCount_ = 0;
    std::size_t faceCount_ = 0;
    std::size_t runCount_ = 0;
};

static_assert(sizeof(AttributeRange) == 5 * sizeof(std::uint32_t) && alignof(AttributeRange) == 4);

} // namespace bw
