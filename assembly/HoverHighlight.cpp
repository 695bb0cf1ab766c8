#include "assembly/HoverHighlight.h"

#include "ui/PictureButton.h"

namespace bw::assembly {

void HoverHighlight::track(ui::PictureButton* button) {
    buttons_.push_back(button);
    connect(button, &ui::PictureButton::hovered, this, [this, button] { highlight(button); });
}

void HoverHighlight::highlight(ui::PictureButton* button) {
    button->setHighlighted(true);
    active_ = true;
    emit highlighted(button);
}

void HoverHighlight::reset() {
    if (!active_) return;
    for (ui::PictureButton* button : buttons_)
        button->setHighlighted(false);
    active_ = false;
}

} // namespace bw::assembly
