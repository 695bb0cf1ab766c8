#pragma once
// What must hold between any two user events on the main window, whatever the user did:
// the store, the design stage and the part code in range; the inventory tree, the model's
// frames and the view indicators agreeing with the newest system; parts only ever added.
// Some checks compare with the previous call, so call check() after every event.

#include <bitset>
#include <QStringList>
#include <vector>

#include "catalogue/PartCatalogue.h"

namespace bw::app {
class Frmmain;
}

namespace bw::tests {

class DesignInvariants {
public:
    explicit DesignInvariants(app::Frmmain& window);

    // One line per broken invariant; empty when everything holds.
    QStringList check();

    // The parts of the newest system in the order they were added.
    const std::vector<catalogue::PartCode>& addedParts() const { return added_; }
    int systemCount() const { return systemCount_; }

private:
    using PartSet = std::bitset<catalogue::kSlotCount>;

    void checkStoreAndStage(QStringList& broken) const;
    void checkEnclosure(QStringList& broken) const;
    void followAdditions(const PartSet& present, QStringList& broken);
    void checkInventory(QStringList& broken) const;
    void checkModelFrames(const PartSet& present, QStringList& broken) const;
    void checkWindow(QStringList& broken) const;

    app::Frmmain& window_;
    std::vector<std::vector<catalogue::PartCode>> codesOfFrame_;
    int systemCount_ = 0;
    PartSet present_;
    std::vector<catalogue::PartCode> added_;
};

} // namespace bw::tests
