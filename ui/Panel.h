#pragma once
// A panel of the main window (toolbar, palettes, view panels). Mouse movement over its own
// background, not over a button on it, is reported so the window can reset hover pictures.

#include "ui/Box.h"

namespace bw::ui {

class Panel : public Box {
    Q_OBJECT
public:
    Panel(const QString& objectName, const QString& accessibleName, const BoxLook& look, QWidget* parent);

signals:
    void backgroundHovered();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace bw::ui
