#include "ui/PictureLibrary.h"

#include <QPainter>
#include <QPixmapCache>
#include <QResource>

#include <functional>
#include <memory>

#include "resources/PicturePaths.h"
#include "ui/SvgRendering.h"

namespace bw::ui {
namespace {

// The pixels the build rendered for this key at exactly this size (tools/picturegen), or a
// null image. The image reads the resource in place, or owns the pixels of one stored
// compressed.
QImage renderedAhead(const QString& key, QSize size) {
    const QResource pixels(QStringLiteral(":/prerendered/%1.argb32").arg(QString(key).replace(':', '-')));
    const qint64 rowBytes = qint64{size.width()} * 4;
    if (!pixels.isValid() || pixels.uncompressedSize() != rowBytes * size.height()) return {};
    if (pixels.compressionAlgorithm() != QResource::NoCompression) {
        auto unpacked = std::make_unique<QByteArray>(pixels.uncompressedData());
        if (unpacked->size() != rowBytes * size.height()) return {};
        const auto* bits = reinterpret_cast<const uchar*>(unpacked->constData());
        return QImage(
            bits, size.width(), size.height(), static_cast<qsizetype>(rowBytes),
            QImage::Format_ARGB32_Premultiplied, [](void* bytes) { delete static_cast<QByteArray*>(bytes); },
            unpacked.release());
    }
    const QImage inPlace(pixels.data(), size.width(), size.height(), static_cast<qsizetype>(rowBytes),
                         QImage::Format_ARGB32_Premultiplied);
    // Pixels are read a word at a time: a resource not on a word boundary is copied first.
    return reinterpret_cast<quintptr>(pixels.data()) % alignof(quint32) == 0 ? inPlace : inPlace.copy();
}

// The pictures the program shows whenever it starts are rendered by the build at the size
// they are shown at on a 96-dpi screen; the pixmap then shares those pixels where the
// resource lies. Any other is drawn here, once per key.
QStringList& drawnHere() {
    static QStringList keys;
    return keys;
}

// A picture the build rendered is made from its resource whenever asked for: kept in the
// cache, one stored compressed would keep its pixels after whatever showed it has gone.
QPixmap cached(const QString& key, QSize size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    const QImage ahead = renderedAhead(key, size);
    if (!ahead.isNull()) return QPixmap::fromImage(ahead, Qt::NoFormatConversion);
    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    drawnHere() << key;
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QString sizeKey(QSize size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

} // namespace

QStringList picturesDrawnFromSvg() { return drawnHere(); }

QPixmap iconPicture(const QString& icon, QSize size) {
    return cached(QStringLiteral("icon:%1:%2").arg(icon, sizeKey(size)), size,
                  [&](QPainter& p) { renderSvg(p, resources::iconPath(icon), QRectF(QPointF(0, 0), size)); });
}

QPixmap picture(const QString& name, QSize size) {
    return cached(QStringLiteral("picture:%1:%2").arg(name, sizeKey(size)), size, [&](QPainter& p) {
        renderSvg(p, resources::picturePath(name), QRectF(QPointF(0, 0), size));
    });
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
    return cached(key, size, [&](QPainter& p) { renderButton(p, resources::iconPath(icon), size, lit); });
}

} // namespace bw::ui
