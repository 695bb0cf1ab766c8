#include "scene3d/platform/qt/ScreenAdapters.h"

#include <cmath>
#include <QGuiApplication>
#include <QScreen>

#include "scene3d/platform/device/Formats.h"

namespace bw {

AdapterDescription adapterFromScreen(const ScreenFacts& screen) {
    AdapterDescription adapter;
    adapter.identifier.driver = screen.platformName;
    adapter.identifier.description = screen.name;
    const std::string maker =
        screen.manufacturer.empty() ? screen.model : screen.manufacturer + " " + screen.model;
    if (!maker.empty() && maker != " ") adapter.identifier.description += " (" + maker + ")";

    DisplayMode mode;
    mode.width = static_cast<std::uint32_t>(std::max(screen.widthPixels, 0));
    mode.height = static_cast<std::uint32_t>(std::max(screen.heightPixels, 0));
    mode.refreshRate =
        screen.refreshRate > 0.0 ? static_cast<std::uint32_t>(std::lround(screen.refreshRate)) : 0;
    mode.format = displayFormatForDepth(screen.depth);
    adapter.currentMode = mode;
    if (mode.format != D3DFMT_UNKNOWN) adapter.modes.push_back(mode);
    return adapter;
}

std::vector<ScreenFacts> currentScreens() {
    std::vector<ScreenFacts> facts;
    if (!QGuiApplication::instance()) return facts;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QSize size = screen->geometry().size() * screen->devicePixelRatio();
        facts.push_back({QGuiApplication::platformName().toStdString(), screen->name().toStdString(),
                         screen->manufacturer().toStdString(), screen->model().toStdString(), size.width(),
                         size.height(), screen->depth(), screen->refreshRate()});
    }
    return facts;
}

std::vector<AdapterDescription> adaptersFromScreens() {
    std::vector<AdapterDescription> adapters;
    for (const ScreenFacts& screen : currentScreens())
        adapters.push_back(adapterFromScreen(screen));
    return adapters;
}

} // namespace bw
