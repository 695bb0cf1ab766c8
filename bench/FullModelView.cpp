#include "bench/FullModelView.h"

#include <charconv>
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

std::optional<ViewSize> parseViewSize(std::string_view text) {
    constexpr int largest = 16384;
    auto number = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < 1 || value > largest)
            return std::nullopt;
        return value;
    };
    const auto cross = text.find('x');
    if (cross == std::string_view::npos) return std::nullopt;
    const auto width = number(text.substr(0, cross));
    const auto height = number(text.substr(cross + 1));
    if (!width || !height) return std::nullopt;
    return ViewSize{*width, *height};
}

FullModelView::FullModelView(DeviceKind kind, ViewSize size, const std::filesystem::path& folder)
    : size_(size), window_(size.width, size.height) {
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
    view_->setViewSize(size.width, size.height);
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
