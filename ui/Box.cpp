#include "ui/Box.h"

#include <QPainter>
#include <utility>

namespace bw::ui {

Box::Box(QWidget* parent, BoxLook look) : QWidget(parent), look_(std::move(look)) {}

void Box::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBox(painter, rect(), look_);
}

} // namespace bw::ui
