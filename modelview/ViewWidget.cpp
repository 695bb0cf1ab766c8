#include "modelview/ViewWidget.h"

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

namespace {

// Each run is drawn where it lies, as the device hands it over: no copy of the picture is
// kept beside the window's own.
void drawRuns(QWidget& widget, const PictureRows& picture) {
    QPainter painter(&widget);
    picture.forEachRun([&](int top, int rowCount, const std::uint32_t* pixels) {
        const QImage run(reinterpret_cast<const uchar*>(pixels), picture.width(), rowCount,
                         static_cast<qsizetype>(picture.width()) * 4, QImage::Format_RGB32);
        painter.drawImage(QPoint(0, top), run);
    });
}

} // namespace

void ViewWidget::present(const PictureRows& picture) {
    if (picture.width() <= 0 || picture.height() <= 0) return;
    if (painting_) {
        drawRuns(*this, picture);
        presentedWhilePainting_ = true;
        return;
    }
    // A picture presented by a command is shown now, while its rows can be taken, by painting
    // without drawing it again. A hidden view draws afresh when it is shown.
    presented_ = &picture;
    repaint();
    presented_ = nullptr;
}

void ViewWidget::paintEvent(QPaintEvent*) {
    if (presented_) {
        drawRuns(*this, *presented_);
        return;
    }
    painting_ = true;
    presentedWhilePainting_ = false;
    if (onPaint) onPaint();
    painting_ = false;
    if (!presentedWhilePainting_) QPainter(this).fillRect(rect(), Qt::black);
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
