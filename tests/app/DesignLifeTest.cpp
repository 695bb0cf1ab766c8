#include <gtest/gtest.h>

#include <fstream>
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include "app/DesignDocument.h"
#include "app/Frmmain.h"
#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "catalogue/DesignFile.h"
#include "tests/app/TestPlatform.h"
#include "ui/PictureButton.h"

using namespace bw;
using app::DesignDocument;
using app::Frmmain;
namespace codes = catalogue::codes;
using catalogue::TextField;

namespace {

// The main window with its file dialogs and questions answered by the test.
class DesignLife : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window.show();
        auto* save = window.findChild<app::SaveCommands*>();
        save->setFileChooser([this](const QString&) { return saveAnswer; });
        save->setFailureReporter([this](const QString& file, const QString&) { failures << file; });
        DesignDocument& document = window.document();
        document.setUnsavedQuestion([this](const QString& name) {
            questions << name;
            return answer;
        });
        document.setFileChooser([this] { return openAnswer; });
        document.setFailureReporter(
            [this](const QString& file, const QString& reason) { failures << file + ": " + reason; });
    }

    void trigger(const char* item) { window.findChild<QAction*>(item)->trigger(); }
    QAction* action(const char* item) { return window.findChild<QAction*>(item); }
    QLineEdit* box(const char* name) { return window.findChild<QLineEdit*>(name); }
    assembly::InventoryTree* tree() { return window.findChild<assembly::InventoryTree*>("TrView1"); }
    QString path(const QString& name) const { return dir.filePath(name); }
    const catalogue::SystemStore& store() { return window.state().store; }

    // A tower with a north bridge and memory, details typed for the bridge and left in the
    // boxes without Enter.
    void designTower() {
        window.tower();
        window.Picture4_Click(12); // North Bridge
        window.Picture4_Click(5);  // the first memory card
        window.state().partCode = codes::NorthBridge;
        window.create_find();
        box("txtmanuf")->setText("Intel Corp.");
        box("txtModel")->setText("Core i7");
        box("txtCost")->setText("$ 300");
    }

    QTemporaryDir dir;
    Frmmain window{bw::apptest::testPlatform()};
    std::optional<QString> saveAnswer, openAnswer;
    DesignDocument::Answer answer = DesignDocument::Answer::Cancel;
    QStringList questions, failures;
};

std::string readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

} // namespace

TEST_F(DesignLife, ASavedDesignOpensAgainAsItWasSaved) {
    designTower();
    ASSERT_TRUE(store().isPresent(1, codes::NorthBridge));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled* — Boardwright"));

    saveAnswer = path("tower.VELDR");
    trigger("mnusave");
    const std::string saved = readAll(*saveAnswer);
    EXPECT_TRUE(saved == catalogue::designFileText(store())) << "not the design on screen";
    EXPECT_EQ(store().text(1, codes::NorthBridge, TextField::Manufacturer), "Intel Corp.")
        << "typed details are stored before saving";
    EXPECT_EQ(store().cost(1, codes::NorthBridge), "$ 300");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("tower.VELDR — Boardwright"));

    trigger("mnunew");
    EXPECT_TRUE(questions.isEmpty()) << "nothing unsaved";
    EXPECT_EQ(store().systemCount(), 0);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_EQ(window.state().designStage, assembly::DesignStage::NoEnclosure);
    EXPECT_EQ(box("txtmanuf")->text(), "");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled — Boardwright"));
    QWidget* designDialog = window.findChild<QWidget*>("frm1");
    ASSERT_NE(designDialog, nullptr);
    EXPECT_TRUE(designDialog->isVisible());

    openAnswer = path("tower.VELDR");
    trigger("mnuopen");
    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join('\n'));
    EXPECT_FALSE(designDialog->isVisible());
    EXPECT_TRUE(catalogue::designFileText(store()) == saved) << "not the saved design";
    EXPECT_EQ(window.state().designStage, assembly::DesignStage::Finished);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("tower.VELDR — Boardwright"));
    ASSERT_NE(tree()->node("51a node"), nullptr);
    EXPECT_EQ(tree()->node("51a node")->parent(), tree()->node("51 node"));
    EXPECT_NE(tree()->node("6a node"), nullptr);
    EXPECT_NE(tree()->node("37a node"), nullptr);
    EXPECT_TRUE(tree()->isVisible());
    window.state().partCode = codes::NorthBridge;
    window.create_find();
    EXPECT_EQ(box("txtModel")->text(), "Core i7");

    // Save writes back to the opened file, byte for byte.
    trigger("mnusave");
    EXPECT_TRUE(readAll(path("tower.VELDR")) == saved) << "not written back as it was";
}

TEST_F(DesignLife, UnsavedChangesAreAskedAboutBeforeExitCloseNewAndOpen) {
    designTower();
    // Cancel: nothing happens, whichever way the user tried.
    answer = DesignDocument::Answer::Cancel;
    trigger("mnuexit");
    window.close();
    trigger("mnunew");
    openAnswer = path("never.VELDR");
    trigger("mnuopen");
    EXPECT_EQ(questions, QStringList(4, "Untitled"));
    EXPECT_FALSE(window.isExiting());
    EXPECT_TRUE(store().isPresent(1, codes::NorthBridge));
    EXPECT_TRUE(failures.isEmpty()) << "no file was opened";

    // Save on an untitled design asks for a name; cancelling that closes nothing.
    answer = DesignDocument::Answer::Save;
    trigger("mnuexit");
    EXPECT_FALSE(window.isExiting());
    saveAnswer = path("kept.VELDR");
    trigger("mnunew");
    EXPECT_TRUE(QFile::exists(*saveAnswer));
    EXPECT_EQ(store().systemCount(), 0);

    // Discard goes on; with nothing unsaved there is no question at all.
    designTower();
    answer = DesignDocument::Answer::Discard;
    questions.clear();
    trigger("mnuexit");
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(window.isExiting());
}

TEST_F(DesignLife, AFileThatIsNotADesignIsRefusedAndTheDesignStaysAsItWas) {
    designTower();
    window.stdetails(); // as the question before opening does
    answer = DesignDocument::Answer::Discard;
    const std::string before = catalogue::designFileText(store());
    const QString title = window.windowTitle();

    std::ofstream(path("wrong.VELDR").toStdString(), std::ios::binary) << " 1 \r\nMaybe\r\n";
    openAnswer = path("wrong.VELDR");
    trigger("mnuopen");
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("wrong.VELDR")) << qPrintable(failures[0]);
    EXPECT_TRUE(failures[0].contains("Line 2: expected \"True\" or \"False\"")) << qPrintable(failures[0]);

    ASSERT_EQ(::mkfifo(path("pipe.VELDR").toLocal8Bit().constData(), 0600), 0);
    openAnswer = path("pipe.VELDR");
    trigger("mnuopen");
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[1].contains("not a regular file")) << qPrintable(failures[1]);

    // A file of gigabytes (sparse: it costs no disk) is refused before it is read.
    { std::ofstream(path("huge.VELDR").toStdString()); }
    QFile::resize(path("huge.VELDR"), qint64{3} << 30);
    openAnswer = path("huge.VELDR");
    trigger("mnuopen");
    ASSERT_EQ(failures.size(), 3);
    EXPECT_TRUE(failures[2].contains("larger than")) << qPrintable(failures[2]);

    EXPECT_TRUE(catalogue::designFileText(store()) == before) << "the design changed";
    EXPECT_EQ(window.windowTitle(), title);
    EXPECT_TRUE(tree()->node("51a node"));
}

TEST_F(DesignLife, UndoAndRedoNameTheirStepAndRemoveTakesAPartOut) {
    window.tower();
    EXPECT_FALSE(action("mnuundo")->isEnabled());
    window.Picture4_Click(12);
    EXPECT_EQ(action("mnuundo")->text(), "Undo Add North Bridge");
    EXPECT_TRUE(action("mnuundo")->isEnabled());

    // Delete on the node in the tree.
    tree()->setCurrentItem(tree()->node("51a node"));
    QTest::keyClick(tree(), Qt::Key_Delete);
    EXPECT_FALSE(store().isPresent(1, codes::NorthBridge));
    EXPECT_EQ(tree()->node("51a node"), nullptr);
    EXPECT_EQ(action("mnuundo")->text(), "Undo Remove North Bridge");

    trigger("mnuundo");
    EXPECT_TRUE(store().isPresent(1, codes::NorthBridge));
    EXPECT_NE(tree()->node("51a node"), nullptr);
    EXPECT_EQ(action("mnuredo")->text(), "Redo Remove North Bridge");

    // "Remove" from the node's context menu; the enclosure's node offers none.
    const auto contextMenuOn = [this](const char* key) -> QMenu* {
        const QPoint at = tree()->visualItemRect(tree()->node(key)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree()->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(tree()->viewport(), &event);
        return tree()->findChild<QMenu*>("treeMenu");
    };
    EXPECT_EQ(contextMenuOn("37a node"), nullptr);
    QMenu* menu = contextMenuOn("51a node");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Remove");
    menu->actions()[0]->trigger();
    menu->close();
    EXPECT_FALSE(store().isPresent(1, codes::NorthBridge));
    trigger("mnuundo");
    trigger("mnuundo");
    EXPECT_FALSE(store().isPresent(1, codes::NorthBridge));
    EXPECT_FALSE(action("mnuundo")->isEnabled());
    EXPECT_EQ(action("mnuundo")->text(), "Undo");
    trigger("mnuredo");
    EXPECT_TRUE(store().isPresent(1, codes::NorthBridge));
    EXPECT_EQ(action("mnuundo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(action("mnuredo")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(action("mnuopen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(action("mnunew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));

    // Details typed and then moved away from are stored as a step of their own.
    window.state().partCode = codes::NorthBridge;
    window.create_find();
    box("txtmanuf")->setText("Intel Corp.");
    window.Picture4_Click(5);
    EXPECT_EQ(store().text(1, codes::NorthBridge, TextField::Manufacturer), "Intel Corp.");
    trigger("mnuundo");
    EXPECT_EQ(action("mnuundo")->text(), "Undo Edit North Bridge");
}

TEST_F(DesignLife, ADesignNamedOnTheCommandLineOpensInsteadOfTheDesignDialog) {
    designTower();
    saveAnswer = path("start.VELDR");
    trigger("mnusave");

    Frmmain opened{bw::apptest::testPlatform()};
    ASSERT_TRUE(opened.Form_Load(path("start.VELDR")));
    EXPECT_TRUE(catalogue::designFileText(opened.state().store) == readAll(path("start.VELDR")));
    const QWidget* designDialog = opened.findChild<QWidget*>("frm1");
    EXPECT_TRUE(!designDialog || !designDialog->isVisible());
    EXPECT_EQ(opened.windowTitle(), QStringLiteral("start.VELDR — Boardwright"));
}
