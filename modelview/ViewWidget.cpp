#include "modelview/ViewWidget.h"

#include <cstring>
#include <QMouseEvent>
#include <QPainter>

namespace bw::modelview {

int buttonMask(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) mask |= 1;
    if (buttons & Qt::RightButton) mask |= 2;
    if (buttons & Qt::MiddleButton) mask |= 4;
    return mask;
}

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent) {
    // The device paints every pixel; Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

WindowRect ViewWidget::clientRect() const { return {0, 0, width(), height()}; }

WindowRect ViewWidget::windowRect() const {
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()};
}

void ViewWidget::present(int width, int height, const std::uint32_t* pixels) {
    if (width <= 0 || height <= 0 || pixels == nullptr) return;
    if (picture_.width() != width || picture_.height() != height)
        picture_ = QImage(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(picture_.scanLine(y), pixels + static_cast<std::size_t>(y) * width,
                    sizeof(std::uint32_t) * width);
    // A picture presented while painting is shown by that paint; one presented by a command
    // is shown by the next paint without drawing it again.
    if (!painting_) {
        fresh_ = true;
        update();
    }
}

void ViewWidget::paintEvent(QPaintEvent*) {
    painting_ = true;
    if (!fresh_ && onPaint) onPaint();
    painting_ = false;
    fresh_ = false;
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(QPoint(0, 0), picture_);
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown)
        onMouseDown(buttonMask(event->buttons() | event->button()), event->position().x(),
                    event->position().y());
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove(buttonMask(event->buttons()), event->position().x(), event->position().y());
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) onMouseUp(buttonMask(event->button()), event->position().x(), event->position().y());
}

} // namespace bw::modelview
