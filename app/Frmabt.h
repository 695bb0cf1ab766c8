#pragma once
// The About box: shown modeless by the main menu, hidden (not destroyed) by OK.

#include <QWidget>

namespace bw::app {

class Frmabt : public QWidget {
    Q_OBJECT
public:
    Frmabt();

    void Command1_Click();
};

}  // namespace bw::app
