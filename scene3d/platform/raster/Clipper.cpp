#include "scene3d/platform/raster/Clipper.h"

#include <algorithm>
#include <cmath>

namespace bw::raster {

using namespace fixedfunction;

namespace {

// Farthest a vertex may lie outside the viewport, in pixels.
constexpr float guardPixels = 8192.0f;

// Signed distance of v from plane `plane`: >= 0 inside. In double, so that a vertex far
// beyond the guard band does not swamp the band's own size.
double distanceTo(std::uint32_t plane, const ClipVertex& v, const GuardBand& band) {
    const double x = v.x, y = v.y, z = v.z, w = v.w;
    switch (plane) {
    case 0:
        return z;
    case 1:
        return w - z;
    case 2:
        return w - minimumW;
    case 3:
        return x + band.xLimit * w;
    case 4:
        return band.xLimit * w - x;
    case 5:
        return band.yLimit * w - y;
    default:
        return y + band.yLimit * w;
    }
}

float lerp(float a, float b, double t) { return static_cast<float>(a + (static_cast<double>(b) - a) * t); }

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, double t) {
    ClipVertex r;
    r.x = lerp(a.x, b.x, t);
    r.y = lerp(a.y, b.y, t);
    r.z = lerp(a.z, b.z, t);
    r.w = lerp(a.w, b.w, t);
    for (int i = 0; i < varyingCount; ++i)
        r.varyings[i] = lerp(a.varyings[i], b.varyings[i], t);
    return r;
}

// One Sutherland-Hodgman pass; returns the new vertex count.
int clipAgainst(std::uint32_t plane, const GuardBand& band, const ClipVertex* in, int count,
                ClipVertex* out) {
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const ClipVertex& current = in[i];
        const ClipVertex& next = in[(i + 1) % count];
        const double dc = distanceTo(plane, current, band);
        const double dn = distanceTo(plane, next, band);
        if (dc >= 0.0) out[written++] = current;
        if ((dc >= 0.0) != (dn >= 0.0)) {
            // Always interpolate from the inside vertex, so that both triangles sharing
            // this edge compute exactly the same new vertex.
            out[written++] =
                dc >= 0.0 ? lerp(current, next, dc / (dc - dn)) : lerp(next, current, dn / (dn - dc));
        }
    }
    return written;
}

} // namespace

GuardBand guardBandFor(std::uint32_t viewportWidth, std::uint32_t viewportHeight) {
    const float halfWidth = std::max(1.0f, static_cast<float>(viewportWidth) * 0.5f);
    const float halfHeight = std::max(1.0f, static_cast<float>(viewportHeight) * 0.5f);
    return {1.0f + guardPixels / halfWidth, 1.0f + guardPixels / halfHeight};
}

int clipTriangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c, std::uint32_t planes,
                 const GuardBand& band, ClipVertex out[maxClippedVertices]) {
    ClipVertex scratch[maxClippedVertices];
    ClipVertex* in = out;
    ClipVertex* next = scratch;
    in[0] = a;
    in[1] = b;
    in[2] = c;
    int count = 3;
    for (std::uint32_t plane = 0; plane < clipPlaneCount && count > 0; ++plane) {
        if (!(planes & (1u << plane))) continue;
        count = clipAgainst(plane, band, in, count, next);
        std::swap(in, next);
    }
    if (in != out) std::copy(in, in + count, out);
    return count < 3 ? 0 : count;
}

} // namespace bw::raster
