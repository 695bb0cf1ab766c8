#pragma once
// Picture buttons light up under the pointer and stay lit until the pointer crosses the
// window or a panel background, where one reset puts every button back.

#include <QObject>
#include <vector>

namespace bw::ui {
class PictureButton;
}

namespace bw::assembly {

class HoverHighlight : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The button lights up when hovered and takes part in every reset.
    void track(ui::PictureButton* button);
    void highlight(ui::PictureButton* button);
    // Puts every tracked button back to its normal picture; does nothing unless one is lit.
    void reset();
    bool isActive() const { return active_; }

signals:
    void highlighted(ui::PictureButton* button);

private:
    std::vector<ui::PictureButton*> buttons_;
    bool active_ = false;
};

} // namespace bw::assembly
