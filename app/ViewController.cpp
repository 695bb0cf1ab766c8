#include "app/ViewController.h"

#include <QApplication>
#include <QLabel>

#include "assembly/DesignState.h"
#include "modelview/IdentificationTable.h"
#include "modelview/ModelView.h"
#include "modelview/ViewWidget.h"
#include "scene3d/framework/MediaDir.h"
#include "ui/PictureButton.h"
#include "ui/ValueLabel.h"

namespace bw::app {

namespace {
// The camera's distance from the model at start-up.
constexpr float kStartEyeDistance = -10.0f;
} // namespace

ViewController::ViewController(modelview::ModelView& model, modelview::ViewWidget& view,
                               const std::array<ui::PictureButton*, 4>& panArrows, QLabel& statusLabel,
                               assembly::DesignState& state, std::function<void()> picked, QObject* owner)
    : QObject(owner), model_(model), view_(view), statusLabel_(statusLabel), state_(state),
      picked_(std::move(picked)) {
    view_.onPaint = [this] {
        if (model_.modelReady()) model_.RenderScene();
    };
    view_.onMouseDown = [this](int buttons, double x, double y) {
        if (!model_.mouseDown(buttons, x, y)) return;
        find_part();
        if (picked_) picked_();
    };
    view_.onMouseMove = [this](int buttons, double x, double y) { model_.mouseMove(buttons, x, y); };
    view_.onMouseUp = [this](int, double, double) { model_.mouseUp(); };
    for (int index = 0; index < 4; ++index)
        connect(panArrows[static_cast<std::size_t>(index)], &ui::PictureButton::clicked, this,
                [this, index] { imgpan_Click(index); });
}

bool ViewController::createDevice() { return model_.tryCreateDevice(view_); }

void ViewController::setUpScene() {
    model_.setAxesAndBaseShown();
    QCoreApplication::processEvents();

    modelFolder_ = MediaDir().LocateMediaFolder("vm1.x", false);
    model_.setCameraEyeDistance(kStartEyeDistance);
    QCoreApplication::processEvents();
    model_.initDevice(view_);
    model_.setViewSize(view_.width(), view_.height());
    model_.defaultSceneSetup();
    model_.setCameraEyeDistance(kStartEyeDistance);
}

void ViewController::load_start(const std::function<void()>& built) {
    model_.load_start(
        modelFolder_,
        [this](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                while (QApplication::overrideCursor())
                    QApplication::restoreOverrideCursor();
            if (!busy) view_.setFocus();
        },
        built);
}

void ViewController::imgpan_Click(int index) {
    constexpr modelview::Navigation kArrows[] = {modelview::Navigation::Up, modelview::Navigation::Left,
                                                 modelview::Navigation::Down, modelview::Navigation::Right};
    if (index >= 0 && index < 4) model_.navigate(kArrows[index]);
}

void ViewController::find_part() {
    const modelview::Identification* entry = model_.find_part();
    if (!entry) return;
    ui::showValue(statusLabel_,
                  QString::fromUtf8(entry->caption.data(), static_cast<qsizetype>(entry->caption.size())));
    if (!entry->partCode) return;
    if (beforeSelectionChange_) beforeSelectionChange_();
    state_.partCode = *entry->partCode;
}

} // namespace bw::app
