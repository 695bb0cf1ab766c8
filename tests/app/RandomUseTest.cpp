// Thousands of random user events on the real main window with the real model, checking
// after each one that the design is still sound. BOARDWRIGHT_RANDOM_SEED replays a run;
// BOARDWRIGHT_RANDOM_STEPS makes it longer; BOARDWRIGHT_RANDOM_TRACE=1 prints every event.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <exception>
#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "app/Frmmain.h"
#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "assembly/StageWizard.h"
#include "DesignInvariants.h"
#include "modelview/FrameTable.h"
#include "modelview/ModelView.h"
#include "RandomUser.h"
#include "tests/app/TestPlatform.h"

using namespace bw;
using bw::app::Frmmain;

namespace {

constexpr std::uint32_t kDefaultSeed = 20250611;
constexpr long kDefaultSteps = 3000;
constexpr std::size_t kActionsShownOnFailure = 25;

long environmentNumber(const char* name, long fallback) {
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok, 0);
    return ok ? value : fallback;
}

// The program finds its model files in the folder it is started from.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder) : previous_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString previous_;
};

std::string lastActions(const std::deque<QString>& actions) {
    std::string text;
    for (const QString& a : actions)
        text += "  " + a.toStdString() + "\n";
    return text;
}

// The offscreen platform warns at every raised window and opened popup; nothing to see.
class QuietOffscreenPlugin {
public:
    QuietOffscreenPlugin() { previous_ = qInstallMessageHandler(&QuietOffscreenPlugin::handle); }
    ~QuietOffscreenPlugin() { qInstallMessageHandler(previous_); }
    QuietOffscreenPlugin(const QuietOffscreenPlugin&) = delete;
    QuietOffscreenPlugin& operator=(const QuietOffscreenPlugin&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith("This plugin does not support")) return;
        if (previous_) previous_(type, context, message);
    }
    static inline QtMessageHandler previous_ = nullptr;
};

// The program as main() starts it, with its settings in a folder of its own.
class RandomUse : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings.isValid());
        window.setSettingsFile(app::SettingsFile(settings.path()));
        ASSERT_TRUE(window.Form_Load());
        ASSERT_TRUE(window.modelView().modelReady());
        EXPECT_EQ(QDir(QString::fromStdString(window.modelFolder())).canonicalPath(),
                  QDir(BOARDWRIGHT_MODELS_DIR).canonicalPath());
        const FramePtr& board = window.modelView().model().frame(0);
        ASSERT_GT(board->GetChildFrameCount() + board->GetChildMeshCount(), 0)
            << "the model files did not load";
    }

    QuietOffscreenPlugin quiet;
    QTemporaryDir settings;
    CurrentFolder models{BOARDWRIGHT_MODELS_DIR};
    Frmmain window{bw::apptest::testPlatform()};
};

} // namespace

TEST_F(RandomUse, ThousandsOfEventsKeepTheDesignSound) {
    const auto seed = static_cast<std::uint32_t>(environmentNumber("BOARDWRIGHT_RANDOM_SEED", kDefaultSeed));
    const long steps = environmentNumber("BOARDWRIGHT_RANDOM_STEPS", kDefaultSteps);
    const bool trace = environmentNumber("BOARDWRIGHT_RANDOM_TRACE", 0) != 0;
    std::printf("Random use: seed %u, %ld steps (BOARDWRIGHT_RANDOM_SEED=%u replays it)\n", seed, steps,
                seed);
    RecordProperty("seed", std::to_string(seed));

    tests::RandomUser user(window, seed);
    tests::DesignInvariants invariants(window);
    ASSERT_EQ(invariants.check(), QStringList()) << "before the first event";

    std::deque<QString> recent;
    std::set<assembly::DesignStage> stagesSeen;
    std::size_t mostParts = 0;
    for (long step = 1; step <= steps; ++step) {
        QString action;
        QStringList broken;
        try {
            action = user.step();
            broken = invariants.check();
        } catch (const std::exception& error) {
            broken << QStringLiteral("exception: %1").arg(error.what());
        } catch (...) {
            broken << "an exception of unknown type";
        }
        recent.push_back(QStringLiteral("%1: %2").arg(step).arg(action));
        if (trace) std::printf("%s\n", qPrintable(recent.back()));
        if (recent.size() > kActionsShownOnFailure) recent.pop_front();
        if (!broken.isEmpty()) {
            ADD_FAILURE() << "seed " << seed << ", step " << step << ":\n  "
                          << broken.join("\n  ").toStdString() << "\nlast actions:\n"
                          << lastActions(recent);
            break;
        }
        stagesSeen.insert(window.state().designStage);
        mostParts = std::max(mostParts, invariants.addedParts().size());
    }

    std::printf("Random use: %zu design stages seen, at most %zu parts in the system\n", stagesSeen.size(),
                mostParts);
    // A long run that never got past the Design dialog tested little.
    if (steps >= kDefaultSteps && !HasFailure()) {
        EXPECT_EQ(invariants.systemCount(), 1);
        EXPECT_GT(stagesSeen.size(), 4u);
        EXPECT_GT(mostParts, 10u);
    }
}

// The checks themselves: each fault a command could make is named.
TEST_F(RandomUse, TheChecksNoticeWhatACommandCouldGetWrong) {
    tests::DesignInvariants invariants(window);
    auto* ok = window.findChild<QWidget*>("frm1")->findChild<QAbstractButton*>("Label2");
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(invariants.check(), QStringList()) << "a tower with its motherboard";

    auto noticed = [&](const QString& fault) {
        const QStringList broken = invariants.check();
        return broken.filter(fault).size() == 1
                   ? testing::AssertionSuccess()
                   : testing::AssertionFailure() << broken.join("; ").toStdString();
    };
    assembly::DesignState& state = window.state();
    modelview::ModelView& view = window.modelView();

    // A part marked present without the rest of the add step.
    state.store.setPresent(1, catalogue::codes::PciSlot1, true);
    const QStringList broken = invariants.check();
    EXPECT_EQ(broken.filter("frame pciSlotFrame1 is off").size(), 1) << broken.join("; ").toStdString();
    EXPECT_EQ(broken.filter("7 node holds [], the parts added were [7a node]").size(), 1);
    EXPECT_EQ(broken.filter("part 82 was added but the part code is 5").size(), 1);

    state.store.setPresent(1, catalogue::codes::PciSlot1, false);
    EXPECT_TRUE(noticed("a present flag was cleared"));

    view.showPartFrames(catalogue::codes::HardDiskDrive1);
    EXPECT_TRUE(noticed("frame hardDiskFrame1 is on but shows nothing present"));
    view.model().frame("hardDiskFrame1")->Enabled = false;
    view.model().frame(modelview::kAxesFrame)->Enabled = false;
    EXPECT_TRUE(noticed("frame axesFrame is off"));
    view.model().frame(modelview::kAxesFrame)->Enabled = true;

    auto* tree = window.findChild<assembly::InventoryTree*>("TrView1");
    ASSERT_NE(tree, nullptr);
    tree->addNode("7 node", "7b node", "PCI (Slot 2)", "slots");
    EXPECT_TRUE(noticed("7 node holds [7b node], the parts added were []"));
    delete tree->node("7b node");

    state.partCode = catalogue::kSlotCount;
    EXPECT_TRUE(noticed("part code 172 outside the catalogue"));
    state.partCode = catalogue::codes::Baseboard;
    state.designStage = static_cast<assembly::DesignStage>(13);
    EXPECT_TRUE(noticed("design stage 13"));
    state.designStage = assembly::DesignStage::NoEnclosure;
    EXPECT_TRUE(noticed("design stage 89 with 1 systems"));
    state.designStage = assembly::DesignStage::EnclosureChosen;
    window.Image4_Click();
    window.findChild<QWidget*>("Picture15")->hide();
    EXPECT_TRUE(noticed("the inventory's tree, close button and title differ"));
    window.findChild<QWidget*>("Picture3(2)")->show();
    window.findChild<QWidget*>("Picture3(9)")->show();
    EXPECT_TRUE(noticed("2 stage panels at once"));
}
