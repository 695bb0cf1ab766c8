#include "ui/Look.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace bw::ui {

void paintBox(QPainter& painter, const QRect& rect, const BoxLook& look) {
    if (look.fill.style() == Qt::NoBrush && !look.border.isValid()) return;
    if (look.radius == 0 && !look.border.isValid()) {
        painter.fillRect(rect, look.fill);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A one-pixel pen is centred on the box's outermost pixels.
    const QRectF box = look.border.isValid() ? QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5) : QRectF(rect);
    QPainterPath path;
    path.addRoundedRect(box, look.radius, look.radius);
    if (look.squareBottom) {
        QPainterPath bottom;
        bottom.addRect(box.adjusted(0, box.height() / 2, 0, 0));
        path = path.united(bottom);
    }
    painter.setPen(look.border.isValid() ? QPen(look.border, 1) : QPen(Qt::NoPen));
    painter.setBrush(look.fill);
    painter.drawPath(path);
    painter.restore();
}

namespace look {

BoxLook toolbar() {
    QLinearGradient shade(0, 0, 0, 1);
    shade.setCoordinateMode(QGradient::ObjectBoundingMode);
    shade.setColorAt(0, QColor(0x37, 0x47, 0x4f));
    shade.setColorAt(1, QColor(0x26, 0x32, 0x38));
    return {QBrush(shade), {}, 0, false};
}

BoxLook indicatorBar() { return {QColor(0xcf, 0xd8, 0xdc), {}, 4, false}; }

// All but opaque: the model shows through faintly.
BoxLook overlayPanel() { return {QColor(0xec, 0xef, 0xf1, 249), QColor(0x90, 0xa4, 0xae), 6, false}; }

BoxLook stagePanel() { return {QColor(0xec, 0xef, 0xf1), QColor(0xb0, 0xbe, 0xc5), 6, false}; }

BoxLook viewFrame() { return {QColor(0x00, 0x89, 0x7b), {}, 0, false}; }

BoxLook heading() { return {QColor(0x37, 0x47, 0x4f), {}, 4, false}; }

BoxLook inventoryTitle() { return {QColor(0x37, 0x47, 0x4f), {}, 4, true}; }

} // namespace look

void makeBold(QWidget& widget) {
    QFont font = widget.font();
    font.setBold(true);
    widget.setFont(font);
}

void makeLightBoldText(QLabel& label) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, look::kLightText);
    label.setPalette(palette);
    makeBold(label);
}

} // namespace bw::ui
