#pragma once
// Until the user first walks the design past its first stage, the status label says how to
// begin: nothing else tells a new user that the arrow at the right leads on.

#include <QObject>
#include <QString>

#include "assembly/DesignStage.h"

class QLabel;

namespace bw::app {

class FirstStageHint : public QObject {
    Q_OBJECT
public:
    FirstStageHint(QLabel& status, QObject* owner);

    static QString text();

    // The design on show is at `stage` (start-up, a design opened, New design): the hint
    // shows at the first stage unless the user has walked past it before.
    void showFor(assembly::DesignStage stage);
    // The user moved the design to `stage`; past the first stage the hint is gone for good.
    void stageWalked(assembly::DesignStage stage);

    // The status label shows the hint.
    bool isShown() const;
    bool isRetired() const { return retired_; }

private:
    void hide();

    QLabel& status_;
    bool retired_ = false;
};

// No panel has been shown yet: the Design dialog or the enclosure alone.
constexpr bool isFirstStage(assembly::DesignStage stage) {
    return stage == assembly::DesignStage::NoEnclosure || stage == assembly::DesignStage::EnclosureChosen;
}

} // namespace bw::app
