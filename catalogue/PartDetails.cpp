#include "catalogue/PartDetails.h"

namespace bw::catalogue {

namespace {
bool selectsRecord(const SystemStore& store, int system, int code) {
    return isSelectableCode(code) && store.isValidSystem(system);
}
} // namespace

bool storeDetails(SystemStore& store, int system, int code, const PartDetails& details) {
    if (!selectsRecord(store, system, code)) return false;
    store.setCost(system, code, details.cost);
    store.setText(system, code, TextField::PartName, details.partName);
    store.setText(system, code, TextField::Manufacturer, details.manufacturer);
    store.setText(system, code, TextField::Model, details.model);
    return true;
}

std::optional<PartDetails> recordedDetails(const SystemStore& store, int system, int code) {
    if (!selectsRecord(store, system, code)) return std::nullopt;
    return PartDetails{store.text(system, code, TextField::PartName),
                       store.text(system, code, TextField::Manufacturer),
                       store.text(system, code, TextField::Model), store.cost(system, code).value_or("")};
}

} // namespace bw::catalogue
