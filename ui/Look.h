#pragma once
// The program's own colours, and the boxes drawn in them. Widgets paint these themselves
// instead of taking a style sheet: with a sheet, polishing any control under the main
// window matched it against every rule, which cost about a tenth of start-up and a
// megabyte of memory.

#include <QBrush>
#include <QColor>

class QLabel;
class QPainter;
class QRect;
class QWidget;

namespace bw::ui {

// A filled box: an optional one-pixel border, optionally rounded (at the top only when
// squareBottom is set).
struct BoxLook {
    QBrush fill;
    QColor border; // none while invalid
    int radius = 0;
    bool squareBottom = false;
};

void paintBox(QPainter& painter, const QRect& rect, const BoxLook& look);

namespace look {

// The main window's background, around the view and the panels.
inline const QColor kWindow{0xdf, 0xe6, 0xea};
// Text on the dark boxes: the toolbar, headings, the inventory's title.
inline const QColor kLightText{0xec, 0xef, 0xf1};

BoxLook toolbar();
BoxLook indicatorBar();
// Panels over the 3D view: translucent.
BoxLook overlayPanel();
// The palettes of a stage, beside the view.
BoxLook stagePanel();
// The bars around the 3D view.
BoxLook viewFrame();
// The line that opens a wizard dialog.
BoxLook heading();
BoxLook inventoryTitle();

} // namespace look

void makeBold(QWidget& widget);
// Bold text in kLightText, for labels drawn on the dark boxes.
void makeLightBoldText(QLabel& label);

} // namespace bw::ui
