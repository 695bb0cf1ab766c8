#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "app/DesignDocument.h"
#include "app/FirstStageHint.h"
#include "app/Frmmain.h"
#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "tests/app/TestPlatform.h"

using namespace bw;
using app::FirstStageHint;
using assembly::DesignStage;

namespace {

// The main window after start-up, its questions answered by the test.
class StageHint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window.findChild<app::SaveCommands*>()->setFileChooser(
            [this](const QString&) { return std::optional(dir.filePath("t.VELDR")); });
        window.document().setUnsavedQuestion(
            [](const QString&) { return app::DesignDocument::Answer::Discard; });
        ASSERT_TRUE(window.Form_Load());
    }
    void TearDown() override {
        for (const char* name : {"frm1", "frm2", "frm3"})
            if (auto* d = window.findChild<QWidget*>(name)) d->hide();
    }

    QLabel* status() const { return window.findChild<QLabel*>("Label8"); }
    QString spoken() const {
        return QAccessible::queryAccessibleInterface(status())->text(QAccessible::Name);
    }
    bool hinted() const { return status()->text() == FirstStageHint::text(); }
    void press(const char* dialog, const char* button) {
        auto* d = window.findChild<QWidget*>(dialog);
        ASSERT_TRUE(d && d->isVisible()) << dialog;
        QTest::mouseClick(d->findChild<QAbstractButton*>(button), Qt::LeftButton);
    }
    void click(const char* button) {
        QTest::mouseClick(window.findChild<QWidget*>(button), Qt::LeftButton, {}, QPoint(4, 4));
    }
    void hover(const char* button) {
        QWidget* w = window.findChild<QWidget*>(button);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        window.Form_MouseMove();
    }

    QTemporaryDir dir;
    app::Frmmain window{bw::apptest::testPlatform()};
};

} // namespace

TEST_F(StageHint, SaysHowToBeginUntilTheUserFirstLeavesTheFirstStage) {
    EXPECT_TRUE(hinted()) << "at the Design dialog";
    EXPECT_TRUE(spoken().contains(FirstStageHint::text())) << spoken().toStdString();
    press("frm1", "Label2");
    EXPECT_EQ(window.state().designStage, DesignStage::EnclosureChosen);
    EXPECT_TRUE(hinted()) << "after the Design dialog";
    hover("Picture9");
    EXPECT_TRUE(hinted()) << "the pointer over Back does not push the hint away";

    click("Picture8");
    press("frm2", "Label5"); // Cancel
    EXPECT_TRUE(hinted()) << "still at the first stage";
    click("Picture8");
    press("frm2", "Label6");
    EXPECT_EQ(window.state().designStage, DesignStage::Cpu);
    EXPECT_TRUE(status()->text().isEmpty());
    EXPECT_EQ(spoken(), "Status");

    // From here on the label names the arrow under the pointer again.
    hover("Picture8");
    EXPECT_EQ(status()->text(), "Next Stage");
    EXPECT_TRUE(spoken().contains("Next Stage"));
    click("Picture9");
    EXPECT_EQ(window.state().designStage, DesignStage::EnclosureChosen);
    EXPECT_FALSE(hinted()) << "gone for good";

    // A new design starts at the Design dialog, without the hint this user no longer needs.
    window.findChild<QAction*>("mnunew")->trigger();
    EXPECT_EQ(window.state().designStage, DesignStage::NoEnclosure);
    EXPECT_TRUE(window.findChild<QWidget*>("frm1")->isVisible());
    EXPECT_FALSE(hinted());
}

TEST_F(StageHint, AnOpenedDesignHidesItUntilANewDesign) {
    press("frm1", "Label2");
    window.findChild<QAction*>("mnusave")->trigger();
    ASSERT_TRUE(QFile::exists(dir.filePath("t.VELDR")));

    ASSERT_TRUE(window.document().openFile(dir.filePath("t.VELDR")));
    EXPECT_EQ(window.state().designStage, DesignStage::Finished);
    EXPECT_FALSE(hinted()) << "an opened design is past its first stage";
    EXPECT_EQ(spoken(), "Status");

    // The user never walked a stage, so the hint comes back with the Design dialog.
    window.findChild<QAction*>("mnunew")->trigger();
    EXPECT_TRUE(hinted());
    press("frm1", "Label2");
    click("Picture8");
    press("frm2", "Label6");
    EXPECT_FALSE(hinted());
    window.findChild<QAction*>("mnunew")->trigger();
    EXPECT_FALSE(hinted());
}
