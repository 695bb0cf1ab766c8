#include "modelview/ModelView.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "modelview/FrameTable.h"
#include "modelview/IdentificationTable.h"
#include "scene3d/framework/CD3DPick.h"
#include "scene3d/framework/DeviceCall.h"
#include "scene3d/framework/DeviceStateCopy.h"
#include "scene3d/math/Camera.h"
#include "scene3d/math/VectorTransform.h"

namespace bw::modelview {

namespace {
constexpr std::uint32_t kModelAmbient = 0x90909090;

// Reading the model frees far more than it keeps, much of it in the readers' own heaps,
// which the C library would otherwise hold on to for good.
void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
} // namespace

ModelView::ModelView(UserNotifier& notifier, PlatformServices platform, std::function<void()> pump)
    : notifier_(notifier), pump_(std::move(pump)), init_(notifier, std::move(platform.createDirect3D)),
      util_(std::move(platform.textureLoader)) {
    // The scene's world matrix is the identity for good (frames carry every placement), so
    // a new device needs no world reset from here.
}

IDirect3DDevice8& ModelView::device() const {
    if (!init_.device()) throw PlatformError(D3DERR_INVALIDCALL, "no 3D device yet");
    return *init_.device();
}

bool ModelView::tryCreateDevice(DeviceWindow& window) { return init_.TryCreateDevice(0, &window); }

void ModelView::initDevice(DeviceWindow& window) {
    init_.InitDevice(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr);
}

void ModelView::load_start(const std::string& modelFolder, const std::function<void(bool)>& busy,
                           const std::function<void()>& built) {
    if (busy) busy(true);
    if (!readAhead_ || readAhead_->folder() != std::filesystem::path(modelFolder))
        readAhead_ = std::make_unique<ModelReadAhead>(modelFolder);
    {
        // Its files are gone once taken: the reading buffers go with it.
        const std::unique_ptr<ModelReadAhead> files = std::move(readAhead_);
        model_.build(device(), util_.textureCache(), *files, pump_);
    }
    returnFreedMemory();
    if (built) built();
    disableAll();
    rotationTarget_ = model_.modelRoot();
    modelReady_ = true;
    if (busy) busy(false);
    if (pump_) pump_();
    if (busy) busy(false);
    const auto& refused = model_.refusedFiles();
    if (refused.empty()) return;
    // One message for them all: a broken model folder may refuse many files.
    std::string text = refused.size() == 1
                           ? "A model file was not loaded; its part is missing from the picture:\n"
                           : "Some model files were not loaded; their parts are missing from the "
                             "picture:\n";
    for (const PcModel::RefusedFile& file : refused)
        text += "\n" + file.file + ": " + file.reason;
    notifier_.showError(D3DInit::messageTitle, text);
}

void ModelView::RenderScene() {
    if (!model_.built() || !init_.device()) return;
    IDirect3DDevice8& dev = device();
    const ResultCode level = dev.TestCooperativeLevel();
    if (level == D3DERR_DEVICENOTRESET) {
        throwIfFailed(dev.Reset(init_.presentParameters()), "Reset");
        util_.DefaultSceneSetup(dev);
        if (pump_) pump_();
    } else if (level != D3D_OK) {
        return; // lost and not yet restorable: the next request tries again
    }
    util_.Clear(dev, backgroundColour_);
    throwIfFailed(dev.BeginScene(), "BeginScene");
    model_.sceneRoot()->Render(dev);
    throwIfFailed(dev.EndScene(), "EndScene");
    util_.Present(dev);
}

bool ModelView::resizeBackBuffer(int width, int height) {
    PresentParameters parameters = init_.presentParameters();
    parameters.backBufferWidth = static_cast<std::uint32_t>(width);
    parameters.backBufferHeight = static_cast<std::uint32_t>(height);
    return !failed(device().Reset(parameters));
}

Picture ModelView::drawPicture(int width, int height) {
    Picture picture;
    if (!model_.built() || !init_.device() || width <= 0 || height <= 0) return picture;
    IDirect3DDevice8& dev = device();
    if (dev.TestCooperativeLevel() != D3D_OK) return picture;
    // A Reset sets every state back: the view's are kept and given to the picture, only
    // the projection following the picture's shape.
    DeviceStateCopy state = DeviceStateCopy::capture(dev);
    const Matrix viewProjection = state.projection;
    if (resizeBackBuffer(width, height)) {
        state.projection =
            perspectiveFovLH(util_.fieldOfView(), static_cast<float>(height) / static_cast<float>(width),
                             util_.nearPlane(), util_.farPlane());
        state.apply(dev);
        util_.Clear(dev, backgroundColour_);
        throwIfFailed(dev.BeginScene(), "BeginScene");
        model_.sceneRoot()->Render(dev);
        throwIfFailed(dev.EndScene(), "EndScene");
        if (failed(dev.GetBackBufferPicture(picture))) picture = {};
    }
    if (!resizeBackBuffer(0, 0)) return picture; // the next draw resets it again
    state.projection = viewProjection;
    state.apply(dev);
    RenderScene();
    return picture;
}

void ModelView::zoom_in() {
    IDirect3DDevice8& dev = device();
    util_.DefaultSceneSetup(dev);
    throwIfFailed(dev.SetRenderState(D3DRS_AMBIENT, kModelAmbient), "SetRenderState");
    // With the eye on the origin the look-at is undefined: the last valid view stays.
    util_.SetView(dev, eye_, {0, 0, 0}, {0, 1, 0});
}

void ModelView::navigate(Navigation command) {
    eye_ = moveEye(eye_, command);
    zoom_in();
    RenderScene();
}

void ModelView::RotateTrackBall(std::int16_t x, std::int16_t y) {
    const auto dx = static_cast<std::int16_t>(x - lastX_);
    const auto dy = static_cast<std::int16_t>(y - lastY_);
    lastX_ = x;
    lastY_ = y;
    const auto turn = trackballTurn(dx, dy);
    if (!turn || !rotationTarget_) return;

    Matrix view;
    throwIfFailed(device().GetTransform(D3DTS_VIEW, view), "GetTransform");
    const Vector3 p1 = transformCoord(turn->viewAxis, view);
    const Vector3 p0 = transformCoord({0, 0, 0}, view);
    model_.sceneRoot()->UpdateFrames();
    const Vector3 axis =
        rotationTarget_->InverseTransformCoord(p1) - rotationTarget_->InverseTransformCoord(p0);
    rotationTarget_->AddRotation(CombineBefore, axis.x, axis.y, axis.z, turn->angle);
}

std::optional<std::string> ModelView::mouseDown(int /*buttons*/, double x, double y) {
    dragging_ = true;
    lastX_ = roundPointer(x);
    lastY_ = roundPointer(y);
    if (!modelReady_) return std::nullopt;

    CD3DPick pick;
    if (!pick.ViewportPick(device(), model_.modelRoot(), static_cast<float>(x), static_cast<float>(y)))
        return std::nullopt;
    const std::int32_t nearest = pick.FindNearest();
    if (nearest < 0) return std::nullopt;
    const FramePtr frame = pick.GetFrame(nearest);
    pickedFrameName_ = frame ? frame->ObjectName : std::string();
    if (pickedFrameName_.empty()) return std::nullopt;
    return pickedFrameName_;
}

void ModelView::mouseMove(int buttons, double x, double y) {
    if (!dragging_) return;
    // A drag before the model is ready has nothing to turn.
    if (buttons == 1 && modelReady_) RotateTrackBall(roundPointer(x), roundPointer(y));
    RenderScene();
}

const Identification* ModelView::find_part() const { return findIdentification(pickedFrameName_); }

bool ModelView::toggleFrame(std::string_view frameName, bool& shown) {
    shown = !shown;
    if (model_.built()) model_.frame(frameName)->Enabled = shown;
    RenderScene();
    return shown;
}

bool ModelView::toggleAxes() { return toggleFrame(kAxesFrame, axesShown_); }

bool ModelView::toggleBase() { return toggleFrame(kBaseFrame, baseShown_); }

bool ModelView::toggleLights() {
    IDirect3DDevice8& dev = device();
    if (!lightsOn_) {
        throwIfFailed(dev.SetLight(1, util_.light1()), "SetLight");
        throwIfFailed(dev.LightEnable(1, true), "LightEnable");
    } else {
        throwIfFailed(dev.SetLight(1, util_.light0()), "SetLight");
        throwIfFailed(dev.LightEnable(1, false), "LightEnable");
    }
    lightsOn_ = !lightsOn_;
    return lightsOn_;
}

void ModelView::disableAll() {
    if (model_.built()) model_.disableAll();
    RenderScene();
}

void ModelView::showPartFrames(std::int16_t partCode) {
    if (model_.built()) model_.showPart(partCode);
}

void ModelView::release() {
    modelReady_ = false;
    rotationTarget_.reset();
    model_.release();
}

} // namespace bw::modelview
