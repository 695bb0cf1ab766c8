#include "app/FirstStageHint.h"

#include <QLabel>

#include "ui/ValueLabel.h"

namespace bw::app {

FirstStageHint::FirstStageHint(QLabel& status, QObject* owner) : QObject(owner), status_(status) {}

QString FirstStageHint::text() { return QStringLiteral("Click Next Stage to choose the first parts"); }

void FirstStageHint::showFor(assembly::DesignStage stage) {
    if (!retired_ && isFirstStage(stage))
        ui::showValue(status_, text());
    else
        hide();
}

void FirstStageHint::stageWalked(assembly::DesignStage stage) {
    if (!isFirstStage(stage)) retired_ = true;
    showFor(stage);
}

bool FirstStageHint::isShown() const { return status_.text() == text(); }

void FirstStageHint::hide() {
    // Whatever else the label shows (a part's name from the view) stays.
    if (isShown()) ui::showValue(status_, QString());
}

} // namespace bw::app
