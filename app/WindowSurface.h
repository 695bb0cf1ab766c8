#pragma once
// The main window's 3D model, view indicators and details editor as the design commands
// and the view palettes see them.

#include "assembly/DesignSurface.h"
#include "assembly/ViewControls.h"

namespace bw::modelview {
class ModelView;
}

namespace bw::app {

struct MainWindowControls;
class ToolWindows;

class WindowSurface : public assembly::DesignSurface, public assembly::ViewControls {
public:
    WindowSurface(modelview::ModelView& model, const MainWindowControls& controls, ToolWindows& toolWindows)
        : model_(model), controls_(controls), toolWindows_(toolWindows) {}

    void showPartFrames(catalogue::PartCode code) override;
    void hideAllPartFrames() override;
    void renderScene() override;
    void startNewPart(const QString& partName) override;
    void clearDetailBoxes() override;
    void showDetails() override;

    void toggleAxes() override;
    void toggleBase() override;
    void toggleLights() override;
    void zoomIn() override;
    void zoomOut() override;
    void toggleDetails() override;
    void showColourDialog() override;

private:
    modelview::ModelView& model_;
    const MainWindowControls& controls_;
    ToolWindows& toolWindows_;
};

} // namespace bw::app
