#include "ui/PictureButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/PictureLibrary.h"

namespace bw::ui {

PictureButton::PictureButton(const QString& objectName, const QString& icon, const QString& toolTip,
                             const QString& caption, QWidget* parent)
    : QWidget(parent), icon_(icon), caption_(caption) {
    setObjectName(objectName);
    setToolTip(toolTip);
    setAccessibleName(toolTip.isEmpty() ? caption : toolTip);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setPictureSize(pictureSize_);
}

int PictureButton::captionHeight() const { return caption_.isEmpty() ? 0 : fontMetrics().height(); }

void PictureButton::setPictureSize(QSize pictureSize) {
    pictureSize_ = pictureSize;
    setFixedSize(
        qMax(pictureSize.width(), caption_.isEmpty() ? 0 : fontMetrics().horizontalAdvance(caption_) + 4),
        pictureSize.height() + captionHeight());
    update();
}

void PictureButton::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    update();
}

void PictureButton::setFlat(bool flat) {
    flat_ = flat;
    update();
}

QPixmap PictureButton::currentPicture() const {
    if (!flat_)
        return buttonPicture(icon_, pictureSize_,
                             highlighted_ ? ButtonLook::Highlighted : ButtonLook::Normal);
    return iconPicture(icon_, pictureSize_);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int left = (width() - pictureSize_.width()) / 2;
    if (flat_ && highlighted_) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x1e, 0x88, 0xe5), 1.5));
        painter.setBrush(QColor(0x90, 0xca, 0xf9, 110));
        painter.drawRoundedRect(QRectF(left + 0.5, 0.5, pictureSize_.width() - 1, pictureSize_.height() - 1),
                                4, 4);
    }
    painter.drawPixmap(left, 0, currentPicture());
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, pictureSize_.height(), width(), captionHeight()), Qt::AlignCenter,
                         caption_);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}

void PictureButton::mouseMoveEvent(QMouseEvent*) { emit hovered(); }

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace bw::ui
