#pragma once
// Draws an SVG file into a transparent image of a given size: the one way the program turns
// its SVG pictures into pixels, whether at start-up or when the build renders them ahead.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace bw::ui {

// Draws the SVG at path into target; nothing when the file is no valid SVG.
void renderSvg(QPainter& painter, const QString& path, const QRectF& target);
// The SVG at path drawn over the whole of a transparent image of size, antialiased.
QImage renderSvgImage(const QString& path, QSize size);

} // namespace bw::ui
