#pragma once
// The commands that change the design, built together and wired to each other: adding
// parts (from the palettes and their popups) and choosing the enclosure.

#include <memory>

class QWidget;

namespace bw::assembly {

class AddCommands;
class DesignSurface;
class EnclosureCommands;
class InventoryTree;
class PaletteDispatch;
class PopupMenus;
class ViewControls;
struct DesignState;

class DesignCommands {
public:
    // The popups belong to `popupOwner`.
    DesignCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface, ViewControls& view,
                   QWidget* popupOwner);
    ~DesignCommands();

    AddCommands& add() { return *add_; }
    EnclosureCommands& enclosure() { return *enclosure_; }
    PopupMenus& popups() { return *popups_; }
    PaletteDispatch& palette() { return *palette_; }

private:
    std::unique_ptr<AddCommands> add_;
    std::unique_ptr<EnclosureCommands> enclosure_;
    PopupMenus* popups_;
    std::unique_ptr<PaletteDispatch> palette_;
};

} // namespace bw::assembly
