#pragma once
// One system's present parts as a table, in catalogue order, with the total of their costs:
// what the exports write and the window shows.

#include <array>
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

// The columns every export writes, and the cells of a row and of the total in their order.
inline constexpr std::array<std::string_view, 5> kPartsListColumns = {"Category", "Part", "Manufacturer",
                                                                      "Model", "Cost"};
std::array<std::string_view, 5> cellsOf(const PartsListRow& row);
// "Total", the parts not priced ("2 parts not priced" or empty), two empty cells, the total.
std::array<std::string, 5> totalCells(const PartsList& list);

} // namespace bw::catalogue
