#include "assembly/StageWizard.h"

#include <QWidget>

#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/PaletteTable.h"
#include "assembly/StageStepTable.h"
#include "assembly/WizardDialogs.h"

namespace bw::assembly {
namespace {

void raise(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

StageWizard::StageWizard(DesignState& state, EnclosureCommands& enclosure, std::map<int, QWidget*> panels,
                         QWidget* dialogParent)
    : state_(state), enclosure_(enclosure), panels_(std::move(panels)), dialogParent_(dialogParent) {}

QWidget* StageWizard::dialog(const QString& name) const {
    if (name == "frm1") return frm1_;
    if (name == "Frm0") return Frm0_;
    if (name.startsWith("frm")) return stageDialogs_.value(name.mid(3).toInt());
    return nullptr;
}

void StageWizard::setPanelVisible(int panel, bool visible) {
    if (QWidget* w = panels_.at(panel)) w->setVisible(visible);
}

void StageWizard::stages() { run(StageCommand::Show, state_.designStage); }

void StageWizard::Picture8_Click() {
    const DesignStage before = state_.designStage;
    run(StageCommand::Next, before);
    reportChange(before);
}

void StageWizard::Picture9_Click() {
    const DesignStage before = state_.designStage;
    run(StageCommand::Back, before);
    reportChange(before);
}

void StageWizard::reportChange(DesignStage before) {
    if (state_.designStage != before) emit stageChanged(state_.designStage);
}

void StageWizard::run(StageCommand command, DesignStage stage) {
    if (command == StageCommand::Show)
        for (int panel : kStagePanels)
            setPanelVisible(panel, false);
    const StageStep* step = findStageStep(stage, state_.enclosureType, command);
    if (!step) return;
    switch (step->action) {
    case StageAction::Nothing:
        break;
    case StageAction::OpenDesignDialog:
        showDesignDialog();
        break;
    case StageAction::OpenStageDialog:
        showStageDialog(step->dialog);
        break;
    case StageAction::OpenFinishedDialog:
        showFinishedDialog();
        break;
    case StageAction::ShowPanel:
        setPanelVisible(stagePanel(step->stage), true);
        break;
    case StageAction::ShowStage:
        run(StageCommand::Show, step->stage);
        break;
    }
    state_.designStage = step->then;
}

void StageWizard::showDesignDialog() {
    if (!frm1_) {
        frm1_ = new DesignDialog(dialogParent_);
        connect(frm1_, &DesignDialog::okPressed, this, &StageWizard::designDialogOk);
        connect(frm1_, &DesignDialog::cancelPressed, this, [this] {
            const DesignStage before = state_.designStage;
            state_.designStage = DesignStage::NoEnclosure;
            frm1_->hide();
            reportChange(before);
        });
    }
    raise(frm1_);
}

void StageWizard::closeDialogs() {
    if (frm1_) frm1_->hide();
    if (Frm0_) Frm0_->hide();
    for (StageDialog* dialog : std::as_const(stageDialogs_))
        if (dialog) dialog->hide();
}

void StageWizard::designDialogOk() {
    const DesignStage before = state_.designStage;
    state_.designStage = DesignStage::EnclosureChosen;
    if (frm1_->towerChosen())
        enclosure_.tower();
    else
        enclosure_.laptop();
    frm1_->hide();
    reportChange(before);
}

void StageWizard::showStageDialog(DesignStage stage) {
    const int number = stageDialogNumber(stage);
    StageDialog*& dialog = stageDialogs_[number];
    if (!dialog) {
        dialog = new StageDialog(QStringLiteral("frm%1").arg(number), dialogParent_);
        connect(dialog, &StageDialog::okPressed, this, [this, stage] { stageDialogOk(stage); });
        connect(dialog, &StageDialog::cancelPressed, dialog, &QWidget::hide);
    }
    raise(dialog);
}

void StageWizard::stageDialogOk(DesignStage stage) {
    const DesignStage before = state_.designStage;
    state_.designStage = stage;
    run(StageCommand::DialogOk, stage);
    stageDialogs_.value(stageDialogNumber(stage))->hide();
    reportChange(before);
}

void StageWizard::showFinishedDialog() {
    if (!Frm0_) {
        Frm0_ = new FinishedDialog(dialogParent_);
        const int laptopPanel = stagePanel(DesignStage::Laptop);
        connect(Frm0_, &FinishedDialog::viewInventoryPressed, this, [this, laptopPanel] {
            if (showInventory_) showInventory_();
            setPanelVisible(laptopPanel, false);
            Frm0_->hide();
        });
        auto hideLaptopPanel = [this, laptopPanel] {
            setPanelVisible(laptopPanel, false);
            Frm0_->hide();
        };
        connect(Frm0_, &FinishedDialog::viewMotherboardPressed, this, hideLaptopPanel);
        connect(Frm0_, &FinishedDialog::okPressed, this, hideLaptopPanel);
        connect(Frm0_, &FinishedDialog::cancelPressed, Frm0_, &QWidget::hide);
    }
    raise(Frm0_);
}

} // namespace bw::assembly
