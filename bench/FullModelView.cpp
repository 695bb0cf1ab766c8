#include "bench/FullModelView.h"

#include <stdexcept>

#include "modelview/FrameTable.h"
#include "scene3d/platform/gl/OpenGLDevice.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"
#include "scene3d/platform/raster/ReferenceDriver.h"

namespace bench {

namespace {

bool isKind(bw::IDirect3DDevice8& device, DeviceKind kind) {
    if (kind == DeviceKind::OpenGL) return dynamic_cast<bw::OpenGLDevice*>(&device) != nullptr;
    return dynamic_cast<bw::ReferenceDevice*>(&device) != nullptr;
}

} // namespace

FullModelView::FullModelView(DeviceKind kind, const std::filesystem::path& folder) {
    // Wired as the program's start wires them, each view with its own choice of device.
    bw::DeviceDrivers drivers;
    drivers.reference = std::make_shared<bw::ReferenceDriver>();
    drivers.referenceForced = kind == DeviceKind::Reference;
    if (kind == DeviceKind::OpenGL) {
        drivers.hardware = bw::openGLDriverIfAvailable();
        if (!drivers.hardware) throw std::runtime_error("no OpenGL 3.3 core context can be made here");
    }
    const bw::modelview::PlatformServices platform{[drivers] { return bw::createDirect3D(drivers); },
                                                   std::make_shared<bw::ImageFileTextureLoader>()};
    view_ = std::make_unique<bw::modelview::ModelView>(notifier_, platform, [] {});
    // The start-up sequence of the main window, without its widgets.
    if (!view_->tryCreateDevice(window_)) throw std::runtime_error("no 3D device can be made here");
    view_->initDevice(window_);
    if (!view_->deviceSetup().device() || !isKind(view_->device(), kind))
        throw std::runtime_error("the device asked for was not made: " + (notifier_.said.empty()
                                                                              ? std::string("no reason given")
                                                                              : notifier_.said.back()));
    view_->setViewSize(viewWidth, viewHeight);
    view_->defaultSceneSetup();
    view_->setCameraEyeDistance(-10.0f);
    view_->setAxesAndBaseShown();
    view_->load_start(folder.string() + "/", {});
    for (std::size_t i = 0; i < bw::modelview::partFrames().size(); ++i)
        view_->model().frame(i)->Enabled = true;
}

FullModelView::~FullModelView() {
    if (view_) view_->release();
}

} // namespace bench
