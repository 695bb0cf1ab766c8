#include "app/ToolWindows.h"

#include "app/Frmabt.h"
#include "app/FrmColor.h"
#include "scene3d/init/D3DInit.h"

namespace bw::app {
namespace {

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

ToolWindows::~ToolWindows() {
    delete about_;
    delete colourDialog_;
}

void ToolWindows::showAbout(const D3DInit& setup) {
    if (!about_) about_ = new Frmabt;
    // Only the OpenGL device transforms and lights in hardware.
    const bool hardware = (setup.deviceCaps().devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    about_->setDrawingDevice(!setup.device() ? QString()
                             : hardware      ? QStringLiteral("OpenGL")
                                             : QStringLiteral("the software rasterizer"));
    bringToFront(about_);
}

void ToolWindows::showColourDialog() {
    if (!colourDialog_) {
        colourDialog_ = new FrmColor;
        connect(colourDialog_, &FrmColor::colourChosen, this, &ToolWindows::colourChosen);
    }
    bringToFront(colourDialog_);
}

void ToolWindows::hideAll() {
    if (about_) about_->hide();
    if (colourDialog_) colourDialog_->hide();
}

} // namespace bw::app
