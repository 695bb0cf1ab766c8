#pragma once
// A list that allocates its entries in fixed steps, the way the scene classes keep their
// children, meshes, pick records and textures. Callers can tell an entry that was
// allocated but never filled (an empty value) from an index outside the allocation
// (an error), so the allocation itself is part of the behaviour, not an optimisation.
//
// The first step's entries lie in the list itself: most lists never grow past it (a frame
// of a model file holds a mesh or a few frames), and so need no block of their own. The
// allocation the callers see is the same.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

template <typename T, std::int32_t Step> class GrowingList {
    static_assert(Step > 0);

public:
    // Appends after the used entries; a full list first grows by one step.
    void add(T value) {
        if (count_ == capacity_) grow();
        entries()[count_] = std::move(value);
        ++count_;
    }

    // Entry `index` of the allocation: an empty value at or beyond count. Throws
    // PlatformError (invalidArgument) outside 0 .. capacity - 1.
    const T& at(std::int32_t index) const {
        if (index < 0 || index >= capacity_)
            throw PlatformError(result::invalidArgument, "index " + std::to_string(index) + " outside the " +
                                                             std::to_string(capacity_) +
                                                             " allocated entries");
        return entries()[index];
    }

    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return capacity_; }
    std::span<const T> used() const { return {entries(), static_cast<std::size_t>(count_)}; }

    // Empties the entries from index count on (a count at or above the current one changes
    // nothing); the allocation stays.
    void truncate(std::int32_t count) {
        for (; count_ > count && count_ > 0; --count_)
            entries()[count_ - 1] = T{};
    }

    // Releases every entry; count and capacity return to 0.
    void clear() {
        beyondFirstStep_.clear();
        beyondFirstStep_.shrink_to_fit();
        firstStep_.fill(T{});
        count_ = 0;
        capacity_ = 0;
    }

private:
    // The entries lie in the list until they outgrow the first step, then all on the heap.
    T* entries() { return beyondFirstStep_.empty() ? firstStep_.data() : beyondFirstStep_.data(); }
    const T* entries() const {
        return beyondFirstStep_.empty() ? firstStep_.data() : beyondFirstStep_.data();
    }

    void grow() {
        capacity_ += Step;
        if (capacity_ == Step) return;
        if (beyondFirstStep_.empty()) {
            beyondFirstStep_.resize(static_cast<std::size_t>(capacity_));
            std::move(firstStep_.begin(), firstStep_.end(), beyondFirstStep_.begin());
            firstStep_.fill(T{});
        } else {
            beyondFirstStep_.resize(static_cast<std::size_t>(capacity_));
        }
    }

    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    std::array<T, Step> firstStep_{};
    std::vector<T> beyondFirstStep_;
};

} // namespace bw
