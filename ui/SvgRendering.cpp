#include "ui/SvgRendering.h"

#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>

namespace bw::ui {

void renderSvg(QPainter& painter, const QString& path, const QRectF& target) {
    QSvgRenderer renderer(path);
    if (renderer.isValid()) renderer.render(&painter, target);
}

void renderButton(QPainter& painter, const QString& path, QSize size, bool lit) {
    const QRectF tile = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    const qreal radius = size.width() / 6.0;
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, lit ? QColor(0xe3, 0xf2, 0xfd) : QColor(0xfa, 0xfa, 0xfa));
    fill.setColorAt(1, lit ? QColor(0x90, 0xca, 0xf9) : QColor(0xcf, 0xd8, 0xdc));
    painter.setPen(QPen(lit ? QColor(0x1e, 0x88, 0xe5) : QColor(0x90, 0xa4, 0xae), lit ? 2 : 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(tile, radius, radius);
    const qreal inset = size.width() * 0.12;
    renderSvg(painter, path, tile.adjusted(inset, inset, -inset, -inset));
}

QImage renderSvgImage(const QString& path, QSize size, bool button, bool lit) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (button)
        renderButton(painter, path, size, lit);
    else
        renderSvg(painter, path, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace bw::ui
