#include "scene3d/platform/mesh/MeshNormals.h"

#include <vector>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

Vector3 faceNormal(Vector3 p0, Vector3 p1, Vector3 p2) { return normalize(cross(p1 - p0, p2 - p0)); }

void computeNormals(Mesh& mesh) {
    if (mesh.layout().normal < 0)
        throw PlatformError(result::invalidCall, "compute normals: layout has no normal");
    std::vector<Vector3> sums(mesh.vertexCount());
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const auto corner = mesh.face(f);
        const Vector3 n =
            faceNormal(mesh.position(corner[0]), mesh.position(corner[1]), mesh.position(corner[2]));
        for (std::uint32_t v : corner)
            sums[v] = sums[v] + n;
    }
    for (std::uint32_t v = 0; v < mesh.vertexCount(); ++v)
        mesh.setNormal(v, normalize(sums[v]));
}

} // namespace bw
