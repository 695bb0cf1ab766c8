#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory_resource>

namespace bw {

// The bytes of a data object's values. The first room made for them comes from the arena
// the file's objects live in, which a binary file's objects fill exactly (their room is
// known before they are read): no allocation of their own, and nothing to free. Room
// beyond that is on the heap, grown by doubling and given back as it moves, so that what a
// file holds stays bounded by the values it has, as with any vector. Copies are memcpy.
class XValueBytes {
public:
    explicit XValueBytes(std::pmr::memory_resource* arena) : arena_(arena) {}
    ~XValueBytes();
    XValueBytes(const XValueBytes&) = delete;
    XValueBytes& operator=(const XValueBytes&) = delete;

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    const std::uint8_t* data() const { return bytes_; }
    std::uint8_t* data() { return bytes_; }
    const std::uint8_t* begin() const { return bytes_; }
    const std::uint8_t* end() const { return bytes_ + size_; }
    std::uint8_t operator[](std::size_t at) const { return bytes_[at]; }
    // The same bytes, wherever they are held.
    friend bool operator==(const XValueBytes& a, const XValueBytes& b) {
        return a.size_ == b.size_ && std::equal(a.begin(), a.end(), b.begin());
    }

    void reserve(std::size_t bytes);
    void append(const std::uint8_t* bytes, std::size_t count);
    void push_back(std::uint8_t byte) { *grow(1) = byte; }
    // Adds count bytes for the caller to fill, and returns where they start.
    std::uint8_t* grow(std::size_t count);

private:
    // Moves the bytes to a heap block of that many bytes.
    void moveToHeap(std::size_t bytes);

    std::pmr::memory_resource* arena_;
    std::uint8_t* bytes_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool onHeap_ = false;
};

} // namespace bw
