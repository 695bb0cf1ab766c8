#include "ui/Panel.h"

namespace bw::ui {

Panel::Panel(const QString& objectName, const QString& accessibleName, const BoxLook& look, QWidget* parent)
    : Box(parent, look) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setMouseTracking(true);
}

void Panel::mouseMoveEvent(QMouseEvent*) { emit backgroundHovered(); }

} // namespace bw::ui
