#pragma once
// A picture box for a large picture shown once, as the splash's: its pixels are made for
// each paint and let go after it, rather than held for as long as the box shows. Between
// paints the window's own copy of the picture is all there is.

#include <QLabel>
#include <QString>

namespace bw::ui {

class TransientPicture : public QLabel {
public:
    // `name`: a picture of the library (PictureLibrary.h), shown at the box's size.
    TransientPicture(QString name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
};

} // namespace bw::ui
