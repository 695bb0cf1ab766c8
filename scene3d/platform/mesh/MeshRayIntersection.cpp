#include "scene3d/platform/mesh/MeshRayIntersection.h"

#include <cmath>

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

} // namespace

std::optional<RayHit> intersectRay(const Mesh& mesh, Vector3 origin, Vector3 direction) {
    std::optional<RayHit> closest;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const auto hit = intersectFace(mesh, f, toVec(origin), toVec(direction));
        if (hit && (!closest || hit->t < closest->t)) closest = hit;
    }
    return closest;
}

std::vector<RayHit> intersectRayAll(const Mesh& mesh, Vector3 origin, Vector3 direction) {
    std::vector<RayHit> hits;
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f)
        if (const auto hit = intersectFace(mesh, f, toVec(origin), toVec(direction))) hits.push_back(*hit);
    return hits;
}

} // namespace bw
