#pragma once
// Adding a part to the shown system (the newest, unless a design file was opened): present
// flag, model frames, tree node, default part name, details editor and part code. Anything
// that cannot apply does nothing, silently.

#include <QString>

#include "catalogue/PartCatalogue.h"

namespace bw::assembly {

class PartEdits;
struct DesignState;

class AddCommands {
public:
    AddCommands(DesignState& state, PartEdits& edits);

    // False when nothing was added (no system yet, or the part is already present).
    bool addSlot(catalogue::PartCode code);
    bool addSlot(std::string_view slotName);
    // The shared operating-system slot, added as one of its versions.
    bool addOperatingSystem(std::string_view menuName);
    // The lowest-numbered member of the family that the newest system lacks.
    bool addNextFree(std::string_view familyName);

private:
    DesignState& state_;
    PartEdits& edits_;
};

} // namespace bw::assembly
