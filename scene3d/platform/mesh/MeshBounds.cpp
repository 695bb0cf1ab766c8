#include "scene3d/platform/mesh/MeshBounds.h"

#include <algorithm>

namespace bw {

BoundingSphere boundingSphere(const Mesh& mesh) {
    BoundingSphere sphere;
    const std::uint32_t count = mesh.vertexCount();
    if (count == 0) return sphere;
    double sx = 0, sy = 0, sz = 0;
    for (std::uint32_t v = 0; v < count; ++v) {
        const Vector3 p = mesh.position(v);
        sx += p.x;
        sy += p.y;
        sz += p.z;
    }
    sphere.centre = {static_cast<float>(sx / count), static_cast<float>(sy / count),
                     static_cast<float>(sz / count)};
    for (std::uint32_t v = 0; v < count; ++v)
        sphere.radius = std::max(sphere.radius, length(mesh.position(v) - sphere.centre));
    return sphere;
}

BoundingBox boundingBox(const Mesh& mesh) {
    BoundingBox box;
    if (mesh.vertexCount() == 0) return box;
    box.minimum = box.maximum = mesh.position(0);
    for (std::uint32_t v = 1; v < mesh.vertexCount(); ++v) {
        const Vector3 p = mesh.position(v);
        box.minimum = {std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y),
                       std::min(box.minimum.z, p.z)};
        box.maximum = {std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y),
                       std::max(box.maximum.z, p.z)};
    }
    return box;
}

} // namespace bw
