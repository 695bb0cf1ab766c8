#include "scene3d/init/D3DInit.h"

#include <exception>
#include <utility>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/device/Formats.h"

namespace bw {

namespace {

// Modes smaller than this are not worth offering.
constexpr std::uint32_t minimumModeWidth = 640;
constexpr std::uint32_t minimumModeHeight = 400;

constexpr std::int32_t softwareProcessing = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
constexpr std::int32_t hardwareProcessing = D3DCREATE_HARDWARE_VERTEXPROCESSING;
constexpr std::int32_t notUsable = -1;

void require(ResultCode result, const char* what) {
    if (failed(result)) throw PlatformError(result, what);
}

[[noreturn]] void refuse(const char* what) { throw PlatformError(D3DERR_INVALIDCALL, what); }

// The parameters every creation shares: one depth buffer of 16 bits.
void setDepthBuffer(PresentParameters& parameters) {
    parameters.enableAutoDepthStencil = 1;
    parameters.autoDepthStencilFormat = D3DFMT_D16;
}

} // namespace

D3DInit::D3DInit(UserNotifier& notifier, Direct3DCreateFunction createDirect3D)
    : notifier_(notifier), createDirect3D_(std::move(createDirect3D)) {}

void D3DInit::setWorldMatrixReset(std::function<void()> reset) { worldMatrixReset_ = std::move(reset); }

IDirect3D8& D3DInit::ensureDirect3D() {
    if (!direct3D_ && createDirect3D_) direct3D_ = createDirect3D_();
    return existingDirect3D();
}

IDirect3D8& D3DInit::existingDirect3D() const {
    if (!direct3D_) refuse("no Direct3D object");
    return *direct3D_;
}

AdapterRecord& D3DInit::adapterRecord(std::uint32_t adapter) {
    if (adapter >= adapters_.size()) refuse("the adapter was not enumerated");
    return adapters_[adapter];
}

DeviceTypeLists& D3DInit::listsOf(AdapterRecord& record, DeviceType deviceType) {
    auto* lists = record.listsFor(deviceType);
    if (!lists) refuse("neither the hardware nor the reference device");
    return *lists;
}

bool D3DInit::TryCreateDevice(std::uint32_t adapter, DeviceWindow* window) {
    try {
        IDirect3D8& direct3D = ensureDirect3D();
        currentAdapter_ = adapter;
        currentDeviceType_ = D3DDEVTYPE_HAL;
        behaviourFlags_ = softwareProcessing;
        focusWindow_ = window;

        DisplayMode desktop;
        require(direct3D.GetAdapterDisplayMode(adapter, desktop), "no display mode");
        presentParameters_ = windowedPresentParameters(desktop.format);
        presentParameters_.backBufferCount = 0; // the trial leaves the count to the platform

        require(createSharedDevice(), "no trial device");
        require(device_->GetDeviceCaps(deviceCaps_), "no device capabilities");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool D3DInit::InitDevice(DeviceWindow* window, bool windowed, std::uint32_t adapter, std::uint32_t mode,
                         DeviceType deviceType, std::shared_ptr<DeviceVerifier> verifier) {
    try {
        auto fresh = createDirect3D_ ? createDirect3D_() : nullptr;
        if (!fresh) return false;
        direct3D_ = std::move(fresh);
    } catch (const std::exception&) {
        return false;
    }
    // A partial enumeration still leaves records to create the device with.
    EnumerateAdapters(std::move(verifier));
    return windowed ? CreateWindowedDevice(window, adapter, deviceType, true)
                    : CreateFullscreenDevice(window, adapter, mode, deviceType, true);
}

bool D3DInit::EnumerateAdapters(std::shared_ptr<DeviceVerifier> verifier) {
    verifier_.reset();
    adapters_.clear();
    adapterCount_ = 0;
    try {
        IDirect3D8& direct3D = ensureDirect3D();
        verifier_ = std::move(verifier);
        adapterCount_ = direct3D.GetAdapterCount();
        adapters_.assign(adapterCount_, AdapterRecord{});
        for (std::uint32_t adapter = 0; adapter < adapterCount_; ++adapter) {
            buildFormatList(adapter, D3DDEVTYPE_HAL);
            buildFormatList(adapter, D3DDEVTYPE_REF);
            buildModeList(adapter, D3DDEVTYPE_HAL);
            buildModeList(adapter, D3DDEVTYPE_REF);
            require(direct3D.GetAdapterIdentifier(adapter, 0, adapters_[adapter].identifier),
                    "no adapter identifier");
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void D3DInit::buildFormatList(std::uint32_t adapter, DeviceType deviceType) {
    IDirect3D8& direct3D = existingDirect3D();
    DeviceTypeLists& lists = listsOf(adapterRecord(adapter), deviceType);
    lists.formats.clear();
    const std::uint32_t modeCount = direct3D.GetAdapterModeCount(adapter);
    for (std::uint32_t index = 0; index < modeCount; ++index) {
        DisplayMode mode;
        require(direct3D.EnumAdapterModes(adapter, index, mode), "no display mode");
        if (lists.findFormat(mode.format) != notUsable) continue;
        FormatEntry entry{mode.format, 0, false, false};
        entry.behaviourFlags =
            checkFormat(adapter, deviceType, mode.format, entry.fullscreenCapable, entry.windowedCapable);
        if (entry.behaviourFlags != notUsable) lists.formats.push_back(entry);
    }
}

void D3DInit::buildModeList(std::uint32_t adapter, DeviceType deviceType) {
    IDirect3D8& direct3D = existingDirect3D();
    AdapterRecord& record = adapterRecord(adapter);
    DeviceTypeLists& lists = listsOf(record, deviceType);
    lists.modes.clear();
    const std::uint32_t modeCount = direct3D.GetAdapterModeCount(adapter);
    require(direct3D.GetAdapterDisplayMode(adapter, record.desktopMode), "no desktop mode");
    for (std::uint32_t index = 0; index < modeCount; ++index) {
        DisplayMode mode;
        require(direct3D.EnumAdapterModes(adapter, index, mode), "no display mode");
        // Refresh rates are not told apart: one entry per size and format.
        const ModeEntry entry{mode.width, mode.height, mode.format};
        if (entry.width >= minimumModeWidth && entry.height >= minimumModeHeight &&
            lists.findMode(entry) == notUsable && lists.findFormat(entry.format) != notUsable)
            lists.modes.push_back(entry);
    }
}

std::int32_t D3DInit::CheckFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format,
                                  bool& fullscreenCapable, bool& windowedCapable) {
    fullscreenCapable = false;
    windowedCapable = false;
    try {
        return checkFormat(adapter, deviceType, format, fullscreenCapable, windowedCapable);
    } catch (const std::exception&) {
        return notUsable;
    }
}

std::int32_t D3DInit::checkFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format,
                                  bool& fullscreenCapable, bool& windowedCapable) {
    IDirect3D8& direct3D = existingDirect3D();
    fullscreenCapable = succeeded(direct3D.CheckDeviceType(adapter, deviceType, format, format, false));
    windowedCapable = succeeded(direct3D.CheckDeviceType(adapter, deviceType, format, format, true));
    // The verifier may refine a format the device accepts, never revive one it refuses.
    if (!fullscreenCapable && !windowedCapable) return notUsable;

    DeviceCaps caps;
    require(direct3D.GetDeviceCaps(adapter, deviceType, caps), "no device capabilities");
    if (adapter < adapters_.size()) adapters_[adapter].caps = caps;
    deviceCaps_ = caps;
    if (!verifier_) return softwareProcessing;

    if ((caps.devCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) &&
        verifier_->VerifyDevice(hardwareProcessing, format))
        return hardwareProcessing;
    return verifier_->VerifyDevice(softwareProcessing, format) ? softwareProcessing : notUsable;
}

std::int32_t D3DInit::FindFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format) const {
    if (adapter >= adapters_.size()) return notUsable;
    const auto* lists = adapters_[adapter].listsFor(deviceType);
    return lists ? lists->findFormat(format) : notUsable;
}

std::int32_t D3DInit::FindMode(std::uint32_t adapter, DeviceType deviceType, const ModeEntry& mode) const {
    if (adapter >= adapters_.size()) return notUsable;
    const auto* lists = adapters_[adapter].listsFor(deviceType);
    return lists ? lists->findMode(mode) : notUsable;
}

void D3DInit::prepareCreation(DeviceWindow& window, std::uint32_t adapter) {
    currentAdapter_ = adapter;
    presentParameters_.backBufferCount = 1;
    setDepthBuffer(presentParameters_);
    presentParameters_.deviceWindow = &window;
    focusWindow_ = &window;
}

void D3DInit::saveWindowLayout(const DeviceWindow& window) {
    const WindowRect client = window.clientRect();
    viewSize_ = {client.width(), client.height()};
    savedWindowRect_ = window.windowRect();
}

bool D3DInit::CreateWindowedDevice(DeviceWindow* window, std::uint32_t adapter, DeviceType deviceType,
                                   bool allowFallback) {
    try {
        IDirect3D8& direct3D = existingDirect3D();
        AdapterRecord& record = adapterRecord(adapter);
        listsOf(record, deviceType);
        if (!window) refuse("no window");

        prepareCreation(*window, adapter);
        saveWindowLayout(*window);

        DisplayMode desktop;
        require(direct3D.GetAdapterDisplayMode(adapter, desktop), "no display mode");
        const std::int32_t listedFlags = FindFormat(adapter, deviceType, desktop.format);
        behaviourFlags_ = listedFlags < 1 ? softwareProcessing : static_cast<std::uint32_t>(listedFlags);
        presentParameters_ = windowedPresentParameters(desktop.format, window);

        record.windowed = true;
        record.deviceType = deviceType;
        currentDeviceType_ = deviceType;
        return createWithFallback(record, allowFallback);
    } catch (const std::exception&) {
        return false;
    }
}

bool D3DInit::CreateFullscreenDevice(DeviceWindow* window, std::uint32_t adapter, std::uint32_t mode,
                                     DeviceType deviceType, bool allowFallback) {
    try {
        existingDirect3D();
        AdapterRecord& record = adapterRecord(adapter);
        DeviceTypeLists& lists = listsOf(record, deviceType);
        if (!window) refuse("no window");
        if (mode >= lists.modes.size()) refuse("the mode is not in the adapter's list");

        // Only a windowed layout is worth restoring when leaving full-screen later.
        const bool comingFromWindowed = presentParameters_.windowed != 0;
        prepareCreation(*window, adapter);
        if (comingFromWindowed) saveWindowLayout(*window);

        const ModeEntry& entry = lists.modes[mode];
        behaviourFlags_ = softwareProcessing;
        presentParameters_.backBufferWidth = entry.width;
        presentParameters_.backBufferHeight = entry.height;
        presentParameters_.backBufferFormat = entry.format;
        presentParameters_.windowed = 0;
        presentParameters_.swapEffect = D3DSWAPEFFECT_FLIP;

        lists.currentMode = mode;
        record.windowed = false;
        record.deviceType = deviceType;
        currentDeviceType_ = deviceType;
        return createWithFallback(record, allowFallback);
    } catch (const std::exception&) {
        return false;
    }
}

bool D3DInit::createWithFallback(AdapterRecord& record, bool allowFallback) {
    if (succeeded(createSharedDevice())) return finishCreation(record);
    if (!allowFallback) return false;

    if (currentDeviceType_ == D3DDEVTYPE_HAL) {
        notifier_.showInformation(messageTitle, noHardwareMessage);
        record.deviceType = D3DDEVTYPE_REF;
        currentDeviceType_ = D3DDEVTYPE_REF;
        record.reference = true;
        if (succeeded(createSharedDevice())) return finishCreation(record);
    }
    notifier_.showError(messageTitle, noDeviceMessage);
    notifier_.endProgram();
    return false;
}

// The previous device stays in use until a new one exists.
ResultCode D3DInit::createSharedDevice() {
    std::shared_ptr<IDirect3DDevice8> created;
    const ResultCode result = existingDirect3D().CreateDevice(
        currentAdapter_, currentDeviceType_, focusWindow_, behaviourFlags_, presentParameters_, created);
    if (failed(result)) return result;
    if (!created) return D3DERR_NOTAVAILABLE;
    device_ = std::move(created);
    return D3D_OK;
}

bool D3DInit::finishCreation(AdapterRecord& record) {
    require(device_->GetDeviceCaps(deviceCaps_), "no device capabilities");
    if (worldMatrixReset_) worldMatrixReset_();
    record.reference = record.deviceType == D3DDEVTYPE_REF;
    return true;
}

} // namespace bw
