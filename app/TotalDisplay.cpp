#include "app/TotalDisplay.h"

#include <QLabel>

#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "catalogue/PartsList.h"

namespace bw::app {
namespace {

// "Total 12.50" names itself; screen readers read the name, not the text.
void show(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleName(text.isEmpty() ? QStringLiteral("Total") : text);
}

} // namespace

catalogue::NumberFormat numberFormatOf(const QLocale& locale) {
    const bool grouped = !(locale.numberOptions() & QLocale::OmitGroupSeparator);
    return {locale.decimalPoint().toStdString(),
            grouped ? locale.groupSeparator().toStdString() : std::string(),
            locale.negativeSign().toStdString()};
}

TotalDisplay::TotalDisplay(const assembly::DesignState& state, QLabel& label, assembly::InventoryTree& tree,
                           QObject* owner)
    : QObject(owner), state_(state), label_(label), tree_(tree) {
    refresh();
}

void TotalDisplay::refresh() {
    const catalogue::NumberFormat format = numberFormatOf(QLocale());
    const catalogue::SystemStore& store = state_.store;
    if (!store.isValidSystem(store.currentSystem())) {
        show(label_, QString());
        tree_.setRootNote(QString());
        return;
    }
    const catalogue::PartsList parts = catalogue::partsListOf(store, store.currentSystem(), format);
    show(label_, QString::fromStdString(catalogue::totalLabel(parts.total, format)));
    tree_.setRootNote(QString::fromStdString(catalogue::formatTotal(parts.total, format)));
}

} // namespace bw::app
