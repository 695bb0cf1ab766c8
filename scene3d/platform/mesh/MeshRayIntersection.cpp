#include "scene3d/platform/mesh/MeshRayIntersection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bw {

namespace {

struct Vec {
    double x, y, z;
};

Vec toVec(Vector3 a) { return {a.x, a.y, a.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(Vec a) { return std::sqrt(dot(a, a)); }

// Moller-Trumbore in double precision, so that hits exactly on a shared edge are found on
// both faces rather than on neither.
std::optional<RayHit> intersectFace(const Mesh& mesh, std::uint32_t f, Vec origin, Vec direction) {
    const auto corner = mesh.face(f);
    const Vec p0 = toVec(mesh.position(corner[0]));
    const Vec e1 = toVec(mesh.position(corner[1])) - p0;
    const Vec e2 = toVec(mesh.position(corner[2])) - p0;
    const Vec p = cross(direction, e2);
    const double det = dot(e1, p);
    // Parallel to the face (or a degenerate face): relative to the sizes involved.
    if (!(std::fabs(det) > 1e-12 * length(e1) * length(e2) * length(direction))) return std::nullopt;
    const double inverseDet = 1.0 / det;
    const Vec s = origin - p0;
    const double u = dot(s, p) * inverseDet;
    if (u < 0.0 || u > 1.0) return std::nullopt;
    const Vec q = cross(s, e1);
    const double v = dot(direction, q) * inverseDet;
    if (v < 0.0 || u + v > 1.0) return std::nullopt;
    const double t = dot(e2, q) * inverseDet;
    if (t < 0.0) return std::nullopt;
    return RayHit{f, static_cast<float>(u), static_cast<float>(v), static_cast<float>(t)};
}

// Whether the ray can meet the box, widened a little so that a hit the face test accepts
// on a face's edge is never lost to rounding here.
bool mayMeetBox(const BoundingBox& box, Vec origin, Vec direction) {
    const double low[3] = {box.minimum.x, box.minimum.y, box.minimum.z};
    const double high[3] = {box.maximum.x, box.maximum.y, box.maximum.z};
    const double start[3] = {origin.x, origin.y, origin.z};
    const double step[3] = {direction.x, direction.y, direction.z};
    double enter = 0.0;
    double leave = std::numeric_limits<double>::infinity();
    for (int axis = 0; axis < 3; ++axis) {
        const double margin =
            1e-6 * (high[axis] - low[axis] + std::fabs(low[axis]) + std::fabs(high[axis])) + 1e-30;
        const double a = low[axis] - margin;
        const double b = high[axis] + margin;
        if (step[axis] == 0.0) {
            if (start[axis] < a || start[axis] > b) return false;
            continue;
        }
        double t0 = (a - start[axis]) / step[axis];
        double t1 = (b - start[axis]) / step[axis];
        if (t0 > t1) std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        // Only a NaN fails both: then the box says nothing, and the faces decide.
        if (enter > leave) return false;
    }
    return true;
}

} // namespace

std::optional<RayHit> intersectRay(const Mesh& mesh, Vector3 origin, Vector3 direction) {
    std::optional<RayHit> closest;
    if (!mayMeetBox(mesh.positionBounds(), toVec(origin), toVec(direction))) return closest;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const auto hit = intersectFace(mesh, f, toVec(origin), toVec(direction));
        if (hit && (!closest || hit->t < closest->t)) closest = hit;
    }
    return closest;
}

std::vector<RayHit> intersectRayAll(const Mesh& mesh, Vector3 origin, Vector3 direction) {
    std::vector<RayHit> hits;
    if (!mayMeetBox(mesh.positionBounds(), toVec(origin), toVec(direction))) return hits;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        if (const auto hit = intersectFace(mesh, f, toVec(origin), toVec(direction))) hits.push_back(*hit);
    return hits;
}

} // namespace bw
