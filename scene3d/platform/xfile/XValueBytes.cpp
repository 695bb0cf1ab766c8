#include "scene3d/platform/xfile/XValueBytes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace bw {

XValueBytes::~XValueBytes() {
    if (onHeap_) delete[] bytes_;
}

void XValueBytes::reserve(std::size_t bytes) {
    if (bytes <= capacity_) return;
    if (capacity_ > 0) {
        moveToHeap(bytes);
        return;
    }
    bytes_ = static_cast<std::uint8_t*>(arena_->allocate(bytes, 1));
    capacity_ = bytes;
}

void XValueBytes::moveToHeap(std::size_t bytes) {
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    if (size_ > 0) std::memcpy(block.get(), bytes_, size_);
    if (onHeap_) delete[] bytes_;
    bytes_ = block.release();
    capacity_ = bytes;
    onHeap_ = true;
}

std::uint8_t* XValueBytes::grow(std::size_t count) {
    if (count > capacity_ - size_) reserve(std::max(size_ + count, capacity_ * 2));
    std::uint8_t* at = bytes_ + size_;
    size_ += count;
    return at;
}

void XValueBytes::append(const std::uint8_t* bytes, std::size_t count) {
    if (count > 0) std::memcpy(grow(count), bytes, count);
}

} // namespace bw
