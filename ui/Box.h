#pragma once
// A widget that is only a box of some look: a bar, a panel's background.

#include <QWidget>

#include "ui/Look.h"

namespace bw::ui {

class Box : public QWidget {
public:
    explicit Box(QWidget* parent, BoxLook look = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoxLook look_;
};

} // namespace bw::ui
