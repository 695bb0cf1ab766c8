#include "tests/support/FakeDirect3D.h"

#include <algorithm>

#include "scene3d/platform/raster/ReferenceDriver.h"

namespace bw::fake {

namespace {

std::string joined(const std::string& name, std::initializer_list<std::uint32_t> values) {
    std::string text = name;
    for (const auto value : values)
        text += " " + std::to_string(value);
    return text;
}

} // namespace

FakeAdapter desktopAdapter(std::uint32_t width, std::uint32_t height, std::uint32_t format,
                           std::uint32_t refreshRate) {
    FakeAdapter adapter;
    adapter.identifier.driver = "fake";
    adapter.identifier.description = "Fake adapter";
    adapter.currentMode = {width, height, refreshRate, format};
    adapter.modes.push_back(adapter.currentMode);
    return adapter;
}

FakeDirect3D::FakeDirect3D() {
    referenceCaps = ReferenceDriver().caps();
    referenceCaps.deviceType = D3DDEVTYPE_REF;
    hardwareCaps = referenceCaps;
    hardwareCaps.deviceType = D3DDEVTYPE_HAL;
    hardwareCaps.devCaps |= D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
}

void FakeDirect3D::rejectFormat(DeviceType deviceType, std::uint32_t format, std::optional<bool> windowed) {
    rejections_.push_back({deviceType, format, windowed});
}

void FakeDirect3D::failCreation(DeviceType deviceType, ResultCode code) {
    creationFailures_.push_back({deviceType, code});
}

void FakeDirect3D::failEveryCreation(ResultCode code) { creationFailures_.push_back({std::nullopt, code}); }

const FakeAdapter* FakeDirect3D::adapterAt(std::uint32_t adapter) const {
    return adapter < adapters.size() ? &adapters[adapter] : nullptr;
}

bool FakeDirect3D::typeAvailable(DeviceType deviceType) const {
    return deviceType == D3DDEVTYPE_REF || (deviceType == D3DDEVTYPE_HAL && hardwareAvailable);
}

std::uint32_t FakeDirect3D::GetAdapterCount() {
    calls.push_back("GetAdapterCount");
    return static_cast<std::uint32_t>(adapters.size());
}

ResultCode FakeDirect3D::GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags,
                                              AdapterIdentifier& identifier) {
    calls.push_back(joined("GetAdapterIdentifier", {adapter, flags}));
    const auto* fake = adapterAt(adapter);
    if (!fake) return D3DERR_INVALIDCALL;
    identifier = fake->identifier;
    return D3D_OK;
}

std::uint32_t FakeDirect3D::GetAdapterModeCount(std::uint32_t adapter) {
    calls.push_back(joined("GetAdapterModeCount", {adapter}));
    const auto* fake = adapterAt(adapter);
    return fake ? static_cast<std::uint32_t>(fake->modes.size()) : 0;
}

ResultCode FakeDirect3D::EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode,
                                          DisplayMode& displayMode) {
    calls.push_back(joined("EnumAdapterModes", {adapter, mode}));
    const auto* fake = adapterAt(adapter);
    if (!fake || mode >= fake->modes.size()) return D3DERR_INVALIDCALL;
    displayMode = fake->modes[mode];
    return D3D_OK;
}

ResultCode FakeDirect3D::GetAdapterDisplayMode(std::uint32_t adapter, DisplayMode& displayMode) {
    calls.push_back(joined("GetAdapterDisplayMode", {adapter}));
    const auto* fake = adapterAt(adapter);
    if (!fake) return D3DERR_INVALIDCALL;
    displayMode = fake->currentMode;
    return D3D_OK;
}

ResultCode FakeDirect3D::CheckDeviceType(std::uint32_t adapter, DeviceType deviceType,
                                         std::uint32_t displayFormat, std::uint32_t backBufferFormat,
                                         bool windowed) {
    calls.push_back(joined("CheckDeviceType", {adapter, deviceType, displayFormat, backBufferFormat}) +
                    (windowed ? " windowed" : " fullscreen"));
    if (!adapterAt(adapter)) return D3DERR_INVALIDCALL;
    if (!typeAvailable(deviceType)) return D3DERR_NOTAVAILABLE;
    const bool rejected = std::any_of(rejections_.begin(), rejections_.end(), [&](const Rejection& r) {
        return r.deviceType == deviceType && (r.format == displayFormat || r.format == backBufferFormat) &&
               (!r.windowed || *r.windowed == windowed);
    });
    return rejected ? D3DERR_NOTAVAILABLE : D3D_OK;
}

ResultCode FakeDirect3D::GetDeviceCaps(std::uint32_t adapter, DeviceType deviceType, DeviceCaps& caps) {
    calls.push_back(joined("GetDeviceCaps", {adapter, deviceType}));
    if (!adapterAt(adapter)) return D3DERR_INVALIDCALL;
    if (!typeAvailable(deviceType)) return D3DERR_NOTAVAILABLE;
    caps = deviceType == D3DDEVTYPE_HAL ? hardwareCaps : referenceCaps;
    caps.adapterOrdinal = adapter;
    return D3D_OK;
}

ResultCode FakeDirect3D::CreateDevice(std::uint32_t adapter, DeviceType deviceType, DeviceWindow* focusWindow,
                                      std::uint32_t behaviourFlags, const PresentParameters& parameters,
                                      std::shared_ptr<IDirect3DDevice8>& device) {
    calls.push_back(joined("CreateDevice", {adapter, deviceType}) +
                    " flags=" + std::to_string(behaviourFlags));
    device.reset();
    DeviceCreationCall call{adapter, deviceType, focusWindow, behaviourFlags, parameters, D3D_OK};

    const auto failure =
        std::find_if(creationFailures_.begin(), creationFailures_.end(),
                     [&](const CreationFailure& f) { return !f.deviceType || *f.deviceType == deviceType; });
    DeviceCaps caps;
    if (!adapterAt(adapter)) {
        call.result = D3DERR_INVALIDCALL;
    } else if (!typeAvailable(deviceType)) {
        call.result = D3DERR_NOTAVAILABLE;
    } else if (failure != creationFailures_.end()) {
        call.result = failure->code;
    } else {
        caps = deviceType == D3DDEVTYPE_HAL ? hardwareCaps : referenceCaps;
        caps.adapterOrdinal = adapter;
        try {
            auto created = std::make_shared<ReferenceDevice>(
                DeviceCreation{adapter, deviceType, focusWindow, behaviourFlags, parameters, caps}, 1);
            devices.push_back(created);
            device = created;
        } catch (const PlatformError& error) {
            call.result = error.code();
        }
    }
    creations.push_back(call);
    return call.result;
}

FakeDeviceWindow::FakeDeviceWindow(int width, int height)
    : client{0, 0, width, height}, frame{100, 100, 100 + width + 8, 100 + height + 30} {}

void FakeDeviceWindow::present(const PictureRows& picture) {
    lastPicture = gatherPicture(picture);
    ++presentCount;
}

} // namespace bw::fake
