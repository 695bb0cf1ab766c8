#pragma once
// Puts the main window's controls where the layout tables say, at a display density, and
// keeps the panels that float over the 3D view in step with it.

#include <cstdint>

class QWidget;

namespace bw::app {

struct MainWindowControls;

class MainWindowPlacement {
public:
    MainWindowPlacement(QWidget& window, const MainWindowControls& controls)
        : window_(window), controls_(controls) {}

    // The design-time layout, picture sizes included.
    void applyDesignTime(double dpi);
    // The compact layout for large fonts, on top of the design-time one, when the screen
    // is dense enough to need it (see DisplayDensity.h). It is laid out in logical pixels,
    // at the logical density, so that Qt's scaling brings it to its size on the device.
    void checkDisplayDensity(double logicalDpiX, double devicePixelRatio = 1.0);
    // 1 for normal density, 0 once the compact layout is applied.
    std::int16_t largeFontFlag() const { return largeFontFlag_; }

private:
    void applyCompact(double dpi);
    void placeViewOverlays();

    QWidget& window_;
    const MainWindowControls& controls_;
    std::int16_t largeFontFlag_ = 1;
};

} // namespace bw::app
