#pragma once
// What adding a part or choosing an enclosure changes outside the store and the tree:
// the 3D model and the details editor. The main window provides it.

#include <QString>

#include "catalogue/PartCatalogue.h"

namespace bw::assembly {

class DesignSurface {
public:
    virtual ~DesignSurface() = default;

    // Switches on the model frames that show the slot.
    virtual void showPartFrames(catalogue::PartCode code) = 0;
    // Switches off every part frame (floor and axes stay as they are) and redraws.
    virtual void hideAllPartFrames() = 0;
    virtual void renderScene() = 0;
    // Shows a just-added part's name in the details editor and empties its boxes.
    virtual void startNewPart(const QString& partName) = 0;
    // Empties the details editor's three boxes.
    virtual void clearDetailBoxes() = 0;
    // Shows the selected part's record in the details editor.
    virtual void showDetails() = 0;
};

} // namespace bw::assembly
