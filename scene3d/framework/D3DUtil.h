#pragma once
// The scene state beside the device: world, view and projection matrices, the two
// directional lights, the default material and the texture cache every mesh loads
// through, with the small operations the model view runs every picture. One object,
// owned by the model view; operations that talk to the device take it as an argument.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "scene3d/framework/CD3DFrame.h"
#include "scene3d/framework/TextureCache.h"
#include "scene3d/math/ColorValue.h"
#include "scene3d/math/Matrix.h"
#include "scene3d/math/Vector3.h"
#include "scene3d/platform/device/Light.h"
#include "scene3d/platform/device/Material.h"

namespace bw {

class DeviceWindow;
class IDirect3DDevice8;

class D3DUtil {
public:
    // Textures are read through textureLoader, which must not be empty.
    explicit D3DUtil(std::shared_ptr<const TextureLoader> textureLoader);

    // Size of the 3D view in pixels; the aspect of the projection follows it.
    void SetViewSize(std::int32_t width, std::int32_t height);
    std::int32_t viewWidth() const { return viewWidth_; }
    std::int32_t viewHeight() const { return viewHeight_; }

    // Projection from the view size, the default view from (0, 0, -20) to the origin,
    // identity world, light 0 set and enabled (light 1 only filled in), the default
    // material and the render states the scene is drawn with.
    void DefaultSceneSetup(IDirect3DDevice8& dev);

    // View := left-handed look-at, set on the device. Where the look-at is undefined (eye
    // on the look-at point, or up along the view) the last view this routine made is set
    // again, and the result is false.
    bool SetView(IDirect3DDevice8& dev, Vector3 eye, Vector3 at, Vector3 up);
    // Render target to colour (0xAARRGGBB), depth to 1, stencil to 0.
    void Clear(IDirect3DDevice8& dev, std::uint32_t colour);
    // Shows the back buffer in the device window, or overrideWindow when given. Errors are
    // ignored: a lost device is dealt with at the next picture.
    void Present(IDirect3DDevice8& dev, DeviceWindow* overrideWindow = nullptr);

    std::shared_ptr<const Texture> LoadTextureCached(IDirect3DDevice8& dev, const std::string& name) {
        return textures_.LoadTextureCached(dev, name);
    }
    TextureCache& textureCache() { return textures_; }

    // A new frame, appended to parent's children when a parent is given.
    static FramePtr CreateFrame(const FramePtr& parent);

    const Matrix& viewMatrix() const { return view_; }
    float aspect() const { return aspect_; }
    float fieldOfView() const { return fieldOfView_; }
    float nearPlane() const { return nearPlane_; }
    float farPlane() const { return farPlane_; }
    // The main light and the second one the lights toggle switches.
    const Light& light0() const { return light0_; }
    const Light& light1() const { return light1_; }
    static Material defaultMaterial();

private:
    std::int32_t viewWidth_ = 0;
    std::int32_t viewHeight_ = 0;
    Matrix world_;
    Matrix view_;
    Matrix projection_;
    std::optional<Matrix> lastLookAt_;
    float fieldOfView_ = 0.785375f;
    float aspect_ = 1.0f;
    float nearPlane_ = 1.0f;
    float farPlane_ = 3000.0f;
    Light light0_;
    Light light1_;
    TextureCache textures_;
};

} // namespace bw
