#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/mesh/MeshArrays.h"

namespace bw {
namespace {

// Writes a different value into every element of every array.
void fillDistinct(MeshArrays& arrays) {
    std::iota(arrays.vertexSlots().begin(), arrays.vertexSlots().end(), 0.5f);
    std::iota(arrays.indices().begin(), arrays.indices().end(), 1000u);
    std::iota(arrays.faceAttributes().begin(), arrays.faceAttributes().end(), 2000u);
    std::uint32_t n = 3000;
    for (AttributeRange& run : arrays.runs()) {
        run = {n, n + 1, n + 2, n + 3, n + 4};
        n += 5;
    }
}

bool holdsDistinct(const MeshArrays& arrays) {
    MeshArrays expected(arrays.vertexSlots().size(), arrays.faceAttributes().size(), arrays.runs().size());
    fillDistinct(expected);
    return std::ranges::equal(arrays.vertexSlots(), expected.vertexSlots()) &&
           std::ranges::equal(arrays.indices(), expected.indices()) &&
           std::ranges::equal(arrays.faceAttributes(), expected.faceAttributes()) &&
           std::ranges::equal(arrays.runs(), expected.runs());
}

TEST(MeshArrays, EachArrayHasItsOwnRoomInTheBlock) {
    // Odd sizes, so that an array placed by a wrong offset overlaps its neighbour.
    MeshArrays arrays(7, 3, 2);
    EXPECT_EQ(7u, arrays.vertexSlots().size());
    EXPECT_EQ(9u, arrays.indices().size());
    EXPECT_EQ(3u, arrays.faceAttributes().size());
    EXPECT_EQ(2u, arrays.runs().size());
    fillDistinct(arrays);
    EXPECT_TRUE(holdsDistinct(arrays));

    // Nothing at all: every array empty, and nothing allocated to read.
    for (const MeshArrays& empty : {MeshArrays(), MeshArrays(0, 0, 0)}) {
        EXPECT_TRUE(empty.vertexSlots().empty());
        EXPECT_TRUE(empty.indices().empty());
        EXPECT_TRUE(empty.faceAttributes().empty());
        EXPECT_TRUE(empty.runs().empty());
    }
    // Vertices without faces, and faces without runs.
    MeshArrays verticesOnly(6, 0, 0);
    fillDistinct(verticesOnly);
    EXPECT_TRUE(holdsDistinct(verticesOnly));
    MeshArrays noRuns(3, 2, 0);
    fillDistinct(noRuns);
    EXPECT_TRUE(holdsDistinct(noRuns));
}

TEST(MeshArrays, CopiesAreDeepMovesEmptyTheSourceAndRunsCanBeResized) {
    MeshArrays original(5, 2, 1);
    fillDistinct(original);

    MeshArrays copy = original;
    copy.vertexSlots()[0] = -1.0f;
    copy.indices()[5] = 7;
    EXPECT_TRUE(holdsDistinct(original));
    MeshArrays assigned(1, 1, 1);
    assigned = original;
    EXPECT_TRUE(holdsDistinct(assigned));
    assigned = *&assigned; // onto itself: unchanged
    EXPECT_TRUE(holdsDistinct(assigned));

    MeshArrays moved = std::move(copy);
    EXPECT_EQ(-1.0f, moved.vertexSlots()[0]);
    EXPECT_EQ(7u, moved.indices()[5]);
    EXPECT_TRUE(
        copy.vertexSlots().empty());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_TRUE(copy.runs().empty()); // NOLINT(bugprone-use-after-move)

    // More runs and fewer: the vertices and faces come along, the runs are the caller's.
    for (const std::size_t runs : {std::size_t{0}, std::size_t{1}, std::size_t{4}}) {
        const MeshArrays resized = original.withRuns(runs);
        EXPECT_EQ(runs, resized.runs().size());
        EXPECT_TRUE(std::ranges::equal(original.vertexSlots(), resized.vertexSlots()));
        EXPECT_TRUE(std::ranges::equal(original.indices(), resized.indices()));
        EXPECT_TRUE(std::ranges::equal(original.faceAttributes(), resized.faceAttributes()));
    }
}

TEST(MeshArrays, AMeshFromArraysIsTheMeshFromListsWhateverRoomItsRunsHad) {
    // Four vertices, faces with attributes 1,1,0,1: three runs.
    const std::vector<float> vertices{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    const std::vector<std::uint32_t> indices{0, 1, 2, 1, 3, 2, 0, 2, 3, 3, 1, 0};
    const std::vector<std::uint32_t> attributes{1, 1, 0, 1};
    EXPECT_EQ(3u, countAttributeRuns(attributes));
    EXPECT_EQ(0u, countAttributeRuns({}));
    EXPECT_EQ(1u, countAttributeRuns(std::vector<std::uint32_t>{4, 4, 4}));
    const Mesh fromLists(fvf::xyz, vertices, indices, attributes);
    ASSERT_EQ(3u, fromLists.attributeTable().size());

    // The runs' room too small, right, too large: the table comes out the same.
    for (const std::size_t room : {std::size_t{0}, std::size_t{3}, std::size_t{5}}) {
        MeshArrays arrays(vertices.size(), attributes.size(), room);
        std::ranges::copy(vertices, arrays.vertexSlots().begin());
        std::ranges::copy(indices, arrays.indices().begin());
        std::ranges::copy(attributes, arrays.faceAttributes().begin());
        const Mesh fromArrays(fvf::xyz, std::move(arrays));
        EXPECT_TRUE(std::ranges::equal(fromLists.attributeTable(), fromArrays.attributeTable())) << room;
        EXPECT_TRUE(std::ranges::equal(fromLists.vertexData(), fromArrays.vertexData()));
        EXPECT_TRUE(std::ranges::equal(fromLists.indices(), fromArrays.indices()));
        EXPECT_EQ(fromLists.positionBounds().maximum, fromArrays.positionBounds().maximum);
    }

    // Arrays are checked as lists are: a partial vertex, an index past the vertices.
    MeshArrays partial(4, 0, 0);
    EXPECT_THROW(Mesh(fvf::xyz, std::move(partial)), PlatformError);
    MeshArrays pastTheEnd(3, 1, 1);
    std::ranges::fill(pastTheEnd.vertexSlots(), 0.0f);
    std::ranges::copy(std::vector<std::uint32_t>{0, 0, 1}, pastTheEnd.indices().begin());
    pastTheEnd.faceAttributes()[0] = 0;
    EXPECT_THROW(Mesh(fvf::xyz, std::move(pastTheEnd)), PlatformError);
}

} // namespace
} // namespace bw
