#include "ui/PictureLibrary.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>

#include <functional>

#include "resources/PicturePaths.h"
#include "ui/SvgRendering.h"

namespace bw::ui {
namespace {

QPixmap cached(const QString& key, QSize size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QString sizeKey(QSize size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

// The picture's pixels as the build rendered them at exactly this size, or a null image. The
// image reads the resource in place.
QImage renderedAhead(const QString& name, QSize size) {
    const QResource pixels(QStringLiteral(":/prerendered/%1-%2.argb32").arg(name, sizeKey(size)));
    const qint64 rowBytes = qint64{size.width()} * 4;
    if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() != rowBytes * size.height())
        return {};
    const QImage inPlace(pixels.data(), size.width(), size.height(), static_cast<qsizetype>(rowBytes),
                         QImage::Format_ARGB32_Premultiplied);
    // Pixels are read a word at a time: a resource not on a word boundary is copied first.
    return reinterpret_cast<quintptr>(pixels.data()) % alignof(quint32) == 0 ? inPlace : inPlace.copy();
}

} // namespace

QPixmap iconPicture(const QString& icon, QSize size) {
    return cached(QStringLiteral("icon:%1:%2").arg(icon, sizeKey(size)), size,
                  [&](QPainter& p) { renderSvg(p, resources::iconPath(icon), QRectF(QPointF(0, 0), size)); });
}

QPixmap picture(const QString& name, QSize size) {
    const QString key = QStringLiteral("picture:%1:%2").arg(name, sizeKey(size));
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    // The build renders some pictures ahead at the size they are shown at on a 96-dpi
    // screen (tools/picturegen). The pixmap shares those pixels where the resource lies
    // instead of holding a copy of its own.
    const QImage ahead = renderedAhead(name, size);
    if (ahead.isNull())
        return cached(key, size, [&](QPainter& p) {
            renderSvg(p, resources::picturePath(name), QRectF(QPointF(0, 0), size));
        });
    pixmap = QPixmap::fromImage(ahead, Qt::NoFormatConversion);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon windowIcon(const QString& name) {
    // The sizes Qt renders a scalable icon at for X11; given as pictures, they come from the
    // build's renderings instead of four SVG drawings for every window shown.
    QIcon icon;
    for (int size : {16, 32, 64, 128})
        icon.addPixmap(picture(name, QSize(size, size)));
    return icon;
}

QPixmap buttonPicture(const QString& icon, QSize size, ButtonLook look) {
    const bool lit = look == ButtonLook::Highlighted;
    const QString key = QStringLiteral("button:%1:%2:%3").arg(icon, sizeKey(size)).arg(lit);
    return cached(key, size, [&](QPainter& p) {
        const QRectF tile = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
        const qreal radius = size.width() / 6.0;
        QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
        fill.setColorAt(0, lit ? QColor(0xe3, 0xf2, 0xfd) : QColor(0xfa, 0xfa, 0xfa));
        fill.setColorAt(1, lit ? QColor(0x90, 0xca, 0xf9) : QColor(0xcf, 0xd8, 0xdc));
        p.setPen(QPen(lit ? QColor(0x1e, 0x88, 0xe5) : QColor(0x90, 0xa4, 0xae), lit ? 2 : 1));
        p.setBrush(fill);
        p.drawRoundedRect(tile, radius, radius);
        const qreal inset = size.width() * 0.12;
        renderSvg(p, resources::iconPath(icon), tile.adjusted(inset, inset, -inset, -inset));
    });
}

} // namespace bw::ui
