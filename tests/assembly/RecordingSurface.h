#pragma once
// A design surface that records what the commands asked of the model and the editor.

#include <QStringList>
#include <vector>

#include "assembly/DesignSurface.h"

namespace bw::assembly::fakes {

class RecordingSurface : public DesignSurface {
public:
    void showPartFrames(catalogue::PartCode code) override { shown.push_back(code); }
    void hideAllPartFrames() override { ++hideAllCount; }
    void renderScene() override { ++renderCount; }
    void startNewPart(const QString& partName) override {
        label = partName;
        boxesCleared = true;
    }
    void clearDetailBoxes() override { boxesCleared = true; }
    void showDetails() override { ++detailsShownCount; }

    std::vector<catalogue::PartCode> shown;
    int hideAllCount = 0;
    int renderCount = 0;
    QString label;
    bool boxesCleared = false;
    int detailsShownCount = 0;
};

} // namespace bw::assembly::fakes
