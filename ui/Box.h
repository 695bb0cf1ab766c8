#pragma once
// A widget that is only a box of some look: a bar, a panel's background.

#include <QWidget>

#include "ui/Look.h"

namespace bw::ui {

class Box : public QWidget {
public:
    explicit Box(QWidget* parent, BoxLook look = {});

    void setLook(const BoxLook& look);
    const BoxLook& look() const { return look_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoxLook look_;
};

} // namespace bw::ui
