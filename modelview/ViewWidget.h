#pragma once
// The 3D view PicGR: the window the device renders for. It shows each presented picture at
// once and hands mouse and paint events to whoever draws the model.

#include <functional>
#include <QImage>
#include <QWidget>

#include "scene3d/platform/device/DeviceWindow.h"

namespace bw::modelview {

// Button masks as the view's handlers receive them: 1 left, 2 right, 4 middle.
int buttonMask(Qt::MouseButtons buttons);

class ViewWidget : public QWidget, public DeviceWindow {
    Q_OBJECT
public:
    explicit ViewWidget(QWidget* parent = nullptr);

    // DeviceWindow
    WindowRect clientRect() const override;
    WindowRect windowRect() const override;
    void present(const PictureRows& picture) override;

    // Asked to draw a new picture when the widget needs painting; it presents during the call.
    std::function<void()> onPaint;
    std::function<void(int buttons, double x, double y)> onMouseDown;
    std::function<void(int buttons, double x, double y)> onMouseMove;
    std::function<void(int buttons, double x, double y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const PictureRows* presented_ = nullptr; // being shown by a paint present() asked for
    bool painting_ = false;
    bool presentedWhilePainting_ = false;
};

} // namespace bw::modelview
