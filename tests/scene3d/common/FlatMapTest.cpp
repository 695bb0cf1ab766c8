// A flat map must find every key it holds whatever their hashes: through growth, through
// runs of colliding keys, and after a sweep erased keys that sat in the middle of a run.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>

#include "scene3d/platform/common/FlatMap.h"

namespace bw {
namespace {

struct SpreadHash {
    std::size_t operator()(std::uint64_t key) const { return key; }
};
// Every key in one run of slots, so that look-ups must step over others.
struct CollidingHash {
    std::size_t operator()(std::uint64_t key) const { return key % 3; }
};

template <class Hash>
void expectSameAs(FlatMap<std::uint64_t, int, Hash>& map, const std::map<std::uint64_t, int>& model) {
    ASSERT_EQ(map.size(), model.size());
    std::size_t visited = 0;
    map.forEach([&](std::uint64_t key, int value) {
        ++visited;
        const auto found = model.find(key);
        ASSERT_NE(found, model.end()) << key;
        EXPECT_EQ(value, found->second) << key;
    });
    EXPECT_EQ(visited, model.size());
    for (const auto& [key, value] : model)
        EXPECT_EQ(map[key], value) << key; // found, not made anew
    EXPECT_EQ(map.size(), model.size());
}

template <class Hash> void insertGrowAndSweep(std::uint64_t keySpace) {
    FlatMap<std::uint64_t, int, Hash> map;
    std::map<std::uint64_t, int> model;
    std::mt19937_64 random(11);
    for (int i = 0; i < 300; ++i) {
        const std::uint64_t key = random() % keySpace;
        EXPECT_EQ(map[key], model[key]) << "a new key starts at 0, a known one keeps its value";
        map[key] += i;
        model[key] += i;
    }
    expectSameAs(map, model);

    // Odd keys out, the values of the others changed by the sweep itself.
    map.eraseIf([](std::uint64_t key, int& value) {
        value += 1;
        return key % 2 == 1;
    });
    std::erase_if(model, [](const auto& entry) { return entry.first % 2 == 1; });
    for (auto& entry : model)
        entry.second += 1;
    expectSameAs(map, model);

    map.eraseIf([](std::uint64_t, int&) { return false; });
    expectSameAs(map, model);
    map.clear();
    EXPECT_EQ(map.size(), 0u);
    EXPECT_EQ(map[7], 0);
}

TEST(FlatMap, FindsEveryKeyThroughGrowthCollisionsAndSweeps) {
    insertGrowAndSweep<SpreadHash>(1000);
    insertGrowAndSweep<SpreadHash>(1ull << 62); // keys differing only in high bits
    insertGrowAndSweep<CollidingHash>(200);
}

} // namespace
} // namespace bw
