#pragma once
// The stages a design walks through. The values are those the design has always counted
// with, 89 standing for "no enclosure chosen yet".

#include <cstdint>

namespace bw::assembly {

enum class DesignStage : std::int16_t {
    EnclosureChosen = 0,
    // The palette stages, in the order "Next Stage" offers them.
    Cpu = 1,
    Slots = 2,
    Video = 3,
    TemperatureAndInfrared = 4,
    SystemComponents = 5,
    Ports = 6,
    Drives = 7,
    Inputs = 8,
    Wireless = 9,
    OperatingSystem = 10,
    Laptop = 11, // a laptop's last palette; a tower skips it
    Finished = 12,
    NoEnclosure = 89,
};

// Every stage, in the order a design passes them.
inline constexpr DesignStage kDesignStages[] = {
    DesignStage::NoEnclosure,
    DesignStage::EnclosureChosen,
    DesignStage::Cpu,
    DesignStage::Slots,
    DesignStage::Video,
    DesignStage::TemperatureAndInfrared,
    DesignStage::SystemComponents,
    DesignStage::Ports,
    DesignStage::Drives,
    DesignStage::Inputs,
    DesignStage::Wireless,
    DesignStage::OperatingSystem,
    DesignStage::Laptop,
    DesignStage::Finished,
};

constexpr std::int16_t stageNumber(DesignStage stage) { return static_cast<std::int16_t>(stage); }

// The stages with a palette panel and a dialog that introduces it.
constexpr bool hasStagePanel(DesignStage stage) {
    return stage >= DesignStage::Cpu && stage <= DesignStage::Laptop;
}

// A stage's dialog is named "frm" with the stage's number plus one (frm1 is the Design dialog).
constexpr int stageDialogNumber(DesignStage stage) { return stageNumber(stage) + 1; }
constexpr DesignStage stageOfDialog(int dialogNumber) { return static_cast<DesignStage>(dialogNumber - 1); }

} // namespace bw::assembly
