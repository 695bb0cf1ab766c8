#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "scene3d/platform/mesh/MaterialRecord.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XDataObject.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bw {

// What loading a mesh from a .x file gives: the mesh, its face adjacency (three entries
// per face) and its material buffer (one record per subset).
struct LoadedMesh {
    Mesh mesh;
    std::vector<std::uint32_t> adjacency;
    std::vector<MaterialRecord> materials;
};

// Loads a Mesh data object with its MeshNormals, MeshTextureCoords, MeshVertexColors and
// MeshMaterialList (Material, TextureFilename) children, given as data objects or
// references. Faces with more than three corners become fans of triangles around their
// first corner; a vertex whose corners carry different normals is split, the copies
// appended after the file's vertices. The layout is position plus whichever of normal,
// diffuse colour and one texture set the file has. Materials have a zero ambient colour.
// Throws PlatformError: invalidData for inconsistent data, notFound for a reference to
// an unknown object. The faces and vertices are counted against budget when one is
// given, the faces before the mesh is built, which throws PlatformError (overBudget).
// Without adjacency, the adjacency list stays empty: for callers that work it out only if
// it is asked for (it costs about as much as the rest of the loading).
enum class Adjacency { Generate, Skip };
LoadedMesh loadMeshFromXObject(const XDataObject& meshObject, LoadBudget* budget = nullptr,
                               Adjacency adjacency = Adjacency::Generate);

// Loads every mesh of a .x file, inside frames or not, into one mesh: positions and
// normals taken through the frames' transforms, materials appended in file order (a mesh
// without materials gets one plain white material). Throws PlatformError as
// XFile::open and loadMeshFromXObject, or invalidData when the file holds no mesh; what
// the file builds, references followed, is held to the limits of one file (LoadBudget.h).
LoadedMesh loadMeshFromXFile(const std::filesystem::path& path);
// The same for a file already open; reads its remaining objects.
LoadedMesh loadMeshFromXFile(XFile& file);

} // namespace bw
