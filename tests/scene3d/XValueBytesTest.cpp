// An object's value bytes: the first room from the file's arena, anything beyond on the
// heap, the bytes kept in order through every move.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory_resource>
#include <numeric>
#include <vector>

#include "scene3d/platform/xfile/XValueBytes.h"

namespace bw {
namespace {

// Counts what is taken from it; like a file's arena, it frees everything only when it goes.
class CountingArena : public std::pmr::memory_resource {
public:
    std::size_t taken = 0;

    CountingArena() = default;
    CountingArena(const CountingArena&) = delete;
    CountingArena& operator=(const CountingArena&) = delete;
    ~CountingArena() override {
        for (const Block& block : blocks_)
            std::pmr::new_delete_resource()->deallocate(block.start, block.bytes, block.alignment);
    }

private:
    struct Block {
        void* start;
        std::size_t bytes;
        std::size_t alignment;
    };
    std::vector<Block> blocks_;

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        taken += bytes;
        void* start = std::pmr::new_delete_resource()->allocate(bytes, alignment);
        blocks_.push_back({start, bytes, alignment});
        return start;
    }
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const memory_resource& other) const noexcept override { return this == &other; }
};

std::vector<std::uint8_t> bytesOf(const XValueBytes& values) { return {values.begin(), values.end()}; }

TEST(XValueBytes, TheRoomMadeFirstIsTheArenasAndGrowingBeyondKeepsEveryByte) {
    std::vector<std::uint8_t> expected(300);
    std::iota(expected.begin(), expected.end(), std::uint8_t{1});
    CountingArena arena;
    {
        XValueBytes values(&arena);
        values.reserve(10);
        values.append(expected.data(), 7);
        values.push_back(expected[7]);
        std::uint8_t* const filled = values.grow(2);
        filled[0] = expected[8];
        filled[1] = expected[9];
        EXPECT_EQ(values.capacity(), 10u);
        EXPECT_EQ(bytesOf(values), std::vector<std::uint8_t>(expected.begin(), expected.begin() + 10));

        // Past the first room: on the heap, the arena asked for nothing more.
        values.append(expected.data() + 10, 5);
        for (std::size_t i = 15; i < expected.size(); ++i)
            values.push_back(expected[i]);
        EXPECT_EQ(bytesOf(values), expected);
        EXPECT_EQ(arena.taken, 10u);
        values.reserve(4); // never shrinks
        EXPECT_EQ(bytesOf(values), expected);
    }

    // Room made in one go, as a binary object's is, is all the arena gives.
    XValueBytes exact(&arena);
    exact.reserve(expected.size());
    exact.append(expected.data(), expected.size());
    EXPECT_EQ(bytesOf(exact), expected);
    EXPECT_EQ(arena.taken, 10u + expected.size());

    XValueBytes none(&arena);
    none.append(expected.data(), 0);
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace bw
