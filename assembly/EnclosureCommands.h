#pragma once
// Starting a design: a new system with its enclosure and motherboard, an empty model and
// a fresh inventory tree. Its steps cannot be undone: the history starts afresh with it.

#include <cstdint>
#include <functional>

namespace bw::assembly {

class DesignSurface;
class InventoryTree;
class PartEdits;
struct DesignState;

class EnclosureCommands {
public:
    EnclosureCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface, PartEdits& edits);

    // Called when a laptop is created or opened: the video popup stops offering AGP for good.
    void setHideAgpItem(std::function<void()> hide) { hideAgpItem_ = std::move(hide); }
    void hideAgpItem() const {
        if (hideAgpItem_) hideAgpItem_();
    }

    void tower();
    void laptop();
    // Adds the motherboard's item node.
    void build_motherboard();

private:
    void createSystem(std::int16_t enclosureType);

    DesignState& state_;
    InventoryTree& tree_;
    DesignSurface& surface_;
    PartEdits& edits_;
    std::function<void()> hideAgpItem_;
};

} // namespace bw::assembly
