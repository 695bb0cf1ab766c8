#pragma once
// The details editor: part name, manufacturer, model and cost of the part that the part
// code selects in the current system.

#include "ui/Panel.h"

class QLabel;
class QLineEdit;

namespace bw::assembly {
struct DesignState;
}

namespace bw::app {

class DetailsPanel : public ui::Panel {
    Q_OBJECT
public:
    DetailsPanel(assembly::DesignState& state, QWidget* parent);

    // Copies the boxes into the selected record.
    void stdetails();
    // Copies the selected record into the boxes.
    void create_find();
    // Shows a just-added part's name with empty boxes.
    void startNewPart(const QString& partName);
    // Empties manufacturer, model and cost.
    void clearBoxes();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    assembly::DesignState& state_;
    QLabel* lblpart_;
    QLineEdit* txtmanuf_;
    QLineEdit* txtModel_;
    QLineEdit* txtCost_;
};

} // namespace bw::app
