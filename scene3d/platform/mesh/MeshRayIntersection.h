#pragma once

#include <optional>
#include <vector>

#include "scene3d/platform/mesh/Mesh.h"

namespace bw {

// A hit of a ray on face `face`: the point is origin + t x direction, and
// p0 + u x (p1 - p0) + v x (p2 - p0) on the face's corners.
struct RayHit {
    std::uint32_t face = 0;
    float u = 0.0f;
    float v = 0.0f;
    float t = 0.0f;
};

// Tests every face against the ray origin + t x direction, t >= 0 (the direction is not
// normalised). Points on edges and corners count as hits; rays parallel to a face miss
// it. The closest hit wins; of equally close hits the lowest face index.
std::optional<RayHit> intersectRay(const Mesh& mesh, Vector3 origin, Vector3 direction);

// Every hit, in face order.
std::vector<RayHit> intersectRayAll(const Mesh& mesh, Vector3 origin, Vector3 direction);

} // namespace bw
