// libFuzzer entry for the .x reader and the mesh loader: any input must end in objects or
// a PlatformError, never a crash, a hang or an unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/MeshBounds.h"
#include "scene3d/platform/mesh/MeshLayoutCopy.h"
#include "scene3d/platform/mesh/MeshNormals.h"
#include "scene3d/platform/mesh/MeshOptimizer.h"
#include "scene3d/platform/mesh/MeshRayIntersection.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/XFile.h"

namespace {

void exerciseMesh(const bw::XDataObject& object) {
    try {
        bw::LoadedMesh loaded = bw::loadMeshFromXObject(object);
        bw::intersectRay(loaded.mesh, {0.1f, 0.2f, -10.0f}, {0.0f, 0.0f, 1.0f});
        bw::boundingSphere(loaded.mesh);
        bw::Mesh withNormals = bw::copyWithLayout(loaded.mesh, bw::fvf::positionNormalTexture);
        bw::computeNormals(withNormals);
        bw::optimizeMesh(withNormals);
    } catch (const bw::PlatformError&) {
    }
}

void walk(const bw::XDataObject& object) {
    if (object.templateName == "TID_D3DRMMesh") exerciseMesh(object);
    for (const auto& child : object.children) {
        if (!child.isReference()) {
            walk(child.object());
        } else if (const bw::XDataObject* target = child.target()) {
            (void)target->name.size();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    try {
        bw::XFile file = bw::XFile::fromBytes(bytes);
        for (;;) {
            const bw::XDataObject* object = file.nextObject();
            if (!object) break;
            walk(*object);
        }
    } catch (const bw::PlatformError&) {
    }
    try {
        bw::XFile file = bw::XFile::fromBytes(bytes);
        bw::loadMeshFromXFile(file);
    } catch (const bw::PlatformError&) {
    }
    return 0;
}
