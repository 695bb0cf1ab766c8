#pragma once
// The details editor: part name, manufacturer, model and cost of the part that the part
// code selects in the current system. What is typed is stored on Enter, when a box loses
// the focus and when the Cost box is clicked, as a step that can be undone.

#include "ui/Panel.h"

class QLabel;
class QLineEdit;

namespace bw::assembly {
class PartEdits;
struct DesignState;
} // namespace bw::assembly

namespace bw::app {

class DetailsPanel : public ui::Panel {
    Q_OBJECT
public:
    DetailsPanel(assembly::DesignState& state, QWidget* parent);

    // Where stored details go; nothing is stored before this is set.
    void setEdits(assembly::PartEdits* edits) { edits_ = edits; }

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
    assembly::PartEdits* edits_ = nullptr;
    QLabel* lblpart_;
    QLineEdit* txtmanuf_;
    QLineEdit* txtModel_;
    QLineEdit* txtCost_;
};

} // namespace bw::app
