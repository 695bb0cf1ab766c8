#pragma once
// Walks the design through its stages: "Next Stage" opens the dialog of the next stage,
// whose OK shows that stage's palette; "Back" steps the stage counter down again. What each
// does at each stage is a row of the stage table; this class opens and shows what it names.

#include <cstdint>
#include <functional>
#include <map>
#include <QHash>
#include <QObject>
#include <QPointer>

#include "assembly/DesignStage.h"
#include "assembly/StageStepTable.h"

class QWidget;

namespace bw::assembly {

class DesignDialog;
class EnclosureCommands;
class FinishedDialog;
class StageDialog;
struct DesignState;

class StageWizard : public QObject {
    Q_OBJECT
public:
    // `panels` are the palette panels by their index in the Picture3 array.
    StageWizard(DesignState& state, EnclosureCommands& enclosure, std::map<int, QWidget*> panels,
                QWidget* dialogParent);

    // Shows the inventory (for the finishing dialog).
    void setShowInventory(std::function<void()> show) { showInventory_ = std::move(show); }

    void Picture8_Click(); // Next Stage
    void Picture9_Click(); // Back
    // Hides every stage panel, then shows the current stage's.
    void stages();
    // Shows the Design dialog modally.
    void showDesignDialog();
    // Hides every stage, design and finishing dialog, as when another design takes over.
    void closeDialogs();

    // The dialog windows, created on first use; null before.
    QWidget* dialog(const QString& name) const;

signals:
    // Next, Back or a dialog's button moved the design to another stage.
    void stageChanged(DesignStage stage);

private:
    // Does what the stage table says `command` does at `stage`.
    void run(StageCommand command, DesignStage stage);
    void showStageDialog(DesignStage stage);
    void showFinishedDialog();
    void stageDialogOk(DesignStage stage);
    void designDialogOk();
    void setPanelVisible(int panel, bool visible);
    void reportChange(DesignStage before);

    DesignState& state_;
    EnclosureCommands& enclosure_;
    std::map<int, QWidget*> panels_;
    QWidget* dialogParent_;
    std::function<void()> showInventory_;
    DesignDialog* frm1_ = nullptr;
    FinishedDialog* Frm0_ = nullptr;
    QHash<int, StageDialog*> stageDialogs_; // by the number in their name
};

} // namespace bw::assembly
