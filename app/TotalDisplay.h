#pragma once
// The sum of the shown system's costs, below the 3D view and at the inventory tree's root,
// read and written the way the user's locale writes numbers.

#include <QLocale>
#include <QObject>

#include "catalogue/Amount.h"

class QLabel;

namespace bw::assembly {
class InventoryTree;
struct DesignState;
} // namespace bw::assembly

namespace bw::app {

catalogue::NumberFormat numberFormatOf(const QLocale& locale);

class TotalDisplay : public QObject {
    Q_OBJECT
public:
    TotalDisplay(const assembly::DesignState& state, QLabel& label, assembly::InventoryTree& tree,
                 QObject* owner);

    // Adds the costs up again; connected to every change of the design.
    void refresh();

private:
    const assembly::DesignState& state_;
    QLabel& label_;
    assembly::InventoryTree& tree_;
};

} // namespace bw::app
