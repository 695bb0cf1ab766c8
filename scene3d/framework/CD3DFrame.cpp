#include "scene3d/framework/CD3DFrame.h"

#include <cstring>
#include <new>

#include "scene3d/framework/CD3DAnimation.h"
#include "scene3d/framework/DeviceCall.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/framework/WorldMatrix.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/math/VectorTransform.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XFile.h"

namespace bw {

FramePtr CD3DFrame::Create() { return std::make_shared<CD3DFrame>(CreationKey{}); }

CD3DFrame::CD3DFrame(CreationKey)
    : local_(identityMatrix()), combined_(identityMatrix()), inverse_(identityMatrix()) {}

void CD3DFrame::SetPreRenderCallback(RenderCallback callback, std::int32_t id) {
    if (!callbacks_) callbacks_ = std::make_unique<Callbacks>();
    callbacks_->pre = std::move(callback);
    callbacks_->preId = id;
}

void CD3DFrame::SetPostRenderCallback(RenderCallback callback, std::int32_t id) {
    if (!callbacks_) callbacks_ = std::make_unique<Callbacks>();
    callbacks_->post = std::move(callback);
    callbacks_->postId = id;
}

void CD3DFrame::AddChild(FramePtr child) { children_.add(std::move(child)); }

void CD3DFrame::AddMesh(MeshPtr childMesh) { meshes_.add(std::move(childMesh)); }

MeshPtr CD3DFrame::AddD3DXMesh(std::shared_ptr<Mesh> mesh) {
    auto wrapper = std::make_shared<CD3DMesh>();
    wrapper->InitFromD3DXMesh(std::move(mesh));
    AddMesh(wrapper);
    return wrapper;
}

void CD3DFrame::SetPosition(Vector3 vec) {
    position_ = vec;
    rebuildLocalMatrix();
}

Vector3 CD3DFrame::GetPosition() const { return {local_.m[3][0], local_.m[3][1], local_.m[3][2]}; }

void CD3DFrame::SetOrientation(const Quaternion& quat) {
    orientation_ = quat;
    rebuildLocalMatrix();
}

void CD3DFrame::SetScale(float val) {
    scale_ = val;
    rebuildLocalMatrix();
}

void CD3DFrame::SetOrientationCenter(Vector3 vec) {
    centre_ = vec;
    rebuildLocalMatrix();
}

void CD3DFrame::rebuildLocalMatrix() {
    local_ = affineTransformationMatrix(scale_, centre_, orientation_, position_);
}

void CD3DFrame::AddRotation(std::int32_t combinetype, float x, float y, float z, float rot) {
    combine(combinetype, rotationAxisMatrix({x, y, z}, rot));
}

void CD3DFrame::AddScale(std::int32_t combinetype, float x, float y, float z) {
    combine(combinetype, scalingMatrix(x, y, z));
}

void CD3DFrame::AddTranslation(std::int32_t combinetype, float x, float y, float z) {
    combine(combinetype, translationMatrix(x, y, z));
}

void CD3DFrame::combine(std::int32_t combinetype, const Matrix& transform) {
    switch (combinetype) {
    case CombineBefore:
        local_ = transform * local_;
        break;
    case CombineAfter:
        local_ = local_ * transform;
        break;
    case CombineReplace:
        local_ = transform;
        break;
    default:
        break;
    }
}

SceneObject CD3DFrame::FindChildObject(const std::string& Name, std::int32_t flags) {
    WalkGuard guard(*this);
    if (!guard) return {};
    if (ObjectName == Name) return {shared_from_this(), nullptr};
    for (std::int32_t i = 0; i < meshes_.count(); ++i) {
        MeshPtr mesh = meshes_.at(i);
        if (mesh && mesh->ObjectName == Name) return {nullptr, mesh};
    }
    for (std::int32_t i = 0; i < children_.count(); ++i) {
        FramePtr child = children_.at(i);
        if (!child) continue;
        if (SceneObject found = child->FindChildObject(Name, flags)) return found;
    }
    return {};
}

FramePtr CD3DFrame::FindChildParent(const std::string& Name, std::int32_t flags) {
    WalkGuard guard(*this);
    if (!guard) return nullptr;
    for (std::int32_t i = 0; i < meshes_.count(); ++i) {
        MeshPtr mesh = meshes_.at(i);
        if (mesh && mesh->ObjectName == Name) return shared_from_this();
    }
    for (std::int32_t i = 0; i < children_.count(); ++i) {
        FramePtr child = children_.at(i);
        if (!child) continue;
        if (child->ObjectName == Name) return shared_from_this();
        if (FramePtr found = child->FindChildParent(Name, flags)) return found;
    }
    return nullptr;
}

void CD3DFrame::Destroy() {
    meshes_.clear();
    children_.clear();
}

bool CD3DFrame::InitFromFile(IDirect3DDevice8& dev, TextureCache& textures,
                             const std::filesystem::path& strFile, const FramePtr& parent,
                             const std::shared_ptr<CD3DAnimation>& animParent) {
    try {
        XFile file = XFile::open(strFile);
        LoadBudget budget;
        InitFromXFile(dev, textures, budget, file, parent, animParent);
        return true;
    } catch (const PlatformError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CD3DFrame::InitFromXFile(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget, XFile& file,
                              const FramePtr& parent, const std::shared_ptr<CD3DAnimation>& animParent) {
    // What the file adds goes after what is there, so a refusal cuts the lists back.
    const std::int32_t meshesBefore = meshes_.count();
    const std::int32_t childrenBefore = children_.count();
    const std::int32_t texturesBefore = textures.count();
    const std::int32_t animationsBefore = animParent ? animParent->GetChildCount() : 0;
    const std::string animationName = animParent ? animParent->ObjectName : std::string();
    try {
        readObjects(dev, textures, budget, file, animParent);
    } catch (...) {
        meshes_.truncate(meshesBefore);
        children_.truncate(childrenBefore);
        textures.forgetFrom(texturesBefore);
        if (animParent) {
            animParent->truncateChildren(animationsBefore);
            animParent->ObjectName = animationName;
        }
        throw;
    }
    if (parent) parent->AddChild(shared_from_this());
}

void CD3DFrame::readObjects(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget, XFile& file,
                            const std::shared_ptr<CD3DAnimation>& animParent) {
    for (;;) {
        const XDataObject* object = nullptr;
        try {
            object = file.nextObject();
        } catch (const PlatformError& error) {
            if (refusesFile(error)) throw;
            break; // the reader cannot go past an object it failed to read
        }
        if (!object) break;
        const std::string_view type = object->templateName;
        if (type == "TID_D3DRMFrame") {
            try {
                Create()->LoadXOFFrame(dev, textures, budget, *object, shared_from_this());
            } catch (const PlatformError& error) {
                if (refusesFile(error)) throw;
                // The frame is attached already and keeps what was read before the failure.
            }
        } else if (type == "TID_D3DRMMesh") {
            auto mesh = std::make_shared<CD3DMesh>();
            try {
                mesh->InitFromXOF(dev, textures, budget, *object);
            } catch (const PlatformError& error) {
                if (refusesFile(error)) throw;
                // Added all the same, empty: it draws nothing and is never hit.
            }
            AddMesh(std::move(mesh));
        } else if (type == "TID_D3DRMAnimationSet" && animParent) {
            try {
                animParent->LoadAnimationSet(dev, textures, budget, *object, shared_from_this());
            } catch (const PlatformError& error) {
                if (refusesFile(error)) throw;
                // What the set gave before the failure stays.
            }
        }
    }
}

void CD3DFrame::LoadXOFFrame(IDirect3DDevice8& dev, TextureCache& textures, LoadBudget& budget,
                             const XDataObject& frameData, const FramePtr& parent) {
    budget.countObject();
    // Attached before the content is read, so that siblings keep file order.
    if (parent) parent->AddChild(shared_from_this());
    ObjectName = frameData.name;
    for (const XChild& child : frameData.children) {
        const XDataObject& object = child.object();
        const std::string_view type = object.templateName;
        if (type == "TID_D3DRMFrame") {
            Create()->LoadXOFFrame(dev, textures, budget, object, shared_from_this());
        } else if (type == "TID_D3DRMMesh") {
            auto mesh = std::make_shared<CD3DMesh>();
            mesh->InitFromXOF(dev, textures, budget, object);
            AddMesh(std::move(mesh));
        } else if (type == "TID_D3DRMFrameTransformMatrix") {
            XDataReader reader(object);
            Matrix matrix;
            float rows[16];
            reader.floats(rows);
            std::memcpy(&matrix.m, rows, sizeof rows);
            local_ = matrix;
        }
    }
}

template <typename MeshOperation> void CD3DFrame::forEachMesh(const MeshOperation& operation) {
    WalkGuard guard(*this);
    if (!guard) return;
    for (std::int32_t i = 0; i < meshes_.count(); ++i)
        if (MeshPtr mesh = meshes_.at(i)) operation(*mesh);
    for (std::int32_t i = 0; i < children_.count(); ++i)
        if (FramePtr child = children_.at(i)) child->forEachMesh(operation);
}

void CD3DFrame::SetFVF(IDirect3DDevice8& dev, std::uint32_t fvf) {
    forEachMesh([&](CD3DMesh& mesh) { mesh.SetFVF(dev, fvf); });
}

void CD3DFrame::FlipNormals() {
    forEachMesh([](CD3DMesh& mesh) { mesh.FlipNormals(); });
}

void CD3DFrame::ComputeNormals() {
    forEachMesh([](CD3DMesh& mesh) { mesh.ComputeNormals(); });
}

void CD3DFrame::Optimize() {
    forEachMesh([](CD3DMesh& mesh) { mesh.Optimize(); });
}

void CD3DFrame::ComputeBoundingVolumes() {
    forEachMesh([](CD3DMesh& mesh) { mesh.ComputeBoundingVolumes(); });
}

void CD3DFrame::UpdateFrames() { updateFrames(sceneWorldMatrix()); }

void CD3DFrame::updateFrames(const Matrix& parentCombined) {
    WalkGuard guard(*this);
    if (!guard) return;
    combined_ = local_ * parentCombined;
    // A singular matrix (a zero scale) has no inverse; the last one stays.
    if (auto inverse = bw::inverse(combined_)) inverse_ = *inverse;
    for (std::int32_t i = 0; i < children_.count(); ++i)
        if (FramePtr child = children_.at(i)) child->updateFrames(combined_);
}

void CD3DFrame::Render(IDirect3DDevice8& dev) {
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, sceneWorldMatrix()), "SetTransform");
    // The opaque pass notes the meshes with transparent subsets and their worlds, so that
    // the transparent pass draws them without walking the tree again. A callback may change
    // the tree between the passes: after one has run, the tree is walked again.
    std::vector<TransparentMesh> transparentMeshes;
    RenderPass opaque{true, false, &transparentMeshes};
    renderFrame(dev, opaque);
    throwIfFailed(dev.SetRenderState(D3DRS_ALPHABLENDENABLE, 1), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA), "SetRenderState");
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, sceneWorldMatrix()), "SetTransform");
    if (opaque.callbackRan) {
        RenderPass transparent{false, true};
        renderFrame(dev, transparent);
    } else if (!transparentMeshes.empty()) {
        for (const TransparentMesh& noted : transparentMeshes) {
            throwIfFailed(dev.SetTransform(D3DTS_WORLD, noted.world), "SetTransform");
            noted.mesh->RenderEx(dev, false, true);
        }
        throwIfFailed(dev.SetTransform(D3DTS_WORLD, sceneWorldMatrix()), "SetTransform");
    }
    throwIfFailed(dev.SetRenderState(D3DRS_ALPHABLENDENABLE, 0), "SetRenderState");
}

void CD3DFrame::renderFrame(IDirect3DDevice8& dev, RenderPass& pass) {
    if (!Enabled) return;
    WalkGuard guard(*this);
    if (!guard) return;
    Matrix parentWorld;
    throwIfFailed(dev.GetTransform(D3DTS_WORLD, parentWorld), "GetTransform");
    const Matrix world = local_ * parentWorld;
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, world), "SetTransform");
    if (callbacks_ && callbacks_->pre) {
        pass.callbackRan = true;
        callbacks_->pre(callbacks_->preId);
    }
    for (std::int32_t i = 0; i < meshes_.count(); ++i) {
        const MeshPtr& mesh = meshes_.at(i);
        if (!mesh) continue;
        mesh->RenderEx(dev, pass.bDrawOpaqueSubsets, pass.bDrawAlphaSubsets);
        if (pass.transparentMeshes && mesh->HasTransparentSubsets())
            pass.transparentMeshes->push_back({world, mesh.get()});
    }
    for (std::int32_t i = 0; i < children_.count(); ++i)
        if (FramePtr child = children_.at(i)) child->renderFrame(dev, pass);
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, parentWorld), "SetTransform");
    if (callbacks_ && callbacks_->post) {
        pass.callbackRan = true;
        callbacks_->post(callbacks_->postId);
    }
}

Vector3 CD3DFrame::InverseTransformCoord(Vector3 vIn) const { return transformCoord(vIn, inverse_); }

} // namespace bw
