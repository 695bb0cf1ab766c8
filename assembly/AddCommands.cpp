#include "assembly/AddCommands.h"

#include "assembly/DesignState.h"
#include "assembly/PartEdits.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

using ui::text;

} // namespace

AddCommands::AddCommands(DesignState& state, PartEdits& edits) : state_(state), edits_(edits) {}

bool AddCommands::addSlot(catalogue::PartCode code) {
    if (code == catalogue::codes::Enclosure || code == catalogue::codes::OperatingSystem ||
        !catalogue::isSelectableCode(code))
        return false;
    const catalogue::PartSlot& slot = catalogue::slotAt(code);
    return edits_.add(code, text(slot.defaultPartName));
}

bool AddCommands::addSlot(std::string_view slotName) {
    const catalogue::PartSlot* slot = catalogue::findSlot(slotName);
    return slot && addSlot(slot->code);
}

bool AddCommands::addOperatingSystem(std::string_view menuName) {
    for (const catalogue::OsVersion& os : catalogue::osVersions())
        if (os.menuName == menuName) return edits_.add(catalogue::codes::OperatingSystem, text(os.text));
    return false;
}

bool AddCommands::addNextFree(std::string_view familyName) {
    const catalogue::Family* family = catalogue::findFamily(familyName);
    const catalogue::SystemStore& store = state_.store;
    if (!family || !store.isValidSystem(store.currentSystem())) return false;
    for (int n = 0; n < family->size; ++n) {
        const auto code = static_cast<catalogue::PartCode>(family->first + n);
        if (!store.isPresent(store.currentSystem(), code)) return addSlot(code);
    }
    return false;
}

} // namespace bw::assembly
