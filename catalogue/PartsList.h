#pragma once
// One system's present parts as a table, in catalogue order, with the total of their costs:
// what the exports write and the window shows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CostTotal.h"
#include "catalogue/SystemStore.h"

namespace bw::catalogue {

// The category of the slots that are shown only in the model (screen, power supply unit).
inline constexpr std::string_view kOtherCategory = "Other";

struct PartsListRow {
    PartCode code = 0;
    std::string category;
    std::string part; // the part name; the slot's own name where the name is blank
    std::string manufacturer;
    std::string model;
    std::string cost;            // as typed; empty when never typed
    std::optional<Cost> reading; // nothing when the cost does not read as a number
};

struct PartsList {
    std::vector<PartsListRow> rows;
    CostTotal total;
    NumberFormat format; // the locale the costs were read in, for writing the total
};

// Empty when the system does not exist.
PartsList partsListOf(const SystemStore& store, int system, const NumberFormat& format);

} // namespace bw::catalogue
