#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/Frmmain.h"
#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "catalogue/DesignFile.h"
#include "tests/app/TestPlatform.h"
#include "ui/PictureButton.h"

using namespace bw;
using bw::app::Frmmain;
using catalogue::TextField;

namespace {

template <typename T = QWidget> T* find(const Frmmain& window, const char* name) {
    auto* w = window.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, 4)); }

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

// A system with the processor just added, as the add commands leave it.
void addProcessor(Frmmain& window) {
    auto& state = window.state();
    state.store.setCurrentSystem(*state.store.addSystem());
    state.store.setText(1, catalogue::codes::IntelProcessor, TextField::PartName, "Intel");
    state.partCode = catalogue::codes::IntelProcessor;
}

} // namespace

TEST(Inventory, ToolbarShowsItAndItsButtonClosesItKeepingTheNodes) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    auto* tree = find<assembly::InventoryTree>(window, "TrView1");
    ASSERT_NE(tree, nullptr);
    tree->build_tree(catalogue::enclosure::Tower);
    tree->addNode("37 node", "37a node", "Tower", "tower");
    click(find(window, "Image4"));
    for (const char* name : {"TrView1", "Picture15", "Label1"})
        EXPECT_TRUE(find(window, name)->isVisible()) << name;
    click(find(window, "Picture15"));
    for (const char* name : {"TrView1", "Picture15", "Label1"})
        EXPECT_FALSE(find(window, name)->isVisible()) << name;
    click(find(window, "Image4"));
    EXPECT_NE(tree->node("37a node"), nullptr);
    EXPECT_EQ(tree->node("1 node")->childCount(), 38);

    // Clicking a node changes nothing else.
    const auto partCode = window.state().partCode;
    tree->setCurrentItem(tree->node("37a node"));
    EXPECT_EQ(window.state().partCode, partCode);
}

TEST(Details, TheViewPanelButtonShowsAndHidesTheEditor) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    auto* panel = find(window, "Picture7");
    EXPECT_FALSE(panel->isVisible());
    click(find(window, "Picture5(17)"));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(window.findChild<QWidget*>("PicGR")->geometry().contains(panel->geometry()));
    click(find(window, "Picture5(17)"));
    EXPECT_FALSE(panel->isVisible());
}

TEST(Details, PastedLineBreaksAreStoredAndShownAsSpaces) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    click(find(window, "Picture5(17)"));
    addProcessor(window);
    window.create_find();
    auto* manuf = find<QLineEdit>(window, "txtmanuf");
    auto* cost = find<QLineEdit>(window, "txtCost");
    // What a spreadsheet cell brings along when copied.
    manuf->setText("Intel\r\nCorp.");
    cost->setText("300\n");
    click(cost);
    const auto& store = window.state().store;
    EXPECT_EQ(store.text(1, catalogue::codes::IntelProcessor, TextField::Manufacturer), "Intel Corp.");
    EXPECT_EQ(store.cost(1, catalogue::codes::IntelProcessor), "300 ");
    EXPECT_EQ(manuf->text(), "Intel Corp.") << "the box shows what was stored";
    EXPECT_EQ(cost->text(), "300 ");
}

TEST(Details, TypedDetailsAreStoredOnEnterLeavingTheBoxOrClickingCostEvenWithoutACost) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    click(find(window, "Picture5(17)"));
    auto* manuf = find<QLineEdit>(window, "txtmanuf");
    auto* model = find<QLineEdit>(window, "txtModel");
    auto* cost = find<QLineEdit>(window, "txtCost");
    auto* part = find<QLabel>(window, "lblpart");
    const auto& store = window.state().store;
    const auto stored = [&store](TextField field) {
        return store.text(1, catalogue::codes::IntelProcessor, field);
    };

    // Nothing selected yet: neither a click nor show does anything.
    type(manuf, "Acme");
    type(cost, "12");
    click(cost);
    window.create_find();
    EXPECT_EQ(manuf->text(), "Acme");

    addProcessor(window);
    window.create_find();
    EXPECT_EQ(part->text(), "Intel");
    EXPECT_EQ(manuf->text(), "");
    EXPECT_EQ(cost->text(), "");

    // Enter stores, with an empty cost kept as no cost.
    type(manuf, "Intel Corp.");
    QTest::keyClick(manuf, Qt::Key_Return);
    EXPECT_EQ(stored(TextField::Manufacturer), "Intel Corp.");
    EXPECT_FALSE(store.cost(1, catalogue::codes::IntelProcessor).has_value());

    // Leaving a box stores.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    model->setFocus();
    type(model, "Core i7");
    manuf->setFocus();
    EXPECT_EQ(stored(TextField::Model), "Core i7");

    // Clicking Cost stores, as it always did.
    type(cost, "£ 300 or so");
    click(cost);
    EXPECT_EQ(store.cost(1, catalogue::codes::IntelProcessor), "£ 300 or so");
    EXPECT_EQ(stored(TextField::PartName), "Intel");

    // Shown again after the boxes were changed.
    type(manuf, "changed");
    window.create_find();
    EXPECT_EQ(manuf->text(), "Intel Corp.");
    EXPECT_EQ(cost->text(), "£ 300 or so");
}

class Saving : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        window.state().store.setCurrentSystem(*window.state().store.addSystem());
        save = window.findChild<app::SaveCommands*>();
        ASSERT_NE(save, nullptr);
        save->setFileChooser([this](const QString& proposed) {
            proposals << proposed;
            return answer;
        });
        save->setFailureReporter(
            [this](const QString& file, const QString& reason) { failures << file + ": " + reason; });
    }
    void TearDown() override { QDir::setCurrent(previous); }

    void trigger(const char* item) { window.findChild<QAction*>(item)->trigger(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString previous;
    Frmmain window{bw::apptest::testPlatform()};
    app::SaveCommands* save = nullptr;
    std::optional<QString> answer;
    QStringList proposals, failures;
};

TEST_F(Saving, CancellingTheFirstSaveWritesNothing) {
    trigger("mnusave");
    ASSERT_EQ(proposals.size(), 1);
    EXPECT_EQ(QFileInfo(proposals[0]).fileName(), "Untitled.VELDR");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(Saving, SaveAsThenSaveRewritesTheSameFile) {
    answer = path("first.VELDR");
    trigger("mnusave");
    ASSERT_TRUE(QFile::exists(*answer));
    window.state().store.setPresent(1, 5, true);
    trigger("mnusave"); // no dialog the second time
    EXPECT_EQ(proposals.size(), 1);
    QFile file(*answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), catalogue::designFileText(window.state().store));

    answer.reset();
    trigger("mnusaveas"); // proposes the last name; cancelling keeps the file
    EXPECT_EQ(proposals.last(), path("first.VELDR"));
    EXPECT_TRUE(QFile::exists(path("first.VELDR")));
}

TEST_F(Saving, AFileThatCannotBeWrittenIsReportedAndLaterSavesWork) {
    answer = path("no/such/folder/x.VELDR");
    trigger("mnusaveas");
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(*answer));
    EXPECT_GT(failures[0].size(), answer->size() + 2) << "the reason is given";

    answer = path("good.VELDR");
    trigger("mnusaveas");
    EXPECT_EQ(failures.size(), 1);
    EXPECT_TRUE(QFile::exists(*answer));
}
