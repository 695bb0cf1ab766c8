// A triangle is set up once and its rows walked from wherever a band starts: every row's
// span must be exactly the pixel centres its edge functions cover (top-left rule), from
// any first row, also for long, nearly horizontal edges whose steps are large.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "scene3d/platform/raster/RowSpans.h"
#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {
namespace {

struct Point {
    std::int64_t x, y; // subpixels
};

bool covers(const Point (&p)[3], std::int64_t px, std::int64_t py) {
    for (int i = 0; i < 3; ++i) {
        const Point a = p[i], b = p[(i + 1) % 3];
        const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
        const std::int64_t e = dx * (py * subpixelScale - a.y) - dy * (px * subpixelScale - a.x);
        const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
        if (e < 0 || (e == 0 && !topLeft)) return false;
    }
    return true;
}

template <int StartEdges, int EdgeCount>
void walkFrom(const TriangleSetup& t, int firstRow, int rowEnd, std::vector<Span>& spans) {
    RowSpans<StartEdges, EdgeCount> rows(t.rows, t.originX, t.originY, firstRow);
    for (int y = firstRow; y < rowEnd; ++y)
        spans.push_back(rows.next());
}

std::vector<Span> walk(const TriangleSetup& t, int firstRow) {
    std::vector<Span> spans;
    if (t.rows.edgeCount == 2)
        walkFrom<1, 2>(t, firstRow, t.rows.rowEnd, spans);
    else if (t.rows.startEdges == 1)
        walkFrom<1, 3>(t, firstRow, t.rows.rowEnd, spans);
    else
        walkFrom<2, 3>(t, firstRow, t.rows.rowEnd, spans);
    return spans;
}

TEST(RowSpans, EveryRowFromAnyFirstRowCoversExactlyThePixelCentresInside) {
    constexpr int clipSize = 160;
    std::mt19937 random(5);
    const PixelRect clip{0, 0, clipSize, clipSize};
    auto coordinate = [&](int lowPixels, int highPixels) {
        // Often exactly on a pixel centre or half-way between two.
        const int grid = random() % 3 == 0 ? subpixelScale : random() % 2 == 0 ? subpixelScale / 2 : 1;
        const std::int64_t cells = std::int64_t{highPixels - lowPixels} * subpixelScale / grid;
        return lowPixels * std::int64_t{subpixelScale} + static_cast<std::int64_t>(random() % cells) * grid;
    };
    int checkedRows = 0, horizontalEdges = 0;
    for (int n = 0; n < 1500; ++n) {
        Point p[3];
        if (n % 4 == 0) {
            // Long and nearly horizontal, reaching far outside the clip rectangle.
            const std::int64_t y = coordinate(0, clipSize);
            p[0] = {coordinate(-30000, -20000), y};
            p[1] = {coordinate(20000, 30000), y + static_cast<int>(random() % 3)};
            p[2] = {coordinate(0, clipSize), coordinate(0, clipSize)};
        } else {
            for (Point& point : p)
                point = {coordinate(-40, clipSize + 40), coordinate(-40, clipSize + 40)};
        }
        const std::int64_t area =
            (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x);
        if (area == 0) continue;
        if (area < 0) std::swap(p[1], p[2]);
        ScreenVertex v[3];
        for (int i = 0; i < 3; ++i)
            v[i] = {static_cast<std::int32_t>(p[i].x), static_cast<std::int32_t>(p[i].y), {}};
        horizontalEdges += p[0].y == p[1].y || p[1].y == p[2].y || p[2].y == p[0].y;

        TriangleSetup t;
        const bool set = setupTriangle(v[0], v[1], v[2], clip, attributeCount, t);
        int firstCovered = clipSize, lastCovered = -1;
        for (int y = 0; y < clipSize; ++y)
            for (int x = 0; x < clipSize; ++x)
                if (covers(p, x, y))
                    firstCovered = std::min(firstCovered, y), lastCovered = std::max(lastCovered, y);
        if (!set) {
            ASSERT_EQ(lastCovered, -1) << "triangle " << n << " was dropped but covers pixels";
            continue;
        }
        ASSERT_LE(t.rows.rowBegin, firstCovered) << "triangle " << n;
        ASSERT_GE(t.rows.rowEnd, lastCovered + 1) << "triangle " << n;

        for (int firstRow : {t.rows.rowBegin, (t.rows.rowBegin + t.rows.rowEnd) / 2, t.rows.rowEnd - 1}) {
            const std::vector<Span> spans = walk(t, firstRow);
            for (int y = firstRow; y < t.rows.rowEnd; ++y, ++checkedRows) {
                const Span span = spans[static_cast<std::size_t>(y - firstRow)];
                for (int x = 0; x < clipSize; ++x)
                    ASSERT_EQ(x >= span.begin && x < span.end, covers(p, x, y))
                        << "triangle " << n << ", pixel " << x << ", " << y << ", walk from row " << firstRow;
            }
        }
    }
    EXPECT_GT(checkedRows, 50000);
    EXPECT_GT(horizontalEdges, 100);
}

} // namespace
} // namespace bw::raster
