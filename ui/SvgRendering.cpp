#include "ui/SvgRendering.h"

#include <QPainter>
#include <QSvgRenderer>

namespace bw::ui {

void renderSvg(QPainter& painter, const QString& path, const QRectF& target) {
    QSvgRenderer renderer(path);
    if (renderer.isValid()) renderer.render(&painter, target);
}

QImage renderSvgImage(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderSvg(painter, path, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace bw::ui
