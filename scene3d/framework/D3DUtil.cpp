#include "scene3d/framework/D3DUtil.h"

#include "scene3d/framework/DeviceCall.h"
#include "scene3d/framework/WorldMatrix.h"
#include "scene3d/math/Camera.h"
#include "scene3d/platform/device/Direct3DDevice8.h"

namespace bw {
namespace {

Light directionalLight(ColorValue ambient, Vector3 direction) {
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.ambient = ambient;
    light.specular = {0.0f, 0.0f, 0.0f, 0.0f};
    light.direction = normalize(direction);
    light.range = 10000.0f;
    return light;
}

} // namespace

D3DUtil::D3DUtil(std::shared_ptr<const TextureLoader> textureLoader)
    : world_(sceneWorldMatrix()), view_(identityMatrix()), projection_(identityMatrix()),
      textures_(std::move(textureLoader)) {}

void D3DUtil::SetViewSize(std::int32_t width, std::int32_t height) {
    viewWidth_ = width;
    viewHeight_ = height;
}

Material D3DUtil::defaultMaterial() {
    Material material;
    material.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
    material.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
    material.power = 10.0f;
    return material;
}

void D3DUtil::DefaultSceneSetup(IDirect3DDevice8& dev) {
    fieldOfView_ = 0.785375f; // 3.1415 / 4
    aspect_ = 1.0f;
    nearPlane_ = 1.0f;
    farPlane_ = 3000.0f;
    if (viewHeight_ != 0 && viewWidth_ != 0)
        aspect_ = static_cast<float>(viewHeight_) / static_cast<float>(viewWidth_);
    world_ = sceneWorldMatrix();

    projection_ = perspectiveFovLH(fieldOfView_, aspect_, nearPlane_, farPlane_);
    throwIfFailed(dev.SetTransform(D3DTS_PROJECTION, projection_), "SetTransform");
    view_ = *lookAtLH({0.0f, 0.0f, -20.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    throwIfFailed(dev.SetTransform(D3DTS_VIEW, view_), "SetTransform");
    throwIfFailed(dev.SetTransform(D3DTS_WORLD, world_), "SetTransform");

    light0_ = directionalLight({0.1f, 0.1f, 0.1f, 1.0f}, {-1.0f, -1.0f, -1.0f});
    throwIfFailed(dev.SetLight(0, light0_), "SetLight");
    throwIfFailed(dev.LightEnable(0, true), "LightEnable");
    light1_ = directionalLight({0.3f, 0.3f, 0.3f, 1.0f}, {1.0f, -1.0f, -1.0f});

    throwIfFailed(dev.SetMaterial(defaultMaterial()), "SetMaterial");

    throwIfFailed(dev.SetRenderState(D3DRS_AMBIENT, 0x10101010), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_CLIPPING, 1), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_LIGHTING, 1), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE), "SetRenderState");
    throwIfFailed(dev.SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD), "SetRenderState");
}

bool D3DUtil::SetView(IDirect3DDevice8& dev, Vector3 eye, Vector3 at, Vector3 up) {
    const std::optional<Matrix> lookAt = lookAtLH(eye, at, up);
    if (lookAt) lastLookAt_ = *lookAt;
    if (lastLookAt_) view_ = *lastLookAt_;
    throwIfFailed(dev.SetTransform(D3DTS_VIEW, view_), "SetTransform");
    return lookAt.has_value();
}

void D3DUtil::Clear(IDirect3DDevice8& dev, std::uint32_t colour) {
    throwIfFailed(dev.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0), "Clear");
}

void D3DUtil::Present(IDirect3DDevice8& dev, DeviceWindow* overrideWindow) { dev.Present(overrideWindow); }

FramePtr D3DUtil::CreateFrame(const FramePtr& parent) {
    FramePtr frame = CD3DFrame::Create();
    if (parent) parent->AddChild(frame);
    return frame;
}

} // namespace bw
