#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/DesignDocument.h"
#include "app/ExportCommands.h"
#include "app/Frmmain.h"
#include "app/SaveCommands.h"
#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "modelview/ModelView.h"
#include "tests/app/TestPlatform.h"

using namespace bw;
using app::Frmmain;
namespace codes = catalogue::codes;

namespace {

class CostsAndExports : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(window.Form_Load());
        app::ExportCommands& exports = window.exports();
        exports.setFileChooser([this](const QString&, const QStringList& filters, const QString&) {
            offered << filters;
            return answer;
        });
        exports.setSizeChooser([this](QSize view) {
            viewSize = view;
            return size;
        });
        exports.setFailureReporter(
            [this](const QString& file, const QString& why) { failures << file + ": " + why; });
        window.document().setUnsavedQuestion(
            [](const QString&) { return app::DesignDocument::Answer::Discard; });
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void trigger(const char* item) { window.findChild<QAction*>(item)->trigger(); }
    QLabel* total() { return window.findChild<QLabel*>("lblTotal"); }
    QString root() {
        const QTreeWidgetItem* node = window.findChild<assembly::InventoryTree*>("TrView1")->node("1 node");
        return node ? node->text(0) : QString();
    }
    // Details as the user stores them: typed, then Enter.
    void price(catalogue::PartCode code, const QString& cost) {
        window.state().partCode = code;
        window.create_find();
        auto* box = window.findChild<QLineEdit*>("txtCost");
        box->setText(cost);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTemporaryDir dir;
    Frmmain window{bw::apptest::testPlatform()};
    std::optional<QString> answer;
    std::optional<QSize> size;
    QSize viewSize;
    QList<QStringList> offered;
    QStringList failures;
};

} // namespace

TEST_F(CostsAndExports, TheTotalFollowsEveryChangeOfTheDesign) {
    ASSERT_NE(total(), nullptr);
    EXPECT_EQ(total()->accessibleName(), "Total");
    EXPECT_EQ(total()->text(), "") << "no design yet";

    window.tower();
    EXPECT_EQ(total()->text(), "Total 0.00 (2 parts not priced)");
    price(codes::Baseboard, "$ 99.50");
    EXPECT_EQ(total()->text(), "Total $ 99.50 (1 part not priced)");
    window.Picture4_Click(12); // North Bridge
    EXPECT_EQ(total()->text(), "Total $ 99.50 (2 parts not priced)");
    price(codes::NorthBridge, "$1,000");
    EXPECT_EQ(total()->text(), "Total $ 1,099.50 (1 part not priced)");
    EXPECT_EQ(root(), "PC — $ 1,099.50");

    // A cost that is not a number is not counted as 0; another currency drops the sign.
    price(codes::NorthBridge, "about 40");
    EXPECT_EQ(total()->text(), "Total $ 99.50 (2 parts not priced)");
    price(codes::NorthBridge, "40 EUR");
    EXPECT_EQ(total()->text(), "Total 139.50 (1 part not priced)");

    trigger("mnuundo"); // back to "about 40"
    EXPECT_EQ(total()->text(), "Total $ 99.50 (2 parts not priced)");
    window.findChild<assembly::InventoryTree*>("TrView1")->setCurrentItem(
        window.findChild<assembly::InventoryTree*>("TrView1")->node("51a node"));
    QTest::keyClick(window.findChild<assembly::InventoryTree*>("TrView1"), Qt::Key_Delete);
    EXPECT_EQ(total()->text(), "Total $ 99.50 (1 part not priced)");

    // Saved and opened again: the same total; a new design has none.
    window.findChild<app::SaveCommands*>()->setFileChooser(
        [this](const QString&) { return dir.filePath("t.VELDR"); });
    trigger("mnusave");
    trigger("mnunew");
    EXPECT_EQ(total()->text(), "");
    window.document().setFileChooser([this] { return std::optional(dir.filePath("t.VELDR")); });
    trigger("mnuopen");
    EXPECT_EQ(total()->text(), "Total $ 99.50 (1 part not priced)");
    EXPECT_EQ(root(), "PC — $ 99.50");
}

TEST_F(CostsAndExports, TheMenuWritesEachFormatAndSaysWhenItCannot) {
    window.tower();
    price(codes::Baseboard, "$ 99.50");

    answer = dir.filePath("parts.md");
    trigger("mnuexportparts");
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0], QStringList({"CSV table (*.csv)", "Markdown table (*.md)", "Web page (*.html)"}));
    QFile markdown(*answer);
    ASSERT_TRUE(markdown.open(QIODevice::ReadOnly));
    EXPECT_TRUE(markdown.readAll().contains("| Motherboard | Baseboard |"));

    // The picture: the size asked for, starting from the view's.
    answer = dir.filePath("model.png");
    size = QSize(640, 360);
    trigger("mnuexportpicture");
    EXPECT_EQ(viewSize, QSize(window.modelView().viewWidth(), window.modelView().viewHeight()));
    EXPECT_EQ(QImage(*answer).size(), QSize(640, 360));
    size.reset(); // cancelled: nothing asked further, nothing written
    answer = dir.filePath("never.png");
    trigger("mnuexportpicture");
    EXPECT_FALSE(QFile::exists(*answer));

    answer = dir.filePath("report.pdf");
    trigger("mnuexportreport");
    QFile pdf(*answer);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join('\n'));
    answer = dir.filePath("no/such/folder/parts.csv");
    trigger("mnuexportparts");
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(*answer));
}
