#pragma once
// What the wizard does at each design stage: "Next Stage", "Back", showing the stage's
// panel and OK in the stage's dialog, for a tower and for a laptop. One row per stage,
// enclosure and command.

#include <cstdint>
#include <span>

#include "assembly/DesignStage.h"

namespace bw::assembly {

enum class StageCommand : std::uint8_t {
    Next,     // the "Next Stage" button
    Back,     // the "Back" button
    Show,     // the stage's panels are hidden, then what the stage shows is shown
    DialogOk, // OK in the stage's own dialog; keyed by the dialog's stage, not the current one
};

enum class ForEnclosure : std::uint8_t { Any, Tower, Laptop };

enum class StageAction : std::uint8_t {
    Nothing,
    OpenDesignDialog,
    OpenStageDialog, // the dialog of the row's `dialog` stage
    OpenFinishedDialog,
    ShowPanel, // the panel of the row's stage
    ShowStage, // what Show does at the row's stage
};

struct StageStep {
    DesignStage stage;
    ForEnclosure enclosure;
    StageCommand command;
    StageAction action;
    DesignStage then;                              // the stage once the action is done
    DesignStage dialog = DesignStage::NoEnclosure; // OpenStageDialog only
};

std::span<const StageStep> stageSteps();

// The row for a command at a stage; null where the table has none (a stage outside it, or
// an enclosure that is neither tower nor laptop at a stage that depends on it).
const StageStep* findStageStep(DesignStage stage, std::int16_t enclosureType, StageCommand command);

// The index in the Picture3 panel array of a stage's panel; -1 for a stage without one.
int stagePanel(DesignStage stage);

} // namespace bw::assembly
