#pragma once
// A label drawn as a dark band with bold light text: the line that opens a wizard dialog,
// the inventory's title.

#include <QLabel>

#include "ui/Look.h"

namespace bw::ui {

class HeadingLabel : public QLabel {
public:
    HeadingLabel(const QString& text, const BoxLook& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoxLook look_;
};

} // namespace bw::ui
