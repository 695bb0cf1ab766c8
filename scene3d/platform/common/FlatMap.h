#pragma once
// A hash map kept in one array (open addressing, linear probing). A look-up reads the
// slots next to its hash, where a node-based map follows two or three pointers: that
// matters for a map looked up once per draw, whose nodes have left the cache between
// draws. Entries move when the map grows; erasing rebuilds it, for maps that erase in
// occasional sweeps.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace bw {

template <class Key, class Value, class Hash> class FlatMap {
public:
    // The value for key, made with Value{} when the key is new.
    Value& operator[](const Key& key) {
        if ((size_ + 1) * 2 > slots_.size()) rebuild(slots_.empty() ? minimumSlots : slots_.size() * 2);
        Slot& slot = slotFor(slots_, key);
        if (!slot.used) {
            slot = Slot{true, key, Value{}};
            ++size_;
        }
        return slot.value;
    }

    // Drops the entries for which drop(key, value) holds; may change the others' values.
    template <class Predicate> void eraseIf(Predicate drop) {
        std::size_t kept = 0;
        for (Slot& slot : slots_) {
            if (slot.used && drop(slot.key, slot.value)) slot.used = false;
            kept += slot.used;
        }
        if (kept != size_) {
            size_ = kept;
            rebuild(slots_.size());
        }
    }

    template <class Visit> void forEach(Visit visit) const {
        for (const Slot& slot : slots_)
            if (slot.used) visit(slot.key, slot.value);
    }

    std::size_t size() const { return size_; }
    void clear() {
        slots_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t minimumSlots = 16;

    struct Slot {
        bool used = false;
        Key key{};
        Value value{};
    };

    // The slot holding key, or the free one where it would go. A free slot is always
    // there: the map is at most half full.
    static Slot& slotFor(std::vector<Slot>& table, const Key& key) {
        const std::size_t mask = table.size() - 1;
        // Fibonacci hashing: the high bits of the product mix every bit of the hash.
        const std::uint64_t mixed = static_cast<std::uint64_t>(Hash{}(key)) * 0x9E3779B97F4A7C15ull;
        std::size_t index = static_cast<std::size_t>(mixed >> (64 - std::countr_zero(table.size())));
        while (table[index].used && !(table[index].key == key))
            index = (index + 1) & mask;
        return table[index];
    }

    // Puts the used slots into a new array of slotCount (a power of two) slots.
    void rebuild(std::size_t slotCount) {
        std::vector<Slot> table(slotCount);
        for (Slot& slot : slots_)
            if (slot.used) slotFor(table, slot.key) = std::move(slot);
        slots_ = std::move(table);
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
};

} // namespace bw
