#pragma once
// Draws the program's SVG pictures into pixels: the one way it does so, whether at start-up
// or when the build renders them ahead (tools/picturegen), so that both give the same pixels.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace bw::ui {

// Draws the SVG at path into target; nothing when the file is no valid SVG.
void renderSvg(QPainter& painter, const QString& path, const QRectF& target);
// A palette button's picture, drawn over the whole of size: the SVG at path on a rounded
// tile, normal or lit.
void renderButton(QPainter& painter, const QString& path, QSize size, bool lit);
// The SVG at path drawn over the whole of a transparent image of size, antialiased; as a
// button's picture when button.
QImage renderSvgImage(const QString& path, QSize size, bool button = false, bool lit = false);

} // namespace bw::ui
