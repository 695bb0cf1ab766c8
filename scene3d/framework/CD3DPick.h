#pragma once
// What lies under a point of the view: a ray is cast through every mesh of a frame tree
// and each mesh it hits leaves one record with the frame and mesh that were hit, in
// depth-first order. The caller then asks for the nearest record.

#include <cstdint>
#include <optional>

#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/GrowingList.h"
#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/math/Viewport.h"

namespace bw {

class IDirect3DDevice8;

struct PickRecord {
    std::int32_t hit = 0; // non-zero for a hit
    std::int32_t triFaceid = 0;
    float u = 0.0f; // barycentric coordinates of the hit point in the face
    float v = 0.0f;
    // Ray parameter of the hit. For the viewport picks it is 0 at the near plane and 1 at
    // the far plane in every frame, so records of different frames compare directly.
    float dist = 0.0f;
};

class CD3DPick {
public:
    std::int32_t GetCount() const { return hits_.count(); }
    // Index arguments outside the allocated entries (steps of 10) throw PlatformError; an
    // allocated entry beyond the count is empty.
    PickRecord GetRecord(std::int32_t index) const { return hits_.at(index).record; }
    FramePtr GetFrame(std::int32_t index) const { return hits_.at(index).frame; }
    MeshPtr GetMesh(std::int32_t index) const { return hits_.at(index).mesh; }

    // Index of the record with the smallest (greatest) dist, the first of equal ones; -1
    // when there is none.
    std::int32_t FindNearest() const;
    std::int32_t FindFurthest() const;

    // Removes every record.
    void Destroy() { hits_.clear(); }

    // Clears the records, then picks at pixel (x, y) with the device's viewport, view and
    // projection and the scene's world matrix.
    bool ViewportPick(IDirect3DDevice8& dev, const FramePtr& frame, float x, float y);
    // Adds a record for every mesh of the enabled subtree of frame that the ray through
    // pixel (x, y) hits. True when the walk reached a mesh entry of an enabled frame, hit
    // or not; false for an empty or disabled frame.
    bool ViewportPickEx(const FramePtr& frame, const Viewport& viewport, const Matrix& proj,
                        const Matrix& view, const Matrix& world, float x, float y);
    // Clears the records, then picks along a world-space ray under the device's world
    // transform.
    bool RayPick(IDirect3DDevice8& dev, const FramePtr& frame, Vector3 vOrig, Vector3 vDir);
    // Picks along a ray given in the space worldmatrix maps into; disabled frames are
    // tested too. The ray is taken into each frame's model space.
    bool RayPickEx(const FramePtr& frame, const Matrix& worldmatrix, Vector3 vOrig, Vector3 vDir);

private:
    struct Hit {
        PickRecord record;
        FramePtr frame;
        MeshPtr mesh;
    };

    // Tests the ray (none: nothing can be hit) against every mesh of the frame; true when
    // the frame has a mesh entry.
    bool pickMeshes(const FramePtr& frame, const std::optional<Vector3>& origin, Vector3 direction);

    GrowingList<Hit, 10> hits_;
};

} // namespace bw
