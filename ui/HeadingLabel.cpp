#include "ui/HeadingLabel.h"

#include <QPainter>

namespace bw::ui {

HeadingLabel::HeadingLabel(const QString& text, const BoxLook& look, QWidget* parent)
    : QLabel(text, parent), look_(look) {
    makeLightBoldText(*this);
}

void HeadingLabel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        paintBox(painter, rect(), look_);
    }
    QLabel::paintEvent(event);
}

} // namespace bw::ui
