#pragma once
// What the details editor copies between its four boxes and one part record.

#include <optional>
#include <string>

#include "catalogue/SystemStore.h"

namespace bw::catalogue {

struct PartDetails {
    std::string partName;
    std::string manufacturer;
    std::string model;
    std::string cost;
};

// Stores the editor into record (system, code); false, touching nothing, when the code
// selects no slot or the system does not exist.
bool storeDetails(SystemStore& store, int system, int code, const PartDetails& details);

// The record (system, code) as the editor shows it; nothing when it selects no record.
std::optional<PartDetails> recordedDetails(const SystemStore& store, int system, int code);

} // namespace bw::catalogue
