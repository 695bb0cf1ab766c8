#pragma once
// The display adapters of this machine, as the screens Qt reports.

#include <string>
#include <vector>

#include "scene3d/platform/device/Direct3D.h"

namespace bw {

// What Qt tells about one screen.
struct ScreenFacts {
    std::string platformName; // Qt's platform plug-in, e.g. "xcb"
    std::string name;
    std::string manufacturer;
    std::string model;
    int widthPixels = 0; // physical pixels
    int heightPixels = 0;
    int depth = 0; // bits per pixel
    double refreshRate = 0.0;
};

// One adapter per screen, offering the screen's current mode, the only one Qt can tell.
AdapterDescription adapterFromScreen(const ScreenFacts& screen);

// The facts of every screen of the running QGuiApplication; empty without one.
std::vector<ScreenFacts> currentScreens();

std::vector<AdapterDescription> adaptersFromScreens();

} // namespace bw
