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

BoundingBox boundingBox(const Mesh& mesh) { return mesh.positionBounds(); }

} // namespace bw
