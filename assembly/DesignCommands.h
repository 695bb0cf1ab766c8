#pragma once
// The commands that change the design, built together and wired to each other: adding and
// removing parts (from the palettes, their popups and the tree), storing details, undoing
// them, and choosing the enclosure.

#include <memory>

class QWidget;

namespace bw::assembly {

class AddCommands;
class DesignSurface;
class EnclosureCommands;
class InventoryTree;
class PaletteDispatch;
class PartEdits;
class PopupMenus;
class ViewControls;
struct DesignState;

class DesignCommands {
public:
    // The popups belong to `popupOwner`.
    DesignCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface, ViewControls& view,
                   QWidget* popupOwner);
    ~DesignCommands();

    PartEdits& edits() { return *edits_; }
    AddCommands& add() { return *add_; }
    EnclosureCommands& enclosure() { return *enclosure_; }
    PopupMenus& popups() { return *popups_; }
    PaletteDispatch& palette() { return *palette_; }

private:
    std::unique_ptr<PartEdits> edits_;
    std::unique_ptr<AddCommands> add_;
    std::unique_ptr<EnclosureCommands> enclosure_;
    PopupMenus* popups_;
    std::unique_ptr<PaletteDispatch> palette_;
};

} // namespace bw::assembly
