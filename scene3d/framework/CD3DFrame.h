#pragma once
// A node of the scene: a name, an on/off switch, a transform relative to the parent, and
// ordered lists of child frames and meshes. A frame is shared: the same child may hang
// under several parents, and nothing stops a caller from making a cycle. Walks over the
// tree pass by a frame they are already inside, so a cycle neither hangs nor overflows.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene3d/framework/CD3DMesh.h"
#include "scene3d/framework/GrowingList.h"
#include "scene3d/math/Matrix.h"
#include "scene3d/math/Quaternion.h"
#include "scene3d/math/Vector3.h"

namespace bw {

class CD3DAnimation;
class CD3DFrame;
class IDirect3DDevice8;
class LoadBudget;
class Mesh;
class TextureCache;
class XDataObject;
class XFile;

using FramePtr = std::shared_ptr<CD3DFrame>;
using MeshPtr = std::shared_ptr<CD3DMesh>;

// Called with the id stored beside it.
using RenderCallback = std::function<void(std::int32_t id)>;

// What a search by name found: a frame, a mesh, or neither.
struct SceneObject {
    FramePtr frame;
    MeshPtr mesh;

    explicit operator bool() const { return frame || mesh; }
};

// How AddRotation, AddScale and AddTranslation combine their matrix T with the local L.
enum CombineType : std::int32_t {
    CombineBefore = 0,  // T x L
    CombineAfter = 1,   // L x T
    CombineReplace = 2, // T
};

class CD3DFrame : public std::enable_shared_from_this<CD3DFrame> {
    struct CreationKey {
        explicit CreationKey() = default;
    };

public:
    // Frames are always shared, so that a frame can hand itself to a parent or a search
    // result: create them with Create().
    static FramePtr Create();
    explicit CD3DFrame(CreationKey);

    std::string ObjectName;
    bool Enabled = true;

    void SetPreRenderCallback(RenderCallback callback, std::int32_t id);
    void SetPostRenderCallback(RenderCallback callback, std::int32_t id);

    // Appends; an empty child takes a place in the list and is passed over by every walk.
    void AddChild(FramePtr child);
    void AddMesh(MeshPtr childMesh);
    // Wraps a platform mesh in a new CD3DMesh, appends and returns it.
    MeshPtr AddD3DXMesh(std::shared_ptr<Mesh> mesh);

    // The four setters store their part and rebuild the local matrix from all four:
    // S(scale) x T(-centre) x R(orientation) x T(centre) x T(position).
    void SetPosition(Vector3 vec);
    // The translation row of the local matrix, not the stored position.
    Vector3 GetPosition() const;
    void SetOrientation(const Quaternion& quat);
    Quaternion GetOrientation() const { return orientation_; }
    void SetScale(float val);
    float GetScale() const { return scale_; }
    void SetOrientationCenter(Vector3 vec);

    const Matrix& GetMatrix() const { return local_; }
    // Replaces the local matrix; the stored position, orientation, centre and scale stay.
    void SetMatrix(const Matrix& matrix) { local_ = matrix; }
    // Combine a rotation about (x, y, z) by rot radians, a scaling or a translation with the
    // local matrix (see CombineType; other values change nothing). Like SetMatrix they
    // change only the local matrix, which the four setters above rebuild.
    void AddRotation(std::int32_t combinetype, float x, float y, float z, float rot);
    void AddScale(std::int32_t combinetype, float x, float y, float z);
    void AddTranslation(std::int32_t combinetype, float x, float y, float z);

    // Entries by 0-based index: empty at or beyond the count but inside the allocation
    // (the lists grow in steps of 5); outside it they throw PlatformError.
    std::int32_t GetChildMeshCount() const { return meshes_.count(); }
    MeshPtr GetChildMesh(std::int32_t index) const { return meshes_.at(index); }
    std::int32_t GetChildFrameCount() const { return children_.count(); }
    FramePtr GetChildFrame(std::int32_t index) const { return children_.at(index); }

    // Depth-first: this frame, then its meshes, then each child's subtree; exact names.
    // flags is not used.
    SceneObject FindChildObject(const std::string& Name, std::int32_t flags = 0);
    // The frame that directly holds the mesh or child frame so named.
    FramePtr FindChildParent(const std::string& Name, std::int32_t flags = 0);

    // Empties both lists (counts and allocations back to 0).
    void Destroy();

    // Reads a .x file under this frame: its top-level frames become children and its
    // top-level meshes meshes of this frame, in file order; animation sets go to
    // animParent when one is given. False when the file cannot be opened or is refused
    // (below), and nothing is added then; otherwise true, this frame is appended to parent
    // last, and an object that fails to read keeps what it had read (a failed top-level
    // mesh is added empty). A failure reading the next object ends the walk. What the file
    // builds is held to the limits of one file (LoadBudget.h).
    bool InitFromFile(IDirect3DDevice8& dev, TextureCache& textures, const std::filesystem::path& strFile,
                      const FramePtr& parent = nullptr,
                      const std::shared_ptr<CD3DAnimation>& animParent = nullptr);
    // The same for a file already open (or read ahead): its remaining objects, counted
    // against budget. A file that would pass the budget's limits, or whose reading runs out
    // of memory, is refused as a whole: what it added to this frame, animParent and the
    // texture cache is taken out again, and the PlatformError (overBudget) or the
    // std::bad_alloc is thrown on.
    void InitFromXFile(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget, XFile& file,
                       const FramePtr& parent = nullptr,
                       const std::shared_ptr<CD3DAnimation>& animParent = nullptr);
    // Reads one Frame data object into this frame, appended to parent (when given) before
    // its content; this frame and every frame and mesh below it count as objects of
    // budget. Throws PlatformError where the object cannot be read; what was read before
    // stays.
    void LoadXOFFrame(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                      const XDataObject& frameData, const FramePtr& parent);

    // Mesh operations over the subtree: each frame's meshes, then its children.
    void SetFVF(IDirect3DDevice8& dev, std::uint32_t fvf);
    void FlipNormals();
    void ComputeNormals();
    void Optimize();
    void ComputeBoundingVolumes();

    // Combined (local x parent-combined, from the scene's world matrix) and inverse
    // matrices of the whole subtree, enabled or not. Nothing else refreshes them.
    void UpdateFrames();
    const Matrix& GetUpdatedMatrix() const { return combined_; }

    // Draws the enabled subtree: opaque subsets, then transparent ones with alpha blending.
    void Render(IDirect3DDevice8& dev);

    // Through the inverse of the combined matrix of the last UpdateFrames.
    Vector3 InverseTransformCoord(Vector3 vIn) const;

    // Held while a walk is inside a frame. A walk that reaches a frame it is already
    // inside (a cycle) finds the guard false and passes the frame by.
    class WalkGuard {
    public:
        explicit WalkGuard(CD3DFrame& frame) : frame_(frame), entered_(!frame.walking_) {
            frame_.walking_ = true;
        }
        ~WalkGuard() {
            if (entered_) frame_.walking_ = false;
        }
        WalkGuard(const WalkGuard&) = delete;
        WalkGuard& operator=(const WalkGuard&) = delete;
        explicit operator bool() const { return entered_; }

    private:
        CD3DFrame& frame_;
        bool entered_;
    };

private:
    void readObjects(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget, XFile& file,
                     const std::shared_ptr<CD3DAnimation>& animParent);
    void rebuildLocalMatrix();
    void combine(std::int32_t combinetype, const Matrix& transform);
    void updateFrames(const Matrix& parentCombined);
    // A mesh with transparent subsets, as the opaque pass met it.
    struct TransparentMesh {
        Matrix world;
        CD3DMesh* mesh;
    };
    struct RenderPass {
        bool bDrawOpaqueSubsets;
        bool bDrawAlphaSubsets;
        std::vector<TransparentMesh>* transparentMeshes = nullptr; // noted when given
        bool callbackRan = false;
    };
    void renderFrame(IDirect3DDevice8& dev, RenderPass& pass);
    template <typename MeshOperation> void forEachMesh(const MeshOperation& operation);

    Matrix local_;
    Matrix combined_;
    Matrix inverse_;
    GrowingList<MeshPtr, 5> meshes_;
    GrowingList<FramePtr, 5> children_;
    // Apart, as few frames have any: a model has a thousand frames.
    struct Callbacks {
        RenderCallback pre;
        std::int32_t preId = 0;
        RenderCallback post;
        std::int32_t postId = 0;
    };
    std::unique_ptr<Callbacks> callbacks_;
    Vector3 position_;
    Quaternion orientation_;
    Vector3 centre_;
    float scale_ = 1.0f;
    bool walking_ = false;
};

} // namespace bw
