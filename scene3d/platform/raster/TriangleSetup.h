#pragma once
// Triangle set-up, once per triangle when it is queued: the walk over its covered rows
// (from exact integer edge functions with the top-left fill rule), and planes for depth,
// 1/w and the varyings divided by w (for perspective-correct interpolation). Everything
// is evaluated relative to the first pixel of the triangle's bounds, so that the result
// does not depend on which band draws it.

#include <cstdint>

#include "scene3d/platform/raster/DrawState.h"
#include "scene3d/platform/raster/RowSpans.h"
#include "scene3d/platform/raster/ScreenVertex.h"

namespace bw::raster {

// E(x, y) = atOrigin + stepX (x - originX) + stepY (y - originY); a pixel is covered when
// E >= 0 for all three edges. The fill rule is folded into atOrigin.
struct EdgeFunction {
    std::int64_t atOrigin = 0;
    std::int64_t stepX = 0;
    std::int64_t stepY = 0;
};

// attribute(x, y) = atOrigin + dx (x - originX) + dy (y - originY). Four attributes to a
// group, with a group's three planes side by side, so that a draw reads no more of a
// queued triangle than the groups of the attributes it uses; set-up clears the entries
// past the draw's last attribute up to the end of its group.
struct AttributePlaneGroup {
    float atOrigin[4];
    float dx[4];
    float dy[4];
};

inline constexpr int attributeGroupCount = (attributeCount + 3) / 4;

struct AttributePlanes {
    AttributePlaneGroup groups[attributeGroupCount];

    float& atOrigin(int attribute) { return groups[attribute / 4].atOrigin[attribute % 4]; }
    float& dx(int attribute) { return groups[attribute / 4].dx[attribute % 4]; }
    float& dy(int attribute) { return groups[attribute / 4].dy[attribute % 4]; }
    float atOrigin(int attribute) const { return groups[attribute / 4].atOrigin[attribute % 4]; }
    float dx(int attribute) const { return groups[attribute / 4].dx[attribute % 4]; }
    float dy(int attribute) const { return groups[attribute / 4].dy[attribute % 4]; }
};

struct TriangleSetup {
    RowCoverage rows;
    int originX = 0; // the first pixel of the triangle's bounds within the clip rectangle
    int originY = 0;
    AttributePlanes planes;
};

// How many attributes (from the first) a draw reads: depth, 1/w and colour always,
// texture coordinates and specular colour when it uses them.
constexpr int attributesNeeded(bool textured, bool specular) {
    if (specular) return attributeCount;
    return textured ? attributeOf(fixedfunction::varyingV) + 1 : attributeOf(fixedfunction::varyingAlpha) + 1;
}

// v0, v1, v2 run clockwise on screen. Sets up the first attributesUsed planes. False when
// no row of the clip rectangle can hold a covered pixel.
bool setupTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                   const PixelRect& clip, int attributesUsed, TriangleSetup& out);

} // namespace bw::raster
