#include "scene3d/framework/CD3DPick.h"

#include "scene3d/framework/DeviceCall.h"
#include "scene3d/framework/WorldMatrix.h"
#include "scene3d/math/Camera.h"
#include "scene3d/math/VectorTransform.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/mesh/MeshRayIntersection.h"

namespace bw {

std::int32_t CD3DPick::FindNearest() const {
    float best = 1e38f;
    std::int32_t index = -1;
    for (std::int32_t i = 0; i < hits_.count(); ++i) {
        if (hits_.at(i).record.dist < best) {
            best = hits_.at(i).record.dist;
            index = i;
        }
    }
    return index;
}

std::int32_t CD3DPick::FindFurthest() const {
    float best = -1e38f;
    std::int32_t index = -1;
    for (std::int32_t i = 0; i < hits_.count(); ++i) {
        if (hits_.at(i).record.dist > best) {
            best = hits_.at(i).record.dist;
            index = i;
        }
    }
    return index;
}

bool CD3DPick::ViewportPick(IDirect3DDevice8& dev, const FramePtr& frame, float x, float y) {
    Destroy();
    Viewport viewport;
    Matrix view;
    Matrix projection;
    throwIfFailed(dev.GetViewport(viewport), "GetViewport");
    throwIfFailed(dev.GetTransform(D3DTS_VIEW, view), "GetTransform");
    throwIfFailed(dev.GetTransform(D3DTS_PROJECTION, projection), "GetTransform");
    return ViewportPickEx(frame, viewport, projection, view, sceneWorldMatrix(), x, y);
}

bool CD3DPick::ViewportPickEx(const FramePtr& frame, const Viewport& viewport, const Matrix& proj,
                              const Matrix& view, const Matrix& world, float x, float y) {
    if (!frame || !frame->Enabled) return false;
    CD3DFrame::WalkGuard guard(*frame);
    if (!guard) return false;

    const Matrix combined = frame->GetMatrix() * world;
    // Both ends in this frame's model space, so that t means the same point of the same
    // viewing ray in every frame.
    bool result = false;
    if (frame->GetChildMeshCount() > 0) { // most frames only place others; they need no ray
        const auto ray = unprojectRay(x, y, viewport, proj, view, combined);
        const std::optional<Vector3> origin = ray ? std::optional<Vector3>(ray->nearPoint) : std::nullopt;
        result = pickMeshes(frame, origin, ray ? ray->farPoint - ray->nearPoint : Vector3{});
    }
    for (std::int32_t j = 0; j < frame->GetChildFrameCount(); ++j)
        result = ViewportPickEx(frame->GetChildFrame(j), viewport, proj, view, combined, x, y) || result;
    return result;
}

bool CD3DPick::RayPick(IDirect3DDevice8& dev, const FramePtr& frame, Vector3 vOrig, Vector3 vDir) {
    Destroy();
    Matrix world;
    throwIfFailed(dev.GetTransform(D3DTS_WORLD, world), "GetTransform");
    return RayPickEx(frame, world, vOrig, vDir);
}

bool CD3DPick::RayPickEx(const FramePtr& frame, const Matrix& worldmatrix, Vector3 vOrig, Vector3 vDir) {
    if (!frame) return false;
    CD3DFrame::WalkGuard guard(*frame);
    if (!guard) return false;

    const Matrix combined = frame->GetMatrix() * worldmatrix;
    const auto toModel = inverse(combined);
    const std::optional<Vector3> origin =
        toModel ? std::optional<Vector3>(transformCoord(vOrig, *toModel)) : std::nullopt;
    const Vector3 direction = toModel ? transformNormal(vDir, *toModel) : Vector3{};

    bool result = pickMeshes(frame, origin, direction);
    for (std::int32_t j = 0; j < frame->GetChildFrameCount(); ++j)
        result = RayPickEx(frame->GetChildFrame(j), combined, vOrig, vDir) || result;
    return result;
}

bool CD3DPick::pickMeshes(const FramePtr& frame, const std::optional<Vector3>& origin, Vector3 direction) {
    for (std::int32_t i = 0; i < frame->GetChildMeshCount(); ++i) {
        const MeshPtr mesh = frame->GetChildMesh(i);
        if (!mesh) continue;
        // A frame whose matrix has no inverse gives no ray, and a mesh that failed to load
        // has no faces: neither can be hit.
        const auto geometry = mesh->mesh();
        if (!origin || !geometry) continue;
        if (const auto hit = intersectRay(*geometry, *origin, direction))
            hits_.add({{1, static_cast<std::int32_t>(hit->face), hit->u, hit->v, hit->t}, frame, mesh});
    }
    // Reaching a mesh entry counts, hit or not.
    return frame->GetChildMeshCount() > 0;
}

} // namespace bw
