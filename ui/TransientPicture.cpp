#include "ui/TransientPicture.h"

#include <QPainter>
#include <utility>

#include "ui/PictureLibrary.h"

namespace bw::ui {

TransientPicture::TransientPicture(QString name, QWidget* parent) : QLabel(parent), name_(std::move(name)) {}

void TransientPicture::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, ui::picture(name_, size()));
}

} // namespace bw::ui
