#include "assembly/AddCommands.h"

#include "assembly/DesignState.h"
#include "assembly/DesignSurface.h"
#include "assembly/InventoryTree.h"

namespace bw::assembly {
namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

AddCommands::AddCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface)
    : state_(state), tree_(tree), surface_(surface) {}

int AddCommands::newestSystem() const { return state_.store.systemCount(); }

bool AddCommands::add(catalogue::PartCode code, const QString& itemKey, const QString& itemText,
                      const QString& partName) {
    catalogue::SystemStore& store = state_.store;
    if (store.currentSystem() == 0) return false;
    const int system = newestSystem();
    if (!store.isValidSystem(system) || store.isPresent(system, code)) return false;

    store.setPresent(system, code, true);
    surface_.showPartFrames(code);
    surface_.renderScene();
    const catalogue::PartSlot& slot = catalogue::slotAt(code);
    if (slot.hasItemNode()) tree_.addNode(text(slot.categoryKey), itemKey, itemText, text(slot.imageKey));
    store.setText(system, code, catalogue::TextField::PartName, partName.toStdString());
    surface_.startNewPart(QString::fromStdString(store.text(system, code, catalogue::TextField::PartName)));
    state_.partCode = code;
    return true;
}

bool AddCommands::addSlot(catalogue::PartCode code) {
    if (code == catalogue::codes::Enclosure || code == catalogue::codes::OperatingSystem ||
        !catalogue::isSelectableCode(code))
        return false;
    const catalogue::PartSlot& slot = catalogue::slotAt(code);
    return add(code, text(slot.itemKey), text(slot.itemText), text(slot.defaultPartName));
}

bool AddCommands::addSlot(std::string_view slotName) {
    const catalogue::PartSlot* slot = catalogue::findSlot(slotName);
    return slot && addSlot(slot->code);
}

bool AddCommands::addOperatingSystem(std::string_view menuName) {
    for (const catalogue::OsVersion& os : catalogue::osVersions())
        if (os.menuName == menuName)
            return add(catalogue::codes::OperatingSystem, text(os.itemKey), text(os.text), text(os.text));
    return false;
}

bool AddCommands::addNextFree(std::string_view familyName) {
    const catalogue::Family* family = catalogue::findFamily(familyName);
    if (!family || state_.store.currentSystem() == 0) return false;
    for (int n = 0; n < family->size; ++n) {
        const auto code = static_cast<catalogue::PartCode>(family->first + n);
        if (!state_.store.isPresent(newestSystem(), code)) return addSlot(code);
    }
    return false;
}

} // namespace bw::assembly
