#include "catalogue/PartsList.h"

#include <algorithm>

namespace bw::catalogue {

namespace {

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view categoryOf(const PartSlot& slot) {
    const Category* category = findCategory(slot.categoryKey);
    return category ? category->text : kOtherCategory;
}

// The enclosure and the operating system have no item text of their own: theirs depends on
// what was chosen when they were added.
std::string_view slotNameOf(const PartSlot& slot, const SystemStore& store, int system) {
    if (slot.code == codes::Enclosure) {
        if (const EnclosureItem* item = findEnclosureItem(store.extraInteger(system, slot.code)))
            return item->itemText;
    }
    if (!slot.itemText.empty()) return slot.itemText;
    if (!slot.defaultPartName.empty()) return slot.defaultPartName;
    return categoryOf(slot);
}

} // namespace

PartsList partsListOf(const SystemStore& store, int system, const NumberFormat& format) {
    PartsList list;
    list.format = format;
    if (!store.isValidSystem(system)) return list;
    for (const PartSlot& slot : allSlots()) {
        if (!store.isPresent(system, slot.code)) continue;
        PartRecord record = store.record(system, slot.code);
        PartsListRow row;
        row.code = slot.code;
        row.category = categoryOf(slot);
        row.part = isBlank(record.partName) ? std::string(slotNameOf(slot, store, system))
                                            : std::move(record.partName);
        row.manufacturer = std::move(record.manufacturer);
        row.model = std::move(record.model);
        row.cost = record.cost.value_or(std::string());
        row.reading = readCost(row.cost, format);
        list.total.add(row.reading);
        list.rows.push_back(std::move(row));
    }
    return list;
}

std::array<std::string_view, 5> cellsOf(const PartsListRow& row) {
    return {row.category, row.part, row.manufacturer, row.model, row.cost};
}

std::array<std::string, 5> totalCells(const PartsList& list) {
    return {"Total", notPricedNote(list.total.notPricedParts()), "", "",
            formatTotal(list.total, list.format)};
}

} // namespace bw::catalogue
