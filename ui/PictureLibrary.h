#pragma once
// The program's pictures, drawn as SVG and rendered at whatever size a control needs.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace bw::ui {

enum class ButtonLook { Normal, Highlighted };

// An icon of resources/pictures/icons, transparent background.
QPixmap iconPicture(const QString& icon, QSize size);
// A larger picture of resources/pictures (splash, about, logo).
QPixmap picture(const QString& name, QSize size);
// The program's window icon: picture `name` at the sizes X11 window managers are given.
QIcon windowIcon(const QString& name);
// A palette button's picture: the icon on a tile, normal or lit.
QPixmap buttonPicture(const QString& icon, QSize size, ButtonLook look);

// The pictures drawn from their SVG so far, as "icon:<name>:<w>x<h>", "picture:..." or
// "button:<name>:<w>x<h>:<lit>", in order; those the build rendered ahead are not among them.
QStringList picturesDrawnFromSvg();

} // namespace bw::ui
