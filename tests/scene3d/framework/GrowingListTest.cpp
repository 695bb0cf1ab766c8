#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "scene3d/framework/GrowingList.h"

namespace bw {
namespace {

using Entry = std::shared_ptr<int>;

std::vector<int> valuesOf(const GrowingList<Entry, 3>& list) {
    std::vector<int> values;
    for (const Entry& entry : list.used())
        values.push_back(entry ? *entry : -1);
    return values;
}

TEST(GrowingList, GrowsByStepsAndKeepsEveryEntryInOrderAcrossTheFirstStep) {
    GrowingList<Entry, 3> list;
    EXPECT_EQ(0, list.capacity());
    EXPECT_THROW(list.at(0), PlatformError);

    std::vector<Entry> added;
    const std::vector<std::pair<int, int>> countAndCapacity{{1, 3}, {3, 3}, {4, 6}, {6, 6}, {7, 9}};
    for (const auto& [count, capacity] : countAndCapacity) {
        while (list.count() < count) {
            added.push_back(std::make_shared<int>(list.count()));
            list.add(added.back());
        }
        EXPECT_EQ(capacity, list.capacity()) << count;
        // Every entry where it was added, whether the first step's room or the heap holds it.
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(added[static_cast<std::size_t>(i)], list.at(i)) << i;
        // Allocated and not filled: empty; beyond the allocation: an error.
        for (int i = count; i < capacity; ++i)
            EXPECT_EQ(nullptr, list.at(i));
        EXPECT_THROW(list.at(capacity), PlatformError);
        EXPECT_THROW(list.at(-1), PlatformError);
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6}), valuesOf(list));
}

TEST(GrowingList, TruncateEmptiesEntriesAndClearReleasesEverything) {
    for (const int count : {2, 5}) { // within the first step, and past it
        GrowingList<Entry, 3> list;
        std::vector<Entry> added;
        for (int i = 0; i < count; ++i) {
            added.push_back(std::make_shared<int>(i));
            list.add(added.back());
        }
        const std::int32_t capacity = list.capacity();

        list.truncate(count + 1); // above the count: nothing
        EXPECT_EQ(count, list.count());
        list.truncate(1);
        EXPECT_EQ(1, list.count());
        EXPECT_EQ(capacity, list.capacity());
        EXPECT_EQ(nullptr, list.at(1));
        EXPECT_EQ(1, added[1].use_count()) << "a truncated entry is let go";
        EXPECT_EQ((std::vector<int>{0}), valuesOf(list));

        // Filled again after a truncation: the allocation is reused, not grown.
        list.add(added[1]);
        EXPECT_EQ(capacity, list.capacity());
        EXPECT_EQ((std::vector<int>{0, 1}), valuesOf(list));

        list.clear();
        EXPECT_EQ(0, list.count());
        EXPECT_EQ(0, list.capacity());
        EXPECT_THROW(list.at(0), PlatformError);
        for (const Entry& entry : added)
            EXPECT_EQ(1, entry.use_count()) << "the list holds nothing after clear";

        // And starts over from the first step.
        list.add(added[0]);
        EXPECT_EQ(3, list.capacity());
        EXPECT_EQ((std::vector<int>{0}), valuesOf(list));
    }
}

} // namespace
} // namespace bw
