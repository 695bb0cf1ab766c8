#pragma once
// The covered pixels of each row of a triangle, exactly and in a few integer steps per
// row whatever the triangle's shape. Set up once per triangle; a walk may start at any of
// its rows (each band of the target starts its own).
//
// With E(x) = rowE + stepX x on a row (x counted from the triangle's originX) and
// s = |stepX|, an edge with stepX > 0 covers x >= -floor(rowE / s) and one with stepX < 0
// covers x <= floor(rowE / s). From one row to the next rowE grows by stepY = A s + B
// (0 <= B < s), so floor(rowE / s) grows by A, or A + 1 when the remainder passes s.
// Edges with stepX = 0 cover whole rows or none: they only narrow the rows covered.

#include <cstdint>

namespace bw::raster {

struct EdgeFunction;
struct PixelRect;

struct Span {
    int begin;
    int end; // past the last pixel; begin >= end when the row has none
};

// One edge as the walk steps it, at the triangle's origin row.
struct EdgeSteps {
    std::int64_t quotient = 0;  // floor(rowE / s)
    std::int64_t remainder = 0; // rowE - s quotient, in [0, s)
    std::int64_t quotientStep = 0;
    std::int64_t remainderStep = 0;
    std::int64_t divisor = 1; // s
};

struct RowCoverage {
    // The edges bounding a row's first pixel (stepX > 0), then those bounding its last.
    EdgeSteps edges[3];
    int startEdges = 0;
    int edgeCount = 0;
    int lastColumn = 0; // the bounds' last column less originX (their first being 0)
    int rowBegin = 0;   // rows that can hold covered pixels: within the bounds and the
    int rowEnd = 0;     // horizontal edges
};

// The walk of a triangle over its bounds, with edge functions relative to the bounds'
// first pixel. False when no row is left.
bool rowCoverageOf(const EdgeFunction (&edges)[3], const PixelRect& bounds, RowCoverage& out);

// Floor of a / s for s > 0, exactly. Also gives the remainder a - s floor(a / s), in
// [0, s). One integer division (truncating), then the step to the floor for negative
// quotients without a branch (its outcome follows the sign of a, which varies from one
// edge to the next).
inline std::int64_t floorDivide(std::int64_t a, std::int64_t s, std::int64_t& remainder) {
    std::int64_t quotient = a / s;
    remainder = a % s;
    const bool negative = remainder < 0;
    remainder += negative ? s : 0;
    quotient -= negative;
    return quotient;
}

// Walks rows firstRow, firstRow + 1, ... of a triangle; StartEdges and EdgeCount as in
// its coverage, so that the steps of a row are straight-line code.
template <int StartEdges, int EdgeCount> class RowSpans {
public:
    RowSpans(const RowCoverage& coverage, int originX, int originY, int firstRow)
        : originX_(originX), lastColumn_(coverage.lastColumn) {
        const std::int64_t rows = firstRow - originY;
        for (int i = 0; i < EdgeCount; ++i) {
            Edge& e = edges_[i];
            const EdgeSteps& steps = coverage.edges[i];
            e.s = steps.divisor;
            e.quotientStepAndCarry = steps.quotientStep + 1;
            e.remainderStepLessS = steps.remainderStep - steps.divisor;
            e.quotient = steps.quotient;
            e.remainder = steps.remainder;
            if (rows != 0) {
                // remainder + rows remainderStep >= 0: add its whole multiples of s.
                std::int64_t carry = 0;
                e.quotient += steps.quotientStep * rows +
                              floorDivide(steps.remainder + steps.remainderStep * rows, e.s, carry);
                e.remainder = carry;
            }
        }
    }

    // The current row's span; then moves down a row.
    Span next() {
        std::int64_t first = 0;
        std::int64_t last = lastColumn_;
        for (int i = 0; i < EdgeCount; ++i) {
            Edge& e = edges_[i];
            if (i < StartEdges)
                first = -e.quotient > first ? -e.quotient : first;
            else
                last = e.quotient < last ? e.quotient : last;
            // remainder + remainderStep - s is in [-s, s): negative (all ones in borrow)
            // when the remainder does not pass s, and then takes s back.
            e.remainder += e.remainderStepLessS;
            const std::int64_t borrow = e.remainder >> 63;
            e.remainder += e.s & borrow;
            e.quotient += e.quotientStepAndCarry + borrow;
        }
        if (first > last) return {0, 0};
        return {originX_ + static_cast<int>(first), originX_ + static_cast<int>(last) + 1};
    }

private:
    struct Edge {
        std::int64_t quotient;
        std::int64_t remainder;
        std::int64_t quotientStepAndCarry; // quotientStep + 1
        std::int64_t remainderStepLessS;   // remainderStep - s
        std::int64_t s;
    };

    int originX_;
    std::int64_t lastColumn_;
    Edge edges_[EdgeCount];
};

} // namespace bw::raster
