#include "assembly/DesignCommands.h"

#include <QAction>

#include "assembly/AddCommands.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteDispatch.h"
#include "assembly/PartEdits.h"
#include "assembly/PopupMenus.h"

namespace bw::assembly {

DesignCommands::DesignCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface,
                               ViewControls& view, QWidget* popupOwner)
    : edits_(std::make_unique<PartEdits>(state, tree, surface)),
      add_(std::make_unique<AddCommands>(state, *edits_)),
      enclosure_(std::make_unique<EnclosureCommands>(state, tree, surface, *edits_)),
      popups_(new PopupMenus(*add_, popupOwner)),
      palette_(std::make_unique<PaletteDispatch>(*add_, *popups_, view)) {
    enclosure_->setHideAgpItem([this] { popups_->item("mnuagp")->setVisible(false); });
    QObject::connect(&tree, &InventoryTree::removeRequested, popupOwner,
                     [this](catalogue::PartCode code) { edits_->remove(code); });
}

DesignCommands::~DesignCommands() = default;

} // namespace bw::assembly
