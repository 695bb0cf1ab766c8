#pragma once
// The PC model view: the device and scene state, the model, drawing, the camera and its
// navigation, the trackball, picking and the view toggles. The main window forwards its
// 3D methods here; nothing in this class knows about widgets.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "modelview/CameraNavigation.h"
#include "modelview/PcModel.h"
#include "modelview/PlatformServices.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/init/D3DInit.h"

namespace bw::modelview {

struct Identification;

class ModelView {
public:
    // pump runs one message-pump pass; the notifier speaks for device set-up and tells
    // which model files were refused.
    ModelView(UserNotifier& notifier, PlatformServices platform, std::function<void()> pump);

    D3DInit& deviceSetup() { return init_; }
    PcModel& model() { return model_; }
    // The shared device; throws PlatformError before one exists.
    IDirect3DDevice8& device() const;

    // Device and scene set-up at start-up.
    bool tryCreateDevice(DeviceWindow& window);
    void initDevice(DeviceWindow& window);
    void setViewSize(int width, int height) { util_.SetViewSize(width, height); }
    int viewWidth() const { return util_.viewWidth(); }
    int viewHeight() const { return util_.viewHeight(); }
    void defaultSceneSetup() { util_.DefaultSceneSetup(device()); }

    // Builds the model; busy(true) shows the hourglass, busy(false) puts the pointer back.
    // built, if given, runs once the model is built and before its first picture is drawn.
    // Model files refused for what they would take are named in one error message, once
    // the model is ready.
    void load_start(const std::string& modelFolder, const std::function<void(bool)>& busy,
                    const std::function<void()>& built = {});
    // Files already being read for load_start; used when they are of its folder.
    void setModelReadAhead(std::unique_ptr<ModelReadAhead> files) { readAhead_ = std::move(files); }
    bool modelReady() const { return modelReady_; }

    // Drawing with the background colour 0x00RRGGBB.
    void setBackgroundColour(std::uint32_t colour) { backgroundColour_ = colour; }
    void RenderScene();
    // The model as the view shows it, drawn off screen at width x height by the same device;
    // the view is drawn again as it was. Empty when there is no model or the device failed.
    Picture drawPicture(int width, int height);

    // The camera.
    Vector3 cameraEye() const { return eye_; }
    void setCameraEyeDistance(float z) { eye_.z = z; }
    void zoom_in();
    void navigate(Navigation command);
    void RotateTrackBall(std::int16_t x, std::int16_t y);

    // Mouse on the view (button mask 1 left, 2 right, 4 middle). A press picks; the result
    // is the picked frame name when a named frame was hit.
    std::optional<std::string> mouseDown(int buttons, double x, double y);
    void mouseMove(int buttons, double x, double y);
    void mouseUp() { dragging_ = false; }
    // The entry of the identification table for the picked frame name, or nullptr.
    const Identification* find_part() const;

    // View toggles; each returns the new state. Axes and base redraw, lights does not.
    bool toggleAxes();
    bool toggleBase();
    bool toggleLights();
    bool axesShown() const { return axesShown_; }
    bool baseShown() const { return baseShown_; }
    bool lightsOn() const { return lightsOn_; }
    void setAxesAndBaseShown() { axesShown_ = baseShown_ = true; }
    // Every part frame off, then a redraw.
    void disableAll();
    // The part's frames on (the caller redraws).
    void showPartFrames(std::int16_t partCode);

    // The program is ending: the scene's top frames go.
    void release();

private:
    bool toggleFrame(std::string_view frameName, bool& shown);
    // Makes the device's back buffer width x height (0 x 0: the view's) and sets the scene up
    // for it; false when the device refused.
    bool resizeBackBuffer(int width, int height);

    UserNotifier& notifier_;
    std::function<void()> pump_;
    D3DInit init_;
    D3DUtil util_;
    PcModel model_;
    std::unique_ptr<ModelReadAhead> readAhead_;
    FramePtr rotationTarget_;
    bool modelReady_ = false;
    std::uint32_t backgroundColour_ = 0;

    Vector3 eye_{0, 0, 0};
    bool dragging_ = false;
    std::int16_t lastX_ = 0;
    std::int16_t lastY_ = 0;
    std::string pickedFrameName_;

    bool axesShown_ = false;
    bool baseShown_ = false;
    bool lightsOn_ = false;
};

} // namespace bw::modelview
