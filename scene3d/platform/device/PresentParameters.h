#pragma once
// How a device presents its pictures; the fields and their order are the platform's.

#include <cstdint>

#include "scene3d/platform/device/Formats.h"

namespace bw {

class DeviceWindow;

inline constexpr std::uint32_t D3DSWAPEFFECT_DISCARD = 1;
inline constexpr std::uint32_t D3DSWAPEFFECT_FLIP = 2;
inline constexpr std::uint32_t D3DSWAPEFFECT_COPY = 3;

struct PresentParameters {
    std::uint32_t backBufferWidth = 0;  // 0: the client width of the device window
    std::uint32_t backBufferHeight = 0; // 0: the client height of the device window
    std::uint32_t backBufferFormat = 0;
    std::uint32_t backBufferCount = 0;
    std::uint32_t multiSampleType = 0;
    std::uint32_t swapEffect = 0;
    DeviceWindow* deviceWindow = nullptr; // none: the focus window given at creation
    std::uint32_t windowed = 0;
    std::uint32_t enableAutoDepthStencil = 0;
    std::uint32_t autoDepthStencilFormat = 0;
    std::uint32_t flags = 0;
    std::uint32_t fullScreenRefreshRateInHz = 0;
    std::uint32_t fullScreenPresentationInterval = 0;

    friend bool operator==(const PresentParameters&, const PresentParameters&) = default;
};

// Windowed presentation as the program and its tests create devices: one back buffer in
// this format (D3DFMT_UNKNOWN: the desktop's), discarded at each present, with a 16-bit
// depth buffer; width and height 0 take the window's client area.
inline PresentParameters windowedPresentParameters(std::uint32_t backBufferFormat,
                                                   DeviceWindow* window = nullptr, std::uint32_t width = 0,
                                                   std::uint32_t height = 0) {
    PresentParameters parameters;
    parameters.backBufferWidth = width;
    parameters.backBufferHeight = height;
    parameters.backBufferFormat = backBufferFormat;
    parameters.backBufferCount = 1;
    parameters.swapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.deviceWindow = window;
    parameters.windowed = 1;
    parameters.enableAutoDepthStencil = 1;
    parameters.autoDepthStencilFormat = D3DFMT_D16;
    return parameters;
}

} // namespace bw
