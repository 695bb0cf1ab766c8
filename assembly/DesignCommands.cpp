#include "assembly/DesignCommands.h"

#include <QAction>

#include "assembly/AddCommands.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/PaletteDispatch.h"
#include "assembly/PopupMenus.h"

namespace bw::assembly {

DesignCommands::DesignCommands(DesignState& state, InventoryTree& tree, DesignSurface& surface,
                               ViewControls& view, QWidget* popupOwner)
    : add_(std::make_unique<AddCommands>(state, tree, surface)),
      enclosure_(std::make_unique<EnclosureCommands>(state, tree, surface)),
      popups_(new PopupMenus(*add_, popupOwner)),
      palette_(std::make_unique<PaletteDispatch>(*add_, *popups_, view)) {
    enclosure_->setHideAgpItem([this] { popups_->item("mnuagp")->setVisible(false); });
}

DesignCommands::~DesignCommands() = default;

} // namespace bw::assembly
