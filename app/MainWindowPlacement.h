#pragma once
// Puts the main window's controls where the layout tables say, at a display density, and
// keeps the panels that float over the 3D view in step with it.

class QWidget;

namespace bw::app {

struct MainWindowControls;

class MainWindowPlacement {
public:
    MainWindowPlacement(QWidget& window, const MainWindowControls& controls)
        : window_(window), controls_(controls) {}

    // The design-time layout, picture sizes included.
    void applyDesignTime(double dpi);
    // The compact layout for large fonts, on top of the design-time one.
    void applyCompact(double dpi);

private:
    void placeViewOverlays();

    QWidget& window_;
    const MainWindowControls& controls_;
};

} // namespace bw::app
