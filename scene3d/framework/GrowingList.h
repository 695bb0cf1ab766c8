#pragma once
// A list that allocates its entries in fixed steps, the way the scene classes keep their
// children, meshes, pick records and textures. Callers can tell an entry that was
// allocated but never filled (an empty value) from an index outside the allocation
// (an error), so the allocation itself is part of the behaviour, not an optimisation.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

template <typename T> class GrowingList {
public:
    explicit GrowingList(std::int32_t step) : step_(step) {}

    // Appends after the used entries; a full list first grows by one step.
    void add(T value) {
        if (count_ == capacity()) entries_.resize(entries_.size() + static_cast<std::size_t>(step_));
        entries_[static_cast<std::size_t>(count_)] = std::move(value);
        ++count_;
    }

    // Entry `index` of the allocation: an empty value at or beyond count. Throws
    // PlatformError (invalidArgument) outside 0 .. capacity - 1.
    const T& at(std::int32_t index) const {
        if (index < 0 || index >= capacity())
            throw PlatformError(result::invalidArgument, "index " + std::to_string(index) + " outside the " +
                                                             std::to_string(capacity()) +
                                                             " allocated entries");
        return entries_[static_cast<std::size_t>(index)];
    }

    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return static_cast<std::int32_t>(entries_.size()); }
    std::span<const T> used() const { return {entries_.data(), static_cast<std::size_t>(count_)}; }

    // Empties the entries from index count on (a count at or above the current one changes
    // nothing); the allocation stays.
    void truncate(std::int32_t count) {
        for (; count_ > count && count_ > 0; --count_)
            entries_[static_cast<std::size_t>(count_ - 1)] = T{};
    }

    // Releases every entry; count and capacity return to 0.
    void clear() {
        entries_.clear();
        entries_.shrink_to_fit();
        count_ = 0;
    }

private:
    std::int32_t step_;
    std::int32_t count_ = 0;
    std::vector<T> entries_;
};

} // namespace bw
