#include "catalogue/SystemStore.h"

#include <utility>

#include "catalogue/SingleLine.h"

namespace bw::catalogue {

std::string& SystemStore::TextRecord::field(TextField f) {
    switch (f) {
    case TextField::PartName:
        return partName;
    case TextField::Manufacturer:
        return manufacturer;
    case TextField::Model:
        break;
    }
    return model;
}

const std::string& SystemStore::TextRecord::field(TextField f) const {
    return const_cast<TextRecord*>(this)->field(f);
}

std::optional<SystemNumber> SystemStore::addSystem() {
    if (systems_.size() >= kMaxSystems) return std::nullopt;
    systems_.emplace_back();
    return systemCount();
}

void SystemStore::clear() { systems_.clear(); }

const SystemStore::SystemRecord* SystemStore::find(int system, int code) const {
    if (!isValidSystem(system) || !isValidCode(code)) return nullptr;
    return &systems_[static_cast<std::size_t>(system - 1)];
}

SystemStore::SystemRecord* SystemStore::find(int system, int code) {
    return const_cast<SystemRecord*>(std::as_const(*this).find(system, code));
}

const SystemStore::TextRecord* SystemStore::findTexts(int system, int code) const {
    const SystemRecord* record = find(system, code);
    if (!record) return nullptr;
    auto it = record->texts.find(static_cast<PartCode>(code));
    return it == record->texts.end() ? nullptr : &it->second;
}

SystemStore::TextRecord* SystemStore::textsFor(int system, int code) {
    SystemRecord* record = find(system, code);
    return record ? &record->texts[static_cast<PartCode>(code)] : nullptr;
}

bool SystemStore::isPresent(int system, int code) const {
    const SystemRecord* record = find(system, code);
    return record && record->present.test(static_cast<std::size_t>(code));
}

void SystemStore::setPresent(int system, int code, bool present) {
    if (SystemRecord* record = find(system, code))
        record->present.set(static_cast<std::size_t>(code), present);
}

std::int16_t SystemStore::extraInteger(int system, int code) const {
    const SystemRecord* record = find(system, code);
    if (!record) return 0;
    if (code == codes::Enclosure) return record->enclosureType;
    if (code == codes::OperatingSystem) return record->osInteger;
    return 0;
}

void SystemStore::setExtraInteger(int system, int code, std::int16_t value) {
    SystemRecord* record = find(system, code);
    if (!record) return;
    if (code == codes::Enclosure) record->enclosureType = value;
    if (code == codes::OperatingSystem) record->osInteger = value;
}

std::optional<std::string> SystemStore::cost(int system, int code) const {
    const TextRecord* texts = findTexts(system, code);
    return texts ? texts->cost : std::nullopt;
}

void SystemStore::setCost(int system, int code, std::string_view cost) {
    if (TextRecord* texts = textsFor(system, code)) texts->cost = onOneLine(cost);
}

std::string SystemStore::text(int system, int code, TextField field) const {
    const TextRecord* texts = findTexts(system, code);
    return texts ? texts->field(field) : std::string();
}

void SystemStore::setText(int system, int code, TextField field, std::string_view value) {
    if (TextRecord* texts = textsFor(system, code)) texts->field(field) = onOneLine(value);
}

PartRecord SystemStore::record(int system, int code) const {
    PartRecord result;
    result.present = isPresent(system, code);
    result.extraInteger = extraInteger(system, code);
    if (const TextRecord* texts = findTexts(system, code)) {
        result.cost = texts->cost;
        result.partName = texts->partName;
        result.manufacturer = texts->manufacturer;
        result.model = texts->model;
    }
    return result;
}

void SystemStore::setRecord(int system, int code, const PartRecord& record) {
    SystemRecord* systemRecord = find(system, code);
    if (!systemRecord) return;
    setPresent(system, code, record.present);
    setExtraInteger(system, code, record.extraInteger);
    if (!record.cost && record.partName.empty() && record.manufacturer.empty() && record.model.empty()) {
        systemRecord->texts.erase(static_cast<PartCode>(code));
        return;
    }
    TextRecord& texts = *textsFor(system, code);
    texts.cost = record.cost ? std::optional(onOneLine(*record.cost)) : std::nullopt;
    texts.partName = onOneLine(record.partName);
    texts.manufacturer = onOneLine(record.manufacturer);
    texts.model = onOneLine(record.model);
}

} // namespace bw::catalogue
