#include "assembly/StageStepTable.h"

#include "assembly/PaletteTable.h"
#include "catalogue/PartCatalogue.h"

namespace bw::assembly {
namespace {

using S = DesignStage;
using enum ForEnclosure;
using enum StageCommand;
using enum StageAction;

constexpr StageStep kSteps[] = {
    // stage, enclosure, command, action, the stage afterwards, the stage whose dialog opens
    {S::NoEnclosure, Any, Next, OpenDesignDialog, S::NoEnclosure},
    {S::EnclosureChosen, Any, Next, OpenStageDialog, S::EnclosureChosen, S::Cpu},
    {S::Cpu, Any, Next, OpenStageDialog, S::Cpu, S::Slots},
    {S::Slots, Any, Next, OpenStageDialog, S::Slots, S::Video},
    {S::Video, Any, Next, OpenStageDialog, S::Video, S::TemperatureAndInfrared},
    {S::TemperatureAndInfrared, Any, Next, OpenStageDialog, S::TemperatureAndInfrared, S::SystemComponents},
    {S::SystemComponents, Any, Next, OpenStageDialog, S::SystemComponents, S::Ports},
    {S::Ports, Any, Next, OpenStageDialog, S::Ports, S::Drives},
    {S::Drives, Any, Next, OpenStageDialog, S::Drives, S::Inputs},
    {S::Inputs, Any, Next, OpenStageDialog, S::Inputs, S::Wireless},
    {S::Wireless, Any, Next, OpenStageDialog, S::Wireless, S::OperatingSystem},
    {S::OperatingSystem, Tower, Next, OpenFinishedDialog, S::Finished},
    {S::OperatingSystem, Laptop, Next, OpenStageDialog, S::OperatingSystem, S::Laptop},
    {S::Laptop, Any, Next, Nothing, S::Laptop},
    {S::Finished, Any, Next, OpenFinishedDialog, S::Finished},

    // Back shows the stage it leaves, so the panel on show lags one click behind.
    {S::NoEnclosure, Any, Back, OpenDesignDialog, S::NoEnclosure},
    {S::EnclosureChosen, Any, Back, Nothing, S::Cpu},
    {S::Cpu, Any, Back, ShowStage, S::EnclosureChosen},
    {S::Slots, Any, Back, ShowStage, S::Cpu},
    {S::Video, Any, Back, ShowStage, S::Slots},
    {S::TemperatureAndInfrared, Any, Back, ShowStage, S::Video},
    {S::SystemComponents, Any, Back, ShowStage, S::TemperatureAndInfrared},
    {S::Ports, Any, Back, ShowStage, S::SystemComponents},
    {S::Drives, Any, Back, ShowStage, S::Ports},
    {S::Inputs, Any, Back, ShowStage, S::Drives},
    {S::Wireless, Any, Back, ShowStage, S::Inputs},
    {S::OperatingSystem, Any, Back, ShowStage, S::Wireless},
    {S::Laptop, Any, Back, ShowStage, S::OperatingSystem},
    {S::Finished, Any, Back, ShowStage, S::Laptop},

    {S::NoEnclosure, Any, Show, Nothing, S::NoEnclosure},
    {S::EnclosureChosen, Any, Show, Nothing, S::EnclosureChosen},
    {S::Cpu, Any, Show, ShowPanel, S::Cpu},
    {S::Slots, Any, Show, ShowPanel, S::Slots},
    {S::Video, Any, Show, ShowPanel, S::Video},
    {S::TemperatureAndInfrared, Any, Show, ShowPanel, S::TemperatureAndInfrared},
    {S::SystemComponents, Any, Show, ShowPanel, S::SystemComponents},
    {S::Ports, Any, Show, ShowPanel, S::Ports},
    {S::Drives, Any, Show, ShowPanel, S::Drives},
    {S::Inputs, Any, Show, ShowPanel, S::Inputs},
    {S::Wireless, Any, Show, ShowPanel, S::Wireless},
    {S::OperatingSystem, Any, Show, ShowPanel, S::OperatingSystem},
    {S::Laptop, Tower, Show, OpenFinishedDialog, S::Laptop},
    {S::Laptop, Laptop, Show, ShowPanel, S::Laptop},
    {S::Finished, Any, Show, Nothing, S::Finished},

    // OK makes the dialog's stage the current one and shows it; a laptop is then finished.
    {S::Cpu, Any, DialogOk, ShowStage, S::Cpu},
    {S::Slots, Any, DialogOk, ShowStage, S::Slots},
    {S::Video, Any, DialogOk, ShowStage, S::Video},
    {S::TemperatureAndInfrared, Any, DialogOk, ShowStage, S::TemperatureAndInfrared},
    {S::SystemComponents, Any, DialogOk, ShowStage, S::SystemComponents},
    {S::Ports, Any, DialogOk, ShowStage, S::Ports},
    {S::Drives, Any, DialogOk, ShowStage, S::Drives},
    {S::Inputs, Any, DialogOk, ShowStage, S::Inputs},
    {S::Wireless, Any, DialogOk, ShowStage, S::Wireless},
    {S::OperatingSystem, Any, DialogOk, ShowStage, S::OperatingSystem},
    {S::Laptop, Any, DialogOk, ShowStage, S::Finished},
};

bool matches(ForEnclosure rowEnclosure, std::int16_t enclosureType) {
    switch (rowEnclosure) {
    case Any:
        return true;
    case Tower:
        return enclosureType == catalogue::enclosure::Tower;
    case Laptop:
        return enclosureType == catalogue::enclosure::Laptop;
    }
    return false;
}

} // namespace

std::span<const StageStep> stageSteps() { return kSteps; }

const StageStep* findStageStep(DesignStage stage, std::int16_t enclosureType, StageCommand command) {
    for (const StageStep& step : kSteps)
        if (step.stage == stage && step.command == command && matches(step.enclosure, enclosureType))
            return &step;
    return nullptr;
}

int stagePanel(DesignStage stage) { return hasStagePanel(stage) ? kStagePanels[stageNumber(stage) - 1] : -1; }

} // namespace bw::assembly
