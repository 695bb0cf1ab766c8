#pragma once
// One platform mesh with its per-subset materials and textures and its name: the leaf of
// the scene. Frames draw it in two passes through RenderEx, opaque subsets first.
//
// The platform mesh is only forward-declared here, so this header can sit next to Qt's.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scene3d/math/Vector3.h"
#include "scene3d/platform/device/Texture.h"
#include "scene3d/platform/mesh/MaterialRecord.h"

namespace bw {

class IDirect3DDevice8;
class LoadBudget;
class Mesh;
class TextureCache;
class XDataObject;

class CD3DMesh {
public:
    std::string ObjectName;
    bool bUseMaterials = false;
    bool bUseMaterialOverride = false;
    float SphereRadius = 0.0f;
    bool bHasSphere = false;

    // The geometry; empty draws nothing.
    std::shared_ptr<const Mesh> mesh() const { return mesh_; }

    void Init() { bUseMaterials = true; }
    Vector3 SphereCenter() const { return sphereCentre_; }

    // Loading empties the mesh first. The device argument of these and of SetFVF is where
    // the platform kept a managed copy; meshes here live in memory every device reads.
    //
    // Loads every mesh of a .x file as one (ObjectName unchanged). A file that cannot be
    // loaded is tried once more, then the result is false; so is it, at once, for a file
    // past the limits of one file (LoadBudget.h) or one that runs out of memory.
    bool InitFromFile(IDirect3DDevice8& dev, TextureCache& textures, const std::filesystem::path& fileName);
    // Loads a Mesh data object; ObjectName becomes its name. The mesh, its vertices, faces
    // and new textures count against budget. Throws PlatformError when the object cannot
    // be read or passes the budget's limits (overBudget), leaving the mesh empty.
    bool InitFromXOF(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                     const XDataObject& meshdata);
    // Adopts a mesh: no own materials (bUseMaterials false), one subset.
    void InitFromD3DXMesh(std::shared_ptr<Mesh> d3dxmeshIn);

    // Faces sorted by subset and reordered for the vertex cache. The adjacency is not
    // updated. Throws PlatformError without a mesh.
    void Optimize();
    // Replaces the mesh by a copy in another vertex layout; nothing without a mesh.
    void SetFVF(IDirect3DDevice8& dev, std::uint32_t fvf);
    // These throw PlatformError without a mesh. FlipNormals and Translate change only the
    // position-normal-texture layout (274) and leave any other as it is.
    void ComputeNormals();
    void FlipNormals();
    void Translate(float x, float y, float z);
    void ComputeBoundingVolumes();

    // Empties the materials, textures and mesh; bUseMaterials becomes true.
    void Destroy();

    // Draws the subsets the flags select: opaque ones have a diffuse alpha of exactly 1,
    // transparent ones below 1, and one above 1 is drawn in neither pass.
    void RenderEx(IDirect3DDevice8& dev, bool bDrawOpaqueSubsets, bool bDrawAlphaSubsets);
    // Every subset in one pass, with its own material when bUseMaterials.
    void Render(IDirect3DDevice8& dev);
    // Whether RenderEx draws anything in the transparent pass.
    bool HasTransparentSubsets() const;

    std::int32_t GetMaterialCount() const { return materialCount_; }
    // Resizes the per-subset lists to indices 0 .. count, keeping existing entries.
    void SetMaterialCount(std::int32_t count);
    // Index arguments outside the lists throw PlatformError (invalidArgument).
    std::shared_ptr<const Texture> GetMaterialTexture(std::int32_t index) const;
    void SetMaterial(std::int32_t index, const Material& material);
    Material GetMaterial(std::int32_t index) const;

    void SetMaterialOverride(const Material& material);

    // Face adjacency, three entries per face: as a whole file's loader returned it, or
    // for a mesh of a frame's file worked out when first asked for (nothing in the program
    // needs it, and it costs about as much as the rest of the loading).
    const std::vector<std::uint32_t>& adjacency() const;

private:
    void adoptMesh(std::shared_ptr<Mesh> mesh);
    void meshChanged();
    const Mesh& requireMesh() const;
    // The mesh to change in place: one shared with another holder is copied first.
    Mesh& ownMesh();
    std::size_t listIndex(std::int32_t index) const;
    void resizeSubsetLists(std::int32_t count);
    void setUpMaterials(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                        const std::vector<MaterialRecord>& records);
    void drawSubset(IDirect3DDevice8& dev, std::uint32_t subset) const;
    void applyMaterialAndTexture(IDirect3DDevice8& dev, const Material& material, std::int32_t subset) const;
    // The material the transparent pass draws subset i with; nullptr when it leaves it out.
    const Material* transparentMaterial(std::int32_t subset) const;

    std::shared_ptr<Mesh> mesh_;
    // Names the mesh's current content for devices that keep their own copy of it.
    std::uint64_t contentRevision_ = 0;
    Vector3 sphereCentre_;
    std::int32_t materialCount_ = 0;
    // A subset's material and texture side by side: one list to make and free, not two.
    struct Subset {
        Material material;
        std::shared_ptr<const Texture> texture;
    };
    std::vector<Subset> subsets_;
    mutable std::vector<std::uint32_t> adjacency_;
    mutable bool adjacencyKnown_ = false;
    Material materialOverride_;
};

} // namespace bw
