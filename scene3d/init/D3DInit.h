#pragma once
// Creates and keeps the program's Direct3D object and its one rendering device: adapter,
// format and mode enumeration, the choice of vertex processing, windowed and full-screen
// creation, and the fall back from the hardware device to the reference rasterizer.
//
// The DirectX root object and the D3DX utility object have no existence of their own on
// this platform: the Direct3D object comes from the factory the owner passes in, and the
// utility functions are plain functions of the platform layer.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene3d/init/AdapterRecord.h"
#include "scene3d/init/DeviceVerifier.h"
#include "scene3d/init/UserNotifier.h"
#include "scene3d/platform/device/DeviceWindow.h"
#include "scene3d/platform/device/Direct3D8.h"

namespace bw {

// Makes a new Direct3D object, or returns nothing when the platform has none.
using Direct3DCreateFunction = std::function<std::shared_ptr<IDirect3D8>()>;

struct ViewSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

class D3DInit {
public:
    static constexpr const char* messageTitle = "Boardwright";
    static constexpr const char* noHardwareMessage =
        "No hardware support found. Switching to reference rasterizer.";
    static constexpr const char* noDeviceMessage =
        "No suitable device was found to initialize D3D. Application will now exit.";

    explicit D3DInit(UserNotifier& notifier, Direct3DCreateFunction createDirect3D = {});

    // Run after every windowed or full-screen creation; the owner points it at the scene
    // utilities, whose shared world matrix returns to identity with a new device.
    void setWorldMatrixReset(std::function<void()> reset);

    // A hardware device on adapter for window, with software vertex processing, to learn
    // whether a device can be made at all. Fails silently.
    bool TryCreateDevice(std::uint32_t adapter, DeviceWindow* window);
    // A new Direct3D object, a fresh enumeration, then a windowed or full-screen device
    // with the fall back to the reference rasterizer. mode is used only full-screen.
    bool InitDevice(DeviceWindow* window, bool windowed, std::uint32_t adapter, std::uint32_t mode,
                    DeviceType deviceType, std::shared_ptr<DeviceVerifier> verifier);
    // Rebuilds the adapter records; verifier may be empty.
    bool EnumerateAdapters(std::shared_ptr<DeviceVerifier> verifier);

    // The behaviour flags a device of deviceType gets in format, or -1 when no device of
    // that type can use it. Updates the adapter's and the module's capability records.
    std::int32_t CheckFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format,
                             bool& fullscreenCapable, bool& windowedCapable);
    // The behaviour flags of format in the adapter's list for deviceType, or -1.
    std::int32_t FindFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format) const;
    // The index of mode in the adapter's list for deviceType, or -1.
    std::int32_t FindMode(std::uint32_t adapter, DeviceType deviceType, const ModeEntry& mode) const;

    // On failure with allowFallback, a hardware request is retried on the reference
    // rasterizer (after telling the user); if that fails too the user is told and the
    // program ends. Without allowFallback a failure just returns false.
    bool CreateWindowedDevice(DeviceWindow* window, std::uint32_t adapter, DeviceType deviceType,
                              bool allowFallback);
    // mode indexes the adapter's mode list for deviceType.
    bool CreateFullscreenDevice(DeviceWindow* window, std::uint32_t adapter, std::uint32_t mode,
                                DeviceType deviceType, bool allowFallback);

    const std::shared_ptr<IDirect3DDevice8>& device() const { return device_; }
    const std::shared_ptr<IDirect3D8>& direct3D() const { return direct3D_; }
    // The parameters of the last creation; the drawing code resets a lost device with them.
    const PresentParameters& presentParameters() const { return presentParameters_; }
    const DeviceCaps& deviceCaps() const { return deviceCaps_; }
    const std::shared_ptr<DeviceVerifier>& verifier() const { return verifier_; }

    std::uint32_t adapterCount() const { return adapterCount_; }
    const std::vector<AdapterRecord>& adapters() const { return adapters_; }
    DeviceType currentDeviceType() const { return currentDeviceType_; }
    std::uint32_t behaviourFlags() const { return behaviourFlags_; }
    DeviceWindow* focusWindow() const { return focusWindow_; }

    // Client size and window rectangle of the focus window at the last creation that
    // recorded them (windowed, or full-screen coming from windowed).
    ViewSize viewSize() const { return viewSize_; }
    WindowRect savedWindowRect() const { return savedWindowRect_; }

private:
    IDirect3D8& ensureDirect3D();
    IDirect3D8& existingDirect3D() const;
    AdapterRecord& adapterRecord(std::uint32_t adapter);
    DeviceTypeLists& listsOf(AdapterRecord& record, DeviceType deviceType);

    void buildFormatList(std::uint32_t adapter, DeviceType deviceType);
    void buildModeList(std::uint32_t adapter, DeviceType deviceType);
    std::int32_t checkFormat(std::uint32_t adapter, DeviceType deviceType, std::uint32_t format,
                             bool& fullscreenCapable, bool& windowedCapable);

    void prepareCreation(DeviceWindow& window, std::uint32_t adapter);
    void saveWindowLayout(const DeviceWindow& window);
    bool createWithFallback(AdapterRecord& record, bool allowFallback);
    ResultCode createSharedDevice();
    bool finishCreation(AdapterRecord& record);

    UserNotifier& notifier_;
    Direct3DCreateFunction createDirect3D_;
    std::function<void()> worldMatrixReset_;

    std::shared_ptr<IDirect3D8> direct3D_;
    std::shared_ptr<IDirect3DDevice8> device_;
    std::shared_ptr<DeviceVerifier> verifier_;

    std::uint32_t adapterCount_ = 0;
    std::vector<AdapterRecord> adapters_;
    std::uint32_t currentAdapter_ = 0;
    DeviceType currentDeviceType_{};
    std::uint32_t behaviourFlags_ = 0;
    DeviceWindow* focusWindow_ = nullptr;
    PresentParameters presentParameters_;
    DeviceCaps deviceCaps_;
    WindowRect savedWindowRect_;
    ViewSize viewSize_;
};

} // namespace bw
