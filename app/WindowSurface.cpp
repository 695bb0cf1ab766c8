#include "app/WindowSurface.h"

#include <QLabel>

#include "app/DetailsPanel.h"
#include "app/MainWindowControls.h"
#include "app/ToolWindows.h"
#include "modelview/ModelView.h"

namespace bw::app {

void WindowSurface::showPartFrames(catalogue::PartCode code) { model_.showPartFrames(code); }

void WindowSurface::hideAllPartFrames() { model_.disableAll(); }

void WindowSurface::renderScene() { model_.RenderScene(); }

void WindowSurface::startNewPart(const QString& partName) { controls_.detailsPanel->startNewPart(partName); }

void WindowSurface::clearDetailBoxes() { controls_.detailsPanel->clearBoxes(); }

void WindowSurface::showDetails() { controls_.detailsPanel->create_find(); }

void WindowSurface::toggleAxes() { controls_.indicators.at(0)->setVisible(model_.toggleAxes()); }

void WindowSurface::toggleBase() { controls_.indicators.at(1)->setVisible(model_.toggleBase()); }

// Unlike axes and base, the second light does not redraw by itself.
void WindowSurface::toggleLights() {
    controls_.indicators.at(2)->setVisible(model_.toggleLights());
    model_.RenderScene();
}

void WindowSurface::zoomIn() { model_.navigate(modelview::Navigation::In); }

void WindowSurface::zoomOut() { model_.navigate(modelview::Navigation::Out); }

void WindowSurface::toggleDetails() {
    controls_.detailsPanel->setVisible(controls_.detailsPanel->isHidden());
}

void WindowSurface::showColourDialog() { toolWindows_.showColourDialog(); }

} // namespace bw::app
