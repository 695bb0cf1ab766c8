#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "assembly/DesignStage.h"
#include "assembly/PaletteTable.h"
#include "assembly/StageDialogTable.h"
#include "assembly/StageStepTable.h"
#include "catalogue/PartCatalogue.h"

using namespace bw;
using namespace bw::assembly;

namespace {

bool isDesignStage(DesignStage stage) {
    return std::find(std::begin(kDesignStages), std::end(kDesignStages), stage) != std::end(kDesignStages);
}

bool covers(ForEnclosure rowEnclosure, ForEnclosure enclosure) {
    return rowEnclosure == ForEnclosure::Any || rowEnclosure == enclosure;
}

} // namespace

// A missing row leaves a button dead at that stage, and a second row that also matches is
// never reached: the first one found wins in silence.
TEST(StageStepTable, OneRowForEveryStageEnclosureAndCommand) {
    const StageCommand commands[] = {StageCommand::Next, StageCommand::Back, StageCommand::Show,
                                     StageCommand::DialogOk};
    for (DesignStage stage : kDesignStages)
        for (ForEnclosure enclosure : {ForEnclosure::Tower, ForEnclosure::Laptop})
            for (StageCommand command : commands) {
                SCOPED_TRACE("stage " + std::to_string(stageNumber(stage)) + ", command " +
                             std::to_string(static_cast<int>(command)) + ", enclosure " +
                             std::to_string(static_cast<int>(enclosure)));
                const auto rows =
                    std::count_if(stageSteps().begin(), stageSteps().end(), [&](const StageStep& s) {
                        return s.stage == stage && s.command == command && covers(s.enclosure, enclosure);
                    });
                // Only the stages with a dialog have an OK to press.
                const bool expected = command != StageCommand::DialogOk || hasStagePanel(stage);
                EXPECT_EQ(rows, expected ? 1 : 0);
            }
}

TEST(StageStepTable, RowsNameOnlyStagesThatExist) {
    for (const StageStep& step : stageSteps()) {
        SCOPED_TRACE(stageNumber(step.stage));
        EXPECT_TRUE(isDesignStage(step.stage));
        EXPECT_TRUE(isDesignStage(step.then));
        if (step.action == StageAction::OpenStageDialog) {
            EXPECT_TRUE(hasStagePanel(step.dialog));
        }
        if (step.action == StageAction::ShowPanel) {
            EXPECT_TRUE(hasStagePanel(step.stage));
        }
        // Showing a stage is called from outside as well; it must leave the stage alone.
        if (step.command == StageCommand::Show) {
            EXPECT_EQ(step.then, step.stage);
        }
    }
}

TEST(StageStepTable, LookUpFollowsTheEnclosure) {
    using catalogue::enclosure::Laptop;
    using catalogue::enclosure::None;
    using catalogue::enclosure::Tower;
    const StageStep* tower = findStageStep(DesignStage::OperatingSystem, Tower, StageCommand::Next);
    ASSERT_NE(tower, nullptr);
    EXPECT_EQ(tower->action, StageAction::OpenFinishedDialog);
    EXPECT_EQ(tower->then, DesignStage::Finished);
    const StageStep* laptop = findStageStep(DesignStage::OperatingSystem, Laptop, StageCommand::Next);
    ASSERT_NE(laptop, nullptr);
    EXPECT_EQ(laptop->action, StageAction::OpenStageDialog);
    EXPECT_EQ(laptop->dialog, DesignStage::Laptop);
    // Without an enclosure only the rows for any enclosure apply.
    EXPECT_EQ(findStageStep(DesignStage::OperatingSystem, None, StageCommand::Next), nullptr);
    EXPECT_NE(findStageStep(DesignStage::Cpu, None, StageCommand::Next), nullptr);
    EXPECT_EQ(findStageStep(static_cast<DesignStage>(13), Tower, StageCommand::Next), nullptr);
}

// Each stage with a panel has its own panel and its own dialog, and the dialog's name leads
// back to the stage.
TEST(DesignStage, PanelsAndDialogsBelongToOneStageEach) {
    std::set<int> panels;
    std::set<std::string> dialogsWithText;
    for (const StageDialogLine& line : stageDialogLines())
        dialogsWithText.insert(std::string(line.dialog));
    int stagesWithPanels = 0;
    for (DesignStage stage : kDesignStages) {
        if (!hasStagePanel(stage)) continue;
        ++stagesWithPanels;
        SCOPED_TRACE(stageNumber(stage));
        EXPECT_TRUE(panels.insert(stagePanel(stage)).second);
        EXPECT_EQ(stageOfDialog(stageDialogNumber(stage)), stage);
        EXPECT_EQ(dialogsWithText.count("frm" + std::to_string(stageDialogNumber(stage))), 1u);
    }
    EXPECT_EQ(stagesWithPanels, 11);
    EXPECT_EQ(panels, std::set<int>(std::begin(kStagePanels), std::end(kStagePanels)));
    EXPECT_EQ(dialogsWithText.size(), 11u);
    EXPECT_EQ(stagePanel(DesignStage::Finished), -1);
}
