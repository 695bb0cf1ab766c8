#include "scene3d/platform/raster/RowSpans.h"

#include <algorithm>

#include "scene3d/platform/raster/TriangleSetup.h"

namespace bw::raster {

bool rowCoverageOf(const EdgeFunction (&edges)[3], const PixelRect& bounds, RowCoverage& out) {
    const std::int64_t originY = bounds.y0;
    std::int64_t rowBegin = bounds.y0;
    std::int64_t rowEnd = bounds.y1;
    // Start edges first, each stored in its place at once: copying a short array after
    // the loop cost a third of the set-up (a string move that starts slowly).
    int startCount = 0;
    int edgeCount = 0;
    for (const EdgeFunction& edge : edges) {
        startCount += edge.stepX > 0;
        edgeCount += edge.stepX != 0;
    }
    int nextStart = 0;
    int nextEnd = startCount;
    for (const EdgeFunction& edge : edges) {
        std::int64_t unused = 0;
        if (edge.stepX == 0) {
            // E = atOrigin + stepY (y - originY) on the whole row; stepY != 0, the triangle
            // having an area.
            const std::int64_t s = edge.stepY > 0 ? edge.stepY : -edge.stepY;
            const std::int64_t rows = floorDivide(edge.atOrigin, s, unused);
            if (edge.stepY > 0)
                rowBegin = std::max(rowBegin, originY - rows);
            else
                rowEnd = std::min(rowEnd, originY + rows + 1);
            continue;
        }
        EdgeSteps steps;
        steps.divisor = edge.stepX > 0 ? edge.stepX : -edge.stepX;
        steps.quotient = floorDivide(edge.atOrigin, steps.divisor, steps.remainder);
        steps.quotientStep = floorDivide(edge.stepY, steps.divisor, steps.remainderStep);
        out.edges[edge.stepX > 0 ? nextStart++ : nextEnd++] = steps;
    }
    out.startEdges = startCount;
    out.edgeCount = edgeCount;
    out.lastColumn = bounds.x1 - 1 - bounds.x0;
    if (rowBegin >= rowEnd) return false;
    out.rowBegin = static_cast<int>(rowBegin);
    out.rowEnd = static_cast<int>(rowEnd);
    return true;
}

} // namespace bw::raster
