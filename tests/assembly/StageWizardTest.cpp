#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "assembly/DesignState.h"
#include "assembly/EnclosureCommands.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "assembly/PartEdits.h"
#include "assembly/StageWizard.h"
#include "RecordingSurface.h"
#include "tests/support/TsvRows.h"

using namespace bw;
using namespace bw::assembly;

namespace bw::assembly {
// Failure messages give a stage by its number.
static void PrintTo(DesignStage stage, std::ostream* out) { *out << stageNumber(stage); }
} // namespace bw::assembly

namespace {

// The stage dialogs' captions as transcribed into stage_dialogs.tsv, by dialog name.
std::map<std::string, QString> stageDialogCaptions() {
    std::map<std::string, QString> captions;
    for (const auto& row : tests::readTsvRows(STAGE_TABLES "/stage_dialogs.tsv", 2))
        captions[row[0]] = QString::fromStdString(row[1]);
    return captions;
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        std::map<int, QWidget*> map;
        for (int index : kStagePanels) {
            panels[index] = std::make_unique<QWidget>();
            map[index] = panels[index].get();
        }
        wizard = std::make_unique<StageWizard>(state, enclosure, map, &owner);
        wizard->setShowInventory([this] { inventoryShown = true; });
        state.designStage = DesignStage::NoEnclosure;
    }

    QWidget* dialog(const char* name) const { return wizard->dialog(name); }
    void press(const char* dialogName, const char* button) {
        QWidget* d = dialog(dialogName);
        ASSERT_NE(d, nullptr) << dialogName;
        auto* b = d->findChild<QAbstractButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // The stage panels on show, by stage number (11 for the laptop panel).
    std::vector<int> visiblePanels() const {
        std::vector<int> stages;
        for (int i = 0; i < 11; ++i)
            if (!panels.at(kStagePanels[i])->isHidden()) stages.push_back(i + 1);
        return stages;
    }
    bool showing(const char* name) const { return dialog(name) && dialog(name)->isVisible(); }

    // Start-up's Design dialog, answered with OK for a tower or a laptop.
    void chooseEnclosure(bool tower) {
        wizard->showDesignDialog();
        if (!tower) dialog("frm1")->findChild<QRadioButton*>("Option2")->setChecked(true);
        press("frm1", "Label2");
    }

    QWidget owner;
    DesignState state;
    InventoryTree tree{nullptr};
    fakes::RecordingSurface surface;
    PartEdits edits{state, tree, surface};
    EnclosureCommands enclosure{state, tree, surface, edits};
    std::map<int, std::unique_ptr<QWidget>> panels;
    std::unique_ptr<StageWizard> wizard;
    bool inventoryShown = false;
};

} // namespace

// A dialog's opening line is a dark band with light bold text, its padding inside the band.
TEST_F(Wizard, OpeningLinesAreBandsAroundTheirText) {
    wizard->showDesignDialog();
    QLabel* opening = nullptr;
    for (QLabel* label : dialog("frm1")->findChildren<QLabel*>())
        if (label->text().startsWith("Design your motherboard")) opening = label;
    ASSERT_NE(opening, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog("frm1")));
    EXPECT_TRUE(opening->font().bold());
    const QMargins padding = opening->contentsMargins();
    EXPECT_GT(padding.left(), 0);
    EXPECT_GT(padding.top(), 0);
    // Wrapped to two lines inside the padding.
    EXPECT_GE(opening->height(), 2 * opening->fontMetrics().lineSpacing() + padding.top() + padding.bottom());

    const QImage band = opening->grab().toImage();
    const QColor slate(0x37, 0x47, 0x4f);
    EXPECT_EQ(band.pixelColor(2, band.height() / 2), slate);
    EXPECT_NE(band.pixelColor(0, 0), slate) << "rounded";
    int lightPixels = 0;
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < band.width(); ++x)
            lightPixels += band.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    EXPECT_GT(lightPixels, 100) << "the text";
    for (int y = 0; y < band.height(); ++y)
        EXPECT_LT(band.pixelColor(padding.left() - 2, y).lightness(), 200)
            << "nothing in the padding, row " << y;
    press("frm1", "Label3");
}

TEST_F(Wizard, DesignDialogCancelKeepsStage89AndComesBack) {
    wizard->showDesignDialog();
    EXPECT_TRUE(showing("frm1"));
    EXPECT_EQ(dialog("frm1")->windowTitle(), "Design");
    EXPECT_TRUE(dialog("frm1")->isModal());
    EXPECT_TRUE(dialog("frm1")->findChild<QRadioButton*>("Option1")->isChecked());
    press("frm1", "Label3");
    EXPECT_FALSE(showing("frm1"));
    EXPECT_EQ(state.designStage, DesignStage::NoEnclosure);
    EXPECT_EQ(state.store.systemCount(), 0);
    wizard->Picture8_Click();
    EXPECT_TRUE(showing("frm1"));
    press("frm1", "Label3");
    wizard->Picture9_Click();
    EXPECT_TRUE(showing("frm1"));
}

TEST_F(Wizard, TowerWalkThroughEveryStage) {
    chooseEnclosure(true);
    EXPECT_EQ(state.designStage, DesignStage::EnclosureChosen);
    EXPECT_EQ(state.enclosureType, catalogue::enclosure::Tower);
    EXPECT_TRUE(visiblePanels().empty());

    const auto captions = stageDialogCaptions();
    ASSERT_EQ(captions.size(), 11u);
    for (int stage = 1; stage <= 10; ++stage) {
        SCOPED_TRACE(stage);
        wizard->Picture8_Click();
        const QString name = QStringLiteral("frm%1").arg(stage + 1);
        ASSERT_TRUE(showing(name.toUtf8().constData()));
        EXPECT_EQ(dialog(name.toUtf8().constData())->windowTitle(), captions.at(name.toStdString()));
        press(name.toUtf8().constData(), "Label6");
        EXPECT_FALSE(showing(name.toUtf8().constData()));
        EXPECT_EQ(stageNumber(state.designStage), stage);
        EXPECT_EQ(visiblePanels(), std::vector<int>{stage});
    }
    // A tower finishes at once.
    wizard->Picture8_Click();
    EXPECT_EQ(state.designStage, DesignStage::Finished);
    EXPECT_TRUE(showing("Frm0"));
    EXPECT_EQ(dialog("Frm0")->windowTitle(), "Finished!");
    press("Frm0", "Label4");
    EXPECT_TRUE(inventoryShown);
    EXPECT_FALSE(showing("Frm0"));
    wizard->Picture8_Click();
    EXPECT_TRUE(showing("Frm0"));
    press("Frm0", "Label3");
    EXPECT_FALSE(showing("Frm0"));

    // Back from 12 runs stages with 12 (no panel) and lands on 11; the next Back shows
    // Frm0 for a tower (stage 11) and lands on 10.
    wizard->Picture9_Click();
    EXPECT_EQ(state.designStage, DesignStage::Laptop);
    EXPECT_TRUE(visiblePanels().empty());
    wizard->Picture9_Click();
    EXPECT_EQ(state.designStage, DesignStage::OperatingSystem);
    EXPECT_TRUE(showing("Frm0"));
}

TEST_F(Wizard, LaptopEndsWithItsOwnPanel) {
    chooseEnclosure(false);
    for (int stage = 1; stage <= 10; ++stage) {
        wizard->Picture8_Click();
        press(QStringLiteral("frm%1").arg(stage + 1).toUtf8().constData(), "Label6");
    }
    wizard->Picture8_Click();
    EXPECT_EQ(state.designStage, DesignStage::OperatingSystem);
    ASSERT_TRUE(showing("frm12"));
    EXPECT_EQ(dialog("frm12")->windowTitle(), stageDialogCaptions().at("frm12"));
    press("frm12", "Label6");
    EXPECT_EQ(state.designStage, DesignStage::Finished);
    EXPECT_EQ(visiblePanels(), std::vector<int>{11});
    wizard->Picture8_Click();
    ASSERT_TRUE(showing("Frm0"));
    press("Frm0", "Label7"); // View Motherboard hides the laptop panel
    EXPECT_TRUE(visiblePanels().empty());
    EXPECT_FALSE(inventoryShown);
}

TEST_F(Wizard, BackLagsOneClickAndCancelKeepsTheStage) {
    chooseEnclosure(true);
    wizard->Picture9_Click(); // from 0: straight to 1, no panel
    EXPECT_EQ(state.designStage, DesignStage::Cpu);
    EXPECT_TRUE(visiblePanels().empty());
    wizard->Picture8_Click();
    EXPECT_TRUE(showing("frm3"));
    press("frm3", "Label5"); // Cancel
    EXPECT_EQ(state.designStage, DesignStage::Cpu);
    EXPECT_FALSE(showing("frm3"));

    for (int stage = 2; stage <= 5; ++stage) {
        wizard->Picture8_Click();
        press(QStringLiteral("frm%1").arg(stage + 1).toUtf8().constData(), "Label6");
    }
    EXPECT_EQ(visiblePanels(), std::vector<int>{5});
    wizard->Picture9_Click(); // keeps the stage-5 panel, stage 4
    EXPECT_EQ(state.designStage, DesignStage::TemperatureAndInfrared);
    EXPECT_EQ(visiblePanels(), std::vector<int>{5});
    wizard->Picture8_Click();
    EXPECT_TRUE(showing("frm6")) << "the stage-5 dialog is offered again";
    press("frm6", "Label5");
    wizard->Picture9_Click();
    EXPECT_EQ(state.designStage, DesignStage::Video);
    EXPECT_EQ(visiblePanels(), std::vector<int>{4});

    // A stage dialog's OK sets its own stage, whatever came before; dialogs are reused.
    QWidget* frm6 = dialog("frm6");
    wizard->Picture8_Click(); // stage 3 offers frm5
    press("frm5", "Label6");
    EXPECT_EQ(state.designStage, DesignStage::TemperatureAndInfrared);
    EXPECT_EQ(dialog("frm6"), frm6);
}

TEST_F(Wizard, StageDialogsCarryTheirTextLines) {
    chooseEnclosure(true);
    wizard->Picture8_Click();
    QStringList texts;
    for (QLabel* label : dialog("frm2")->findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts << label->text();
    EXPECT_TRUE(texts.contains("The first stage is to add core components."));
    EXPECT_TRUE(texts.contains("Add a CPU either Intel or AMD."));
    EXPECT_TRUE(texts.contains("Add memory cards to the motherboard."));
    EXPECT_EQ(dialog("frm2")->findChild<QAbstractButton*>("Label6")->text(), "OK");
    EXPECT_EQ(dialog("frm2")->findChild<QAbstractButton*>("Label5")->text(), "Cancel");
}

namespace {

// One step of the wizard as transcribed into stage_steps.tsv.
struct StageStepRow {
    std::int16_t enclosure;
    int stage;
    std::string command; // "next", "back", "show" or "ok frmN"
    int stageAfter;
    std::string dialogsShown; // comma-separated, "-" for none
    std::string panelsShown;  // stage numbers, comma-separated, "-" for none
};

std::vector<StageStepRow> stageStepRows() {
    std::vector<StageStepRow> rows;
    for (const auto& c : tests::readTsvRows(STAGE_TABLES "/stage_steps.tsv", 6)) {
        const std::int16_t enclosure = c[0] == "tower"    ? catalogue::enclosure::Tower
                                       : c[0] == "laptop" ? catalogue::enclosure::Laptop
                                                          : catalogue::enclosure::None;
        rows.push_back({enclosure, std::stoi(c[1]), c[2], std::stoi(c[3]), c[4], c[5]});
    }
    return rows;
}

std::string joined(const QStringList& items) { return items.isEmpty() ? "-" : items.join(',').toStdString(); }

} // namespace

// Every command at every stage, for both enclosures: the stage afterwards and what is on show.
TEST_F(Wizard, EveryStepOfTheTableFile) {
    const auto rows = stageStepRows();
    ASSERT_EQ(rows.size(), 102u);
    const QStringList dialogNames = {"frm1", "frm2", "frm3",  "frm4",  "frm5",  "frm6", "frm7",
                                     "frm8", "frm9", "frm10", "frm11", "frm12", "Frm0"};
    auto hideEverything = [&] {
        for (const QString& name : dialogNames)
            if (QWidget* d = wizard->dialog(name)) d->hide();
        for (auto& [index, panel] : panels)
            panel->hide();
    };
    for (const StageStepRow& row : rows) {
        SCOPED_TRACE(row.command + " at stage " + std::to_string(row.stage) + ", enclosure " +
                     std::to_string(row.enclosure));
        state.enclosureType = row.enclosure;
        hideEverything();
        state.designStage = static_cast<DesignStage>(row.stage);
        if (row.command == "next") {
            wizard->Picture8_Click();
        } else if (row.command == "back") {
            wizard->Picture9_Click();
        } else if (row.command == "show") {
            wizard->stages();
        } else {
            ASSERT_EQ(row.command.rfind("ok ", 0), 0u);
            const std::string name = row.command.substr(3);
            // The dialog is opened the way a user opens it, by Next from the stage before.
            wizard->Picture8_Click();
            ASSERT_TRUE(showing(name.c_str()));
            hideEverything();
            wizard->dialog(QString::fromStdString(name))->show();
            state.designStage = static_cast<DesignStage>(row.stage);
            press(name.c_str(), "Label6");
        }
        EXPECT_EQ(stageNumber(state.designStage), row.stageAfter);
        QStringList dialogs;
        for (const QString& name : dialogNames)
            if (showing(name.toUtf8().constData())) dialogs << name;
        EXPECT_EQ(joined(dialogs), row.dialogsShown);
        QStringList stagePanels;
        for (int stage : visiblePanels())
            stagePanels << QString::number(stage);
        EXPECT_EQ(joined(stagePanels), row.panelsShown);
    }
}

// A button keeps the focus while its dialog is hidden, and a focused button takes Enter.
// Whatever was pressed last time, each showing starts with OK as the default and the focus
// on it; Esc cancels.
TEST_F(Wizard, DialogsShowWithOkReadyWhateverWasPressedLastTime) {
    struct Case {
        const char* dialog;
        DesignStage openedAt; // Next at this stage opens it
        const char* ok;
        const char* other; // pressed from the keyboard the time before
        DesignStage afterOk;
    };
    state.enclosureType = catalogue::enclosure::Tower;
    for (const Case& c :
         {Case{"frm1", DesignStage::NoEnclosure, "Label2", "Label3", DesignStage::EnclosureChosen},
          Case{"frm2", DesignStage::EnclosureChosen, "Label6", "Label5", DesignStage::Cpu},
          Case{"Frm0", DesignStage::OperatingSystem, "Label2", "Label4", DesignStage::Finished}}) {
        SCOPED_TRACE(c.dialog);
        auto open = [&] {
            state.designStage = c.openedAt;
            wizard->Picture8_Click();
            return dialog(c.dialog);
        };
        QWidget* d = open();
        ASSERT_TRUE(d && d->isVisible());
        d->findChild<QPushButton*>(c.other)->setFocus();
        QTest::keyClick(d->focusWidget(), Qt::Key_Space);
        EXPECT_FALSE(d->isVisible());
        inventoryShown = false;

        ASSERT_EQ(open(), d);
        auto* ok = d->findChild<QPushButton*>(c.ok);
        EXPECT_EQ(d->focusWidget(), ok);
        for (QPushButton* b : d->findChildren<QPushButton*>())
            EXPECT_EQ(b->isDefault(), b == ok) << b->objectName().toStdString();
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(state.designStage, c.afterOk);
        EXPECT_FALSE(inventoryShown);

        open();
        const DesignStage opened = state.designStage;
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(state.designStage, c.dialog == std::string("frm1") ? DesignStage::NoEnclosure : opened);
    }
    EXPECT_EQ(visiblePanels(), std::vector<int>{1}) << "Enter in frm2 showed its panel";
}

TEST_F(Wizard, ReportsEveryStageTheUserMovesTo) {
    std::vector<DesignStage> reported;
    QObject::connect(wizard.get(), &StageWizard::stageChanged,
                     [&](DesignStage stage) { reported.push_back(stage); });
    wizard->showDesignDialog();
    press("frm1", "Label3"); // Cancel at 89 stays at 89
    EXPECT_TRUE(reported.empty());
    chooseEnclosure(true);
    wizard->Picture8_Click();
    press("frm2", "Label5");
    EXPECT_EQ(reported, std::vector<DesignStage>{DesignStage::EnclosureChosen});
    wizard->Picture8_Click();
    press("frm2", "Label6");
    wizard->Picture9_Click();
    wizard->stages(); // showing the stage again moves nothing
    EXPECT_EQ(reported, (std::vector<DesignStage>{DesignStage::EnclosureChosen, DesignStage::Cpu,
                                                  DesignStage::EnclosureChosen}));
}
