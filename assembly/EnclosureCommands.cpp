#include "assembly/EnclosureCommands.h"

#include <QCoreApplication>

#include "assembly/DesignState.h"
#include "assembly/DesignSurface.h"
#include "assembly/InventoryTree.h"
#include "assembly/PartEdits.h"
#include "ui/Utf8Text.h"

namespace bw::assembly {
namespace {

using ui::text;

} // namespace

EnclosureCommands::EnclosureCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface,
                                     PartEdits& edits)
    : state_(state), tree_(tree), surface_(surface), edits_(edits) {}

void EnclosureCommands::tower() { createSystem(catalogue::enclosure::Tower); }

void EnclosureCommands::laptop() { createSystem(catalogue::enclosure::Laptop); }

void EnclosureCommands::build_motherboard() {
    const catalogue::PartSlot& board = catalogue::slotAt(catalogue::codes::Baseboard);
    tree_.addPartNode(board.code, text(board.categoryKey), text(board.itemKey), text(board.itemText),
                      text(board.imageKey));
}

void EnclosureCommands::createSystem(std::int16_t enclosureType) {
    using catalogue::codes::Baseboard;
    using catalogue::codes::Enclosure;
    catalogue::SystemStore& store = state_.store;
    edits_.beforeSelectionChange();
    const auto added = store.addSystem();
    if (!added) return; // the store is full
    const int system = *added;
    store.setPresent(system, Enclosure, true);
    store.setExtraInteger(system, Enclosure, enclosureType);
    state_.enclosureType = enclosureType;
    store.setCurrentSystem(*added);
    if (enclosureType == catalogue::enclosure::Laptop) hideAgpItem();

    surface_.hideAllPartFrames();
    QCoreApplication::processEvents();
    tree_.build_tree(enclosureType);
    QCoreApplication::processEvents();
    const catalogue::EnclosureItem* item = catalogue::findEnclosureItem(enclosureType);
    tree_.addNode(text(catalogue::kEnclosureCategoryKey), text(item->itemKey), text(item->itemText),
                  text(item->image));
    surface_.clearDetailBoxes();

    if (store.currentSystem() != 0) {
        store.setPresent(system, Baseboard, true);
        surface_.showPartFrames(Baseboard);
        surface_.renderScene();
        build_motherboard();
        const catalogue::PartSlot& board = catalogue::slotAt(Baseboard);
        store.setText(system, Baseboard, catalogue::TextField::PartName, board.defaultPartName);
        surface_.startNewPart(text(board.defaultPartName));
        state_.partCode = Baseboard;
    }
    edits_.startAfresh(true);
}

} // namespace bw::assembly
