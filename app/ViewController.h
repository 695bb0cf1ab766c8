#pragma once
// The 3D view widget and its pan arrows driving the model view: device and scene set-up
// at start-up, loading the model under a busy pointer, drawing, picking and dragging.
// A picked part is named in the status label and becomes the design's current part.

#include <array>
#include <functional>
#include <QObject>
#include <string>

namespace bw::modelview {
class ModelView;
class ViewWidget;
} // namespace bw::modelview

namespace bw::ui {
class PictureButton;
}

namespace bw::assembly {
struct DesignState;
}

class QLabel;

namespace bw::app {

class ViewController : public QObject {
    Q_OBJECT
public:
    // `picked` runs when a press on the view has hit a named frame, after find_part.
    ViewController(modelview::ModelView& model, modelview::ViewWidget& view,
                   const std::array<ui::PictureButton*, 4>& panArrows, QLabel& statusLabel,
                   assembly::DesignState& state, std::function<void()> picked, QObject* owner);

    // False when no 3D device can be made for the view.
    bool createDevice();
    // Reads the view's size: call once the window's layout is final.
    void setUpScene();
    // built: as ModelView::load_start's.
    void load_start(const std::function<void()>& built = {});
    // Pan arrows: 0 Up, 1 Left, 2 Down, 3 Right.
    void imgpan_Click(int index);
    // Names the last picked part, if the identification table knows its frame.
    void find_part();
    // Where the model files were looked for.
    const std::string& modelFolder() const { return modelFolder_; }
    // Runs before a pick makes another part the current one.
    void setBeforeSelectionChange(std::function<void()> run) { beforeSelectionChange_ = std::move(run); }

private:
    modelview::ModelView& model_;
    modelview::ViewWidget& view_;
    QLabel& statusLabel_;
    assembly::DesignState& state_;
    std::function<void()> picked_;
    std::function<void()> beforeSelectionChange_;
    std::string modelFolder_;
};

} // namespace bw::app
