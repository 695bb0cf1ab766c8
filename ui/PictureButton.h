#pragma once
// A picture that reacts to a click: the palette buttons, arrows and toolbar images.
// It shows either its normal or its highlighted picture; the window decides when to swap.

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace bw::ui {

class PictureButton : public QWidget {
    Q_OBJECT
public:
    // `caption` is drawn under the picture; empty for a picture-only button.
    PictureButton(const QString& objectName, const QString& icon, const QString& toolTip,
                  const QString& caption, QWidget* parent);

    // Lays the button out with a picture of `pictureSize` pixels (plus the caption line).
    void setPictureSize(QSize pictureSize);
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }
    QString caption() const { return caption_; }
    // A picture without a tile, for toolbar images and indicators.
    void setFlat(bool flat);

signals:
    void clicked();
    void hovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap currentPicture() const;
    int captionHeight() const;

    QString icon_;
    QString caption_;
    QSize pictureSize_{40, 40};
    bool highlighted_ = false;
    bool flat_ = false;
};

} // namespace bw::ui
