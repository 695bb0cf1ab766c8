#include "scene3d/platform/mesh/MeshArrays.h"

#include <cstring>
#include <utility>

namespace bw {

MeshArrays::MeshArrays(std::size_t vertexSlots, std::size_t faces, std::size_t runs)
    : slotCount_(vertexSlots), faceCount_(faces), runCount_(runs) {
    // Bytes, in which the floats, indices and runs begin to live as they are written.
    if (words() > 0) block_ = std::make_unique_for_overwrite<std::byte[]>(words() * 4);
}

MeshArrays::MeshArrays(const MeshArrays& other)
    : MeshArrays(other.slotCount_, other.faceCount_, other.runCount_) {
    if (words() > 0) std::memcpy(block_.get(), other.block_.get(), words() * 4);
}

MeshArrays& MeshArrays::operator=(const MeshArrays& other) {
    if (this != &other) *this = MeshArrays(other);
    return *this;
}

MeshArrays::MeshArrays(MeshArrays&& other) noexcept
    : block_(std::move(other.block_)), slotCount_(std::exchange(other.slotCount_, 0)),
      faceCount_(std::exchange(other.faceCount_, 0)), runCount_(std::exchange(other.runCount_, 0)) {}

MeshArrays& MeshArrays::operator=(MeshArrays&& other) noexcept {
    block_ = std::move(other.block_);
    slotCount_ = std::exchange(other.slotCount_, 0);
    faceCount_ = std::exchange(other.faceCount_, 0);
    runCount_ = std::exchange(other.runCount_, 0);
    return *this;
}

MeshArrays MeshArrays::withRuns(std::size_t runs) const {
    MeshArrays moved(slotCount_, faceCount_, runs);
    // The vertices and faces lie first, in the same place in either block.
    const std::size_t shared = slotCount_ + 4 * faceCount_;
    if (shared > 0) std::memcpy(moved.block_.get(), block_.get(), shared * 4);
    return moved;
}

} // namespace bw
