#include "ui/Panel.h"

#include <QPainter>
#include <QStyleOption>

namespace bw::ui {

Panel::Panel(const QString& objectName, const QString& accessibleName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setMouseTracking(true);
    setAttribute(Qt::WA_StyledBackground);
}

void Panel::mouseMoveEvent(QMouseEvent*) { emit backgroundHovered(); }

void Panel::paintEvent(QPaintEvent*) {
    // Lets style sheets give panels their background.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace bw::ui
