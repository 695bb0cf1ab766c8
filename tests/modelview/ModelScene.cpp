#include "tests/modelview/ModelScene.h"

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bw::modeltest {
namespace {

SceneMesh loadMesh(const XDataObject& object) {
    const LoadedMesh loaded = loadMeshFromXObject(object);
    SceneMesh mesh;
    for (std::uint32_t v = 0; v < loaded.mesh.vertexCount(); ++v) {
        mesh.positions.push_back(loaded.mesh.position(v));
        mesh.normals.push_back(loaded.mesh.normal(v));
    }
    for (std::uint32_t f = 0; f < loaded.mesh.faceCount(); ++f) {
        mesh.faces.push_back(loaded.mesh.face(f));
        mesh.faceAlpha.push_back(loaded.materials.at(loaded.mesh.faceAttributes()[f]).material.diffuse.a);
    }
    return mesh;
}

SceneFrame loadFrame(const XDataObject& object) {
    SceneFrame frame;
    frame.name = object.name;
    frame.matrix = identityMatrix();
    for (const XChild& child : object.children) {
        const XDataObject& inner = child.object();
        if (inner.templateName == "TID_D3DRMFrame") {
            frame.frames.push_back(loadFrame(inner));
        } else if (inner.templateName == "TID_D3DRMMesh") {
            frame.meshes.push_back(loadMesh(inner));
        } else if (inner.templateName == "TID_D3DRMFrameTransformMatrix") {
            XDataReader data(inner);
            for (int i = 0; i < 16; ++i)
                frame.matrix.m[i / 4][i % 4] = data.floatValue();
        }
    }
    return frame;
}

} // namespace

SceneFile loadSceneFile(const std::filesystem::path& path) {
    XFile file = XFile::open(path);
    SceneFile scene;
    while (const XDataObject* object = file.nextObject()) {
        if (object->templateName == "TID_D3DRMFrame") scene.frames.push_back(loadFrame(*object));
        if (object->templateName == "TID_D3DRMMesh") ++scene.topLevelMeshes;
    }
    return scene;
}

} // namespace bw::modeltest
