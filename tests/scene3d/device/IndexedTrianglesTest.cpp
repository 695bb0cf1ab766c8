// The vertex range a draw's faces use, from 16- or 32-bit indices.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "scene3d/platform/device/IndexedTriangles.h"

namespace bw {
namespace {

TEST(IndexedTriangles, IndexRangeSpansTheFacesDrawnOnlyInEitherIndexSize) {
    // Faces 1 and 2 of four; the others hold the extremes that must not count.
    const std::vector<std::uint32_t> wide{0, 70000, 9, 12, 40, 7, 33, 8, 21, 65536, 1, 99999};
    IndexedTriangles triangles = subsetTriangles(nullptr, 100000, 0, wide, 1, 2, 0);
    IndexRange range = indexRangeOf(triangles, 3, 9);
    EXPECT_EQ(range.lowest, 7u);
    EXPECT_EQ(range.highest, 40u);
    range = indexRangeOf(triangles, 0, 12);
    EXPECT_EQ(range.lowest, 0u);
    EXPECT_EQ(range.highest, 99999u);

    // Long enough for the vectorised loop and its remainder, the extremes at either end.
    std::vector<std::uint16_t> narrow(3 * 41, 500);
    narrow.front() = 65535;
    narrow.back() = 3;
    triangles.indices = narrow.data();
    triangles.indexFormat = IndexFormat::Bits16;
    triangles.indexCount = static_cast<std::uint32_t>(narrow.size());
    range = indexRangeOf(triangles, 0, triangles.indexCount);
    EXPECT_EQ(range.lowest, 3u);
    EXPECT_EQ(range.highest, 65535u);
    range = indexRangeOf(triangles, 3, triangles.indexCount - 3);
    EXPECT_EQ(range.lowest, 500u);
    EXPECT_EQ(range.highest, 500u);

    range = indexRangeOf(triangles, 6, 6);
    EXPECT_GT(range.lowest, range.highest) << "no faces";
    EXPECT_EQ(range.lowest, std::numeric_limits<std::uint32_t>::max());
}

} // namespace
} // namespace bw
