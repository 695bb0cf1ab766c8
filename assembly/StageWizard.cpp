#include "assembly/StageWizard.h"

#include <QWidget>

#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/PaletteTable.h"
#include "assembly/WizardDialogs.h"

namespace bw::assembly {
namespace {

constexpr int kLaptopPanel = 8;
constexpr int kLaptopStage = 11;

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

void StageWizard::stages() {
    for (int panel : kStagePanels)
        setPanelVisible(panel, false);
    const int stage = state_.designStage;
    if (stage >= 1 && stage <= 10) {
        setPanelVisible(kStagePanels[stage - 1], true);
    } else if (stage == kLaptopStage) {
        if (state_.enclosureType == catalogue::enclosure::Laptop) setPanelVisible(kLaptopPanel, true);
        if (state_.enclosureType == catalogue::enclosure::Tower) showFinishedDialog();
    }
}

void StageWizard::Picture8_Click() {
    const int stage = state_.designStage;
    if (stage == kNoEnclosureStage) {
        showDesignDialog();
    } else if (stage >= 0 && stage <= 9) {
        showStageDialog(stage + 2);
    } else if (stage == 10) {
        if (state_.enclosureType == catalogue::enclosure::Laptop) showStageDialog(12);
        if (state_.enclosureType == catalogue::enclosure::Tower) {
            state_.designStage = kFinishedStage;
            showFinishedDialog();
        }
    } else if (stage == kFinishedStage) {
        showFinishedDialog();
    }
}

void StageWizard::Picture9_Click() {
    const int stage = state_.designStage;
    if (stage == kNoEnclosureStage) {
        showDesignDialog();
        return;
    }
    if (stage == 0) {
        state_.designStage = 1;
        return;
    }
    stages();
    state_.designStage = static_cast<std::int16_t>(stage - 1);
}

void StageWizard::showDesignDialog() {
    if (!frm1_) {
        frm1_ = new DesignDialog(dialogParent_);
        connect(frm1_, &DesignDialog::okPressed, this, &StageWizard::designDialogOk);
        connect(frm1_, &DesignDialog::cancelPressed, this, [this] {
            state_.designStage = kNoEnclosureStage;
            frm1_->hide();
        });
    }
    raise(frm1_);
}

void StageWizard::designDialogOk() {
    state_.designStage = 0;
    if (frm1_->towerChosen())
        enclosure_.tower();
    else
        enclosure_.laptop();
    frm1_->hide();
}

void StageWizard::showStageDialog(int number) {
    StageDialog*& dialog = stageDialogs_[number];
    if (!dialog) {
        dialog = new StageDialog(QStringLiteral("frm%1").arg(number), dialogParent_);
        connect(dialog, &StageDialog::okPressed, this, [this, number] { stageDialogOk(number); });
        connect(dialog, &StageDialog::cancelPressed, dialog, &QWidget::hide);
    }
    raise(dialog);
}

void StageWizard::stageDialogOk(int number) {
    if (number == 12) {
        state_.designStage = kLaptopStage;
        stages();
        state_.designStage = kFinishedStage;
    } else {
        state_.designStage = static_cast<std::int16_t>(number - 1);
        stages();
    }
    stageDialogs_.value(number)->hide();
}

void StageWizard::showFinishedDialog() {
    if (!Frm0_) {
        Frm0_ = new FinishedDialog(dialogParent_);
        connect(Frm0_, &FinishedDialog::viewInventoryPressed, this, [this] {
            if (showInventory_) showInventory_();
            setPanelVisible(kLaptopPanel, false);
            Frm0_->hide();
        });
        auto hideLaptopPanel = [this] {
            setPanelVisible(kLaptopPanel, false);
            Frm0_->hide();
        };
        connect(Frm0_, &FinishedDialog::viewMotherboardPressed, this, hideLaptopPanel);
        connect(Frm0_, &FinishedDialog::okPressed, this, hideLaptopPanel);
        connect(Frm0_, &FinishedDialog::cancelPressed, Frm0_, &QWidget::hide);
    }
    raise(Frm0_);
}

} // namespace bw::assembly
