#pragma once
// Walks the design through its stages: "Next Stage" opens the dialog of the next stage,
// whose OK shows that stage's palette; "Back" steps the stage counter down again.

#include <cstdint>
#include <functional>
#include <map>
#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

namespace bw::assembly {

class DesignDialog;
class EnclosureCommands;
class FinishedDialog;
class StageDialog;
struct DesignState;

inline constexpr std::int16_t kNoEnclosureStage = 89;
inline constexpr std::int16_t kFinishedStage = 12;

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

    // The dialog windows, created on first use; null before.
    QWidget* dialog(const QString& name) const;

private:
    void showStageDialog(int number);
    void showFinishedDialog();
    void stageDialogOk(int number);
    void designDialogOk();
    void setPanelVisible(int panel, bool visible);

    DesignState& state_;
    EnclosureCommands& enclosure_;
    std::map<int, QWidget*> panels_;
    QWidget* dialogParent_;
    std::function<void()> showInventory_;
    DesignDialog* frm1_ = nullptr;
    FinishedDialog* Frm0_ = nullptr;
    QHash<int, StageDialog*> stageDialogs_;
};

} // namespace bw::assembly
