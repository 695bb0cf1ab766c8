#pragma once
// The state of the design that the main window owns for the whole run and lends to the
// objects that act on it.

#include <cstdint>

#include "assembly/DesignStage.h"
#include "catalogue/PartCatalogue.h"
#include "catalogue/SystemStore.h"

namespace bw::assembly {

struct DesignState {
    catalogue::SystemStore store;
    catalogue::PartCode partCode = catalogue::kNoPart; // the slot the details editor addresses
    std::int16_t enclosureType = catalogue::enclosure::None;
    DesignStage designStage = DesignStage::EnclosureChosen;
};

} // namespace bw::assembly
