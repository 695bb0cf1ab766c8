#pragma once
// Window layouts are given in twips (1/1440 inch) so that they keep their physical size
// at any display density.

#include <QRect>
#include <QtMath>

namespace bw::ui {

inline constexpr double kTwipsPerInch = 1440.0;

inline int twipsToPixels(int twips, double dpi) { return qRound(twips * dpi / kTwipsPerInch); }

inline QRect twipsToPixels(const QRect& twips, double dpi) {
    return QRect(twipsToPixels(twips.x(), dpi), twipsToPixels(twips.y(), dpi),
                 twipsToPixels(twips.width(), dpi), twipsToPixels(twips.height(), dpi));
}

} // namespace bw::ui
