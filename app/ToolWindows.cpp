#include "app/ToolWindows.h"

#include <QWidget>

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

ToolWindows::ToolWindows(QWidget* owner) : QObject(owner), owner_(owner) {}

ToolWindows::~ToolWindows() {
    delete about_.data();
    delete colourDialog_.data();
}

void ToolWindows::showAbout(const D3DInit& setup) {
    if (!about_) about_ = new Frmabt(owner_);
    // Only the OpenGL device transforms and lights in hardware.
    const bool hardware = (setup.deviceCaps().devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    about_->setDrawingDevice(!setup.device() ? QString()
                             : hardware      ? QStringLiteral("OpenGL")
                                             : QStringLiteral("the software rasterizer"));
    bringToFront(about_);
}

void ToolWindows::showColourDialog() {
    if (!colourDialog_) {
        colourDialog_ = new FrmColor(owner_);
        connect(colourDialog_, &FrmColor::colourChosen, this, &ToolWindows::colourChosen);
    }
    bringToFront(colourDialog_);
}

void ToolWindows::hideAll() {
    if (about_) about_->hide();
    if (colourDialog_) colourDialog_->hide();
}

} // namespace bw::app
