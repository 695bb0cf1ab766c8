#include "scene3d/framework/CD3DMesh.h"

#include <new>

#include "scene3d/framework/DeviceCall.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/mesh/MeshAdjacency.h"
#include "scene3d/platform/mesh/MeshBounds.h"
#include "scene3d/platform/mesh/MeshLayoutCopy.h"
#include "scene3d/platform/mesh/MeshNormals.h"
#include "scene3d/platform/mesh/MeshOptimizer.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/LoadBudget.h"

namespace bw {

bool CD3DMesh::InitFromFile(IDirect3DDevice8& dev, TextureCache& textures,
                            const std::filesystem::path& fileName) {
    Destroy();
    // A second attempt gets past a file that was still being written or briefly locked.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            LoadedMesh loaded = loadMeshFromXFile(fileName);
            adoptMesh(std::make_shared<Mesh>(std::move(loaded.mesh)));
            adjacency_ = std::move(loaded.adjacency);
            adjacencyKnown_ = true;
            LoadBudget budget;
            setUpMaterials(dev, textures, budget, loaded.materials);
            return true;
        } catch (const PlatformError& error) {
            Destroy();
            if (refusesFile(error)) return false;
        } catch (const std::bad_alloc&) {
            Destroy();
            return false;
        }
    }
    return false;
}

bool CD3DMesh::InitFromXOF(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                           const XDataObject& meshdata) {
    Destroy();
    budget.countObject();
    ObjectName = meshdata.name;
    // A mesh object walked again gives the same mesh: its geometry is shared, and copied
    // only by a holder that changes it.
    struct Made {
        std::shared_ptr<Mesh> mesh;
        std::vector<MaterialRecord> materials;
    };
    auto made = std::static_pointer_cast<const Made>(meshdata.made);
    if (!made) {
        LoadedMesh loaded = loadMeshFromXObject(meshdata, &budget, Adjacency::Skip);
        made = std::make_shared<const Made>(
            Made{std::make_shared<Mesh>(std::move(loaded.mesh)), std::move(loaded.materials)});
        meshdata.made = made;
    }
    adoptMesh(made->mesh);
    try {
        setUpMaterials(dev, textures, budget, made->materials);
    } catch (...) {
        Destroy();
        throw;
    }
    return true;
}

void CD3DMesh::InitFromD3DXMesh(std::shared_ptr<Mesh> d3dxmeshIn) {
    bUseMaterials = false;
    materialCount_ = 1;
    resizeSubsetLists(1);
    adoptMesh(std::move(d3dxmeshIn));
}

void CD3DMesh::setUpMaterials(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                              const std::vector<MaterialRecord>& records) {
    const auto n = static_cast<std::int32_t>(records.size());
    materialCount_ = n;
    if (n < 1) return;
    resizeSubsetLists(n);
    for (std::int32_t i = 0; i < n; ++i) {
        const MaterialRecord& record = records[static_cast<std::size_t>(i)];
        Material& material = subsets_[static_cast<std::size_t>(i)].material;
        material = record.material;
        // Loaded materials have no ambient colour; taking the diffuse one lets the scene's
        // ambient level show the subset in its own colour.
        material.ambient = material.diffuse;
        subsets_[static_cast<std::size_t>(i)].texture =
            textures.LoadTextureCached(dev, record.textureFilename, &budget);
    }
}

void CD3DMesh::Optimize() { adoptMesh(std::make_shared<Mesh>(optimizeMesh(requireMesh()))); }

void CD3DMesh::SetFVF(IDirect3DDevice8& /*dev*/, std::uint32_t fvf) {
    if (!mesh_) return;
    adoptMesh(std::make_shared<Mesh>(copyWithLayout(*mesh_, fvf)));
}

void CD3DMesh::ComputeNormals() {
    computeNormals(ownMesh());
    meshChanged();
}

void CD3DMesh::FlipNormals() {
    Mesh& m = ownMesh();
    if (m.fvf() != fvf::positionNormalTexture) return;
    for (std::uint32_t v = 0; v < m.vertexCount(); ++v)
        m.setNormal(v, -m.normal(v));
    meshChanged();
}

void CD3DMesh::Translate(float x, float y, float z) {
    Mesh& m = ownMesh();
    if (m.fvf() != fvf::positionNormalTexture) return;
    const Vector3 offset{x, y, z};
    for (std::uint32_t v = 0; v < m.vertexCount(); ++v)
        m.setPosition(v, m.position(v) + offset);
    meshChanged();
}

void CD3DMesh::ComputeBoundingVolumes() {
    const BoundingSphere sphere = boundingSphere(requireMesh());
    sphereCentre_ = sphere.centre;
    SphereRadius = sphere.radius;
    bHasSphere = true;
}

const std::vector<std::uint32_t>& CD3DMesh::adjacency() const {
    if (!adjacencyKnown_ && mesh_) {
        adjacency_ = generateAdjacency(*mesh_);
        adjacencyKnown_ = true;
    }
    return adjacency_;
}

void CD3DMesh::Destroy() {
    subsets_.clear();
    adjacency_.clear();
    adjacencyKnown_ = false;
    materialCount_ = 0;
    bUseMaterials = true;
    mesh_.reset();
}

void CD3DMesh::RenderEx(IDirect3DDevice8& dev, bool bDrawOpaqueSubsets, bool bDrawAlphaSubsets) {
    if (!mesh_) return;
    const std::int32_t n = materialCount_;
    if (bDrawOpaqueSubsets) {
        for (std::int32_t i = 0; i < n; ++i) {
            if (bUseMaterials) {
                const Material& material = subsets_[static_cast<std::size_t>(i)].material;
                if (material.diffuse.a != 1.0f) continue;
                applyMaterialAndTexture(dev, material, i);
            } else if (bUseMaterialOverride) {
                if (materialOverride_.diffuse.a != 1.0f) continue;
                applyMaterialAndTexture(dev, materialOverride_, i);
            }
            drawSubset(dev, static_cast<std::uint32_t>(i));
        }
    }
    if (bDrawAlphaSubsets) {
        for (std::int32_t i = 0; i < n; ++i) {
            const Material* material = transparentMaterial(i);
            if (!material) continue;
            applyMaterialAndTexture(dev, *material, i);
            drawSubset(dev, static_cast<std::uint32_t>(i));
        }
    }
}

const Material* CD3DMesh::transparentMaterial(std::int32_t subset) const {
    if (!bUseMaterialOverride && !bUseMaterials) return nullptr;
    const Material& material =
        bUseMaterials ? subsets_[static_cast<std::size_t>(subset)].material : materialOverride_;
    return material.diffuse.a < 1.0f ? &material : nullptr;
}

bool CD3DMesh::HasTransparentSubsets() const {
    if (!mesh_) return false;
    for (std::int32_t i = 0; i < materialCount_; ++i)
        if (transparentMaterial(i)) return true;
    return false;
}

void CD3DMesh::Render(IDirect3DDevice8& dev) {
    if (!mesh_) return;
    for (std::int32_t i = 0; i < materialCount_; ++i) {
        if (bUseMaterials) applyMaterialAndTexture(dev, subsets_[static_cast<std::size_t>(i)].material, i);
        drawSubset(dev, static_cast<std::uint32_t>(i));
    }
}

void CD3DMesh::SetMaterialCount(std::int32_t count) {
    if (count < 0) throw PlatformError(result::invalidArgument, "negative material count");
    materialCount_ = count;
    resizeSubsetLists(count);
}

std::shared_ptr<const Texture> CD3DMesh::GetMaterialTexture(std::int32_t index) const {
    return subsets_[listIndex(index)].texture;
}

void CD3DMesh::SetMaterial(std::int32_t index, const Material& material) {
    subsets_[listIndex(index)].material = material;
}

Material CD3DMesh::GetMaterial(std::int32_t index) const { return subsets_[listIndex(index)].material; }

void CD3DMesh::SetMaterialOverride(const Material& material) {
    materialOverride_ = material;
    bUseMaterialOverride = true;
}

void CD3DMesh::adoptMesh(std::shared_ptr<Mesh> mesh) {
    mesh_ = std::move(mesh);
    contentRevision_ = mesh_ ? nextContentRevision() : 0;
}

void CD3DMesh::meshChanged() { contentRevision_ = nextContentRevision(); }

const Mesh& CD3DMesh::requireMesh() const {
    if (!mesh_) throw PlatformError(result::invalidCall, "the mesh holds no geometry");
    return *mesh_;
}

Mesh& CD3DMesh::ownMesh() {
    requireMesh();
    if (mesh_.use_count() > 1) mesh_ = std::make_shared<Mesh>(*mesh_);
    return *mesh_;
}

std::size_t CD3DMesh::listIndex(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= subsets_.size())
        throw PlatformError(result::invalidArgument,
                            "subset " + std::to_string(index) + " outside the material list");
    return static_cast<std::size_t>(index);
}

void CD3DMesh::resizeSubsetLists(std::int32_t count) {
    // Indices 0 .. count: one entry more than there are subsets.
    const auto entries = static_cast<std::size_t>(count) + 1;
    subsets_.resize(entries);
}

void CD3DMesh::applyMaterialAndTexture(IDirect3DDevice8& dev, const Material& material,
                                       std::int32_t subset) const {
    throwIfFailed(dev.SetMaterial(material), "SetMaterial");
    throwIfFailed(dev.SetTexture(0, subsets_[static_cast<std::size_t>(subset)].texture), "SetTexture");
}

void CD3DMesh::drawSubset(IDirect3DDevice8& dev, std::uint32_t subset) const {
    const Mesh& m = *mesh_;
    for (const AttributeRange& run : m.attributeTable()) {
        if (run.attributeId != subset || run.faceCount == 0) continue;
        const IndexedTriangles triangles =
            subsetTriangles(m.vertexData().data(), m.vertexCount(), m.fvf(), m.indices(), run.faceStart,
                            run.faceCount, contentRevision_);
        throwIfFailed(dev.DrawIndexedTriangles(triangles), "DrawIndexedTriangles");
    }
}

} // namespace bw
