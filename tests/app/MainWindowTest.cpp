#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/FrmColor.h"
#include "app/Frmmain.h"
#include "assembly/DesignState.h"
#include "assembly/PaletteTable.h"
#include "modelview/ModelView.h"
#include "tests/app/TestPlatform.h"
#include "ui/ControlName.h"
#include "ui/PictureButton.h"

using namespace bw;
using bw::app::Frmmain;

namespace {

QWidget* control(const Frmmain& window, const QString& name) {
    auto* w = window.findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Visible as far as its own flag goes: the window itself need not be shown.
bool shown(const Frmmain& window, const QString& name) {
    QWidget* w = control(window, name);
    return w && !w->isHidden();
}

void moveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

TEST(MainWindow, ControlGroupsStartVisibleOrHiddenAsDesigned) {
    Frmmain window{bw::apptest::testPlatform()};
    for (const char* name :
         {"PicGR",      "Picture1",    "Image4",       "Image1(4)",    "Image1(5)", "Image1(6)", "Image1(7)",
          "Label8",     "Picture2",    "imgbot(0)",    "imgbot(1)",    "Picbar(0)", "Picbar(1)", "Picbar(2)",
          "Picbar(3)",  "Picture3(7)", "Picture3(10)", "Picture3(13)", "Picture8",  "Picture9",  "Picture6",
          "picbut(16)", "picbut(17)",  "imgpan(0)",    "imgpan(1)",    "imgpan(2)", "imgpan(3)"})
        EXPECT_TRUE(shown(window, name)) << name;
    for (const char* name : {"TrView1", "Picture15", "Label1", "imgbot(2)"})
        EXPECT_FALSE(shown(window, name)) << name;
    for (int panel : assembly::kStagePanels)
        EXPECT_FALSE(shown(window, ui::controlName("Picture3", panel))) << panel;

    // Every palette button sits on its own panel with its tool tip and caption.
    for (const assembly::PaletteButton& b : assembly::paletteButtons()) {
        const QString name = ui::controlName(std::string(b.array).c_str(), b.index);
        auto* button = window.findChild<ui::PictureButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        EXPECT_EQ(button->parentWidget()->objectName(), ui::controlName("Picture3", b.panel));
        EXPECT_EQ(button->toolTip().toStdString(), b.toolTip);
        EXPECT_EQ(button->caption().toStdString(), b.caption);
    }
    EXPECT_EQ(qobject_cast<QLabel*>(control(window, "Label1"))->text(), "   Inventory");
    EXPECT_EQ(control(window, "Image1(6)")->toolTip(), "Scan Current Node");
}

TEST(MainWindow, EveryControlHasAnAccessibleName) {
    Frmmain window{bw::apptest::testPlatform()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool actsOrReads =
            qobject_cast<ui::PictureButton*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QTreeWidget*>(w);
        if (actsOrReads) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST(MainWindow, NormalDensityKeepsTheDesignTimeLayout) {
    Frmmain window{bw::apptest::testPlatform()};
    const QRect view = control(window, "PicGR")->geometry();
    const QSize size = window.size();
    window.checkDisplayDensity(96.0);
    EXPECT_EQ(window.largeFontFlag(), 1);
    EXPECT_EQ(control(window, "PicGR")->geometry(), view);
    EXPECT_EQ(window.size(), size);

    window.checkDisplayDensity(105.0);
    EXPECT_EQ(window.largeFontFlag(), 1);
    EXPECT_EQ(window.size(), size);
}

TEST(MainWindow, LargeFontsApplyTheCompactLayout) {
    Frmmain window{bw::apptest::testPlatform()};
    window.move(40, 30);
    const int picture2Height = control(window, "Picture2")->height();
    const int treeWidth = control(window, "TrView1")->width();
    window.checkDisplayDensity(120.0);
    EXPECT_EQ(window.largeFontFlag(), 0);
    // 12 twips per pixel at 120 dpi.
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.size(), QSize(977, 687));
    EXPECT_EQ(control(window, "PicGR")->geometry(), QRect(83, 94, 885, 535));
    EXPECT_EQ(control(window, "Picture8")->x(), 868);
    EXPECT_EQ(control(window, "TrView1")->height(), 417);
    EXPECT_EQ(control(window, "TrView1")->width(), treeWidth);
    EXPECT_EQ(control(window, "Picture2")->y(), 630);
    EXPECT_EQ(control(window, "Picture2")->height(), picture2Height);
    EXPECT_LT(control(window, "Label8")->geometry().right(), control(window, "Picture8")->x());

    // The panels that float over the view follow it and stay inside it.
    const QRect view = control(window, "PicGR")->geometry();
    for (const char* overlay : {"Picture3(7)", "Picture3(10)", "Picture3(13)"})
        EXPECT_TRUE(view.contains(control(window, overlay)->geometry())) << overlay;
}

// Qt's scaling turns 120 dpi into 96 logical dpi at a ratio of 1.25: the same layout in
// logical pixels, which the ratio brings to the 120-dpi size on the device.
TEST(MainWindow, LargeFontsUnderQtsScalingLayOutInLogicalPixels) {
    Frmmain window{bw::apptest::testPlatform()};
    window.checkDisplayDensity(96.0, 1.0);
    EXPECT_EQ(window.largeFontFlag(), 1);
    EXPECT_EQ(window.size(), QSize(1024, 688));

    window.checkDisplayDensity(96.0, 1.25);
    EXPECT_EQ(window.largeFontFlag(), 0);
    EXPECT_EQ(window.size(), QSize(782, 550));
    EXPECT_EQ(control(window, "PicGR")->geometry(), QRect(66, 75, 708, 428));
    EXPECT_EQ(control(window, "Picture8")->x(), 694);
    EXPECT_EQ(control(window, "TrView1")->height(), 333);
    EXPECT_EQ(control(window, "Picture2")->y(), 504);
    EXPECT_LT(control(window, "Label8")->geometry().right(), control(window, "Picture8")->x());
}

TEST(MainWindow, HoverLightsButtonsUntilTheBackgroundIsCrossed) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    auto* cpu = window.findChild<ui::PictureButton*>("Picture5(19)");
    auto* next = window.findChild<ui::PictureButton*>("Picture8");
    auto* base = window.findChild<ui::PictureButton*>("picbut(17)");
    ASSERT_TRUE(cpu && next && base);

    moveMouseOver(base);
    moveMouseOver(next);
    // Moving straight from one button to another leaves both lit.
    EXPECT_TRUE(base->isHighlighted());
    EXPECT_TRUE(next->isHighlighted());
    EXPECT_FALSE(cpu->isHighlighted());

    moveMouseOver(control(window, "Picture3(7)"));
    EXPECT_FALSE(base->isHighlighted());
    EXPECT_FALSE(next->isHighlighted());

    // A reset with nothing lit changes no picture, even one lit behind its back.
    cpu->setHighlighted(true);
    window.Form_MouseMove();
    EXPECT_TRUE(cpu->isHighlighted());
}

TEST(MainWindow, MenuButtonOffersAboutAndExit) {
    Frmmain window{bw::apptest::testPlatform()};
    auto* menu = window.findChild<QMenu*>("mnumain");
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* a : menu->actions())
        if (a->isVisible()) captions << a->text();
    EXPECT_EQ(captions.mid(captions.size() - 2), QStringList({"About Boardwright", "Exit"}));
}

TEST(MainWindow, ViewAndPanButtonsDriveTheModelAndItsIndicators) {
    QTemporaryDir settings;
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(app::SettingsFile(settings.path()));
    ASSERT_TRUE(window.Form_Load());
    modelview::ModelView& view = window.modelView();
    auto click = [&](const char* name) {
        QTest::mouseClick(control(window, name), Qt::LeftButton, {}, QPoint(4, 4));
    };

    const Vector3 start = view.cameraEye();
    click("imgpan(0)");    // up
    click("imgpan(1)");    // left
    click("Picture5(20)"); // zoom in
    EXPECT_FLOAT_EQ(view.cameraEye().y, start.y - 1.0f);
    EXPECT_FLOAT_EQ(view.cameraEye().x, start.x + 1.0f);
    EXPECT_FLOAT_EQ(view.cameraEye().z, start.z + 1.0f);
    click("imgpan(2)");     // down
    click("imgpan(3)");     // right
    click("Picture5(13)");  // zoom out
    window.imgpan_Click(4); // no such arrow
    EXPECT_FLOAT_EQ(view.cameraEye().x, start.x);
    EXPECT_FLOAT_EQ(view.cameraEye().y, start.y);
    EXPECT_FLOAT_EQ(view.cameraEye().z, start.z);

    // Each switch of the view panel shows its state under the view.
    for (int round = 0; round < 2; ++round) {
        click("picbut(16)");
        EXPECT_EQ(shown(window, "imgbot(0)"), view.axesShown()) << round;
        click("picbut(17)");
        EXPECT_EQ(shown(window, "imgbot(1)"), view.baseShown()) << round;
        click("Picture5(12)");
        EXPECT_EQ(shown(window, "imgbot(2)"), view.lightsOn()) << round;
    }
    EXPECT_TRUE(view.axesShown() && view.baseShown() && !view.lightsOn());
    window.findChild<QWidget*>("frm1")->hide();
}

// Every dialog of the window is sized to its text: no line is cut off, wrapped or not.
TEST(MainWindow, EveryDialogsTextFits) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    assembly::DesignState& state = window.state();
    for (std::int16_t enclosure : {catalogue::enclosure::Tower, catalogue::enclosure::Laptop}) {
        state.enclosureType = enclosure;
        for (assembly::DesignStage stage : assembly::kDesignStages) {
            state.designStage = stage;
            QTest::mouseClick(control(window, "Picture8"), Qt::LeftButton, {}, QPoint(4, 4));
        }
    }
    window.mnuabt_Click();
    QTest::mouseClick(control(window, "Picture5(18)"), Qt::LeftButton, {}, QPoint(4, 4));

    QStringList checked;
    for (auto* dialog : window.findChildren<QDialog*>()) {
        dialog->show();
        checked << dialog->objectName();
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !label->isVisibleTo(dialog)) continue;
            SCOPED_TRACE(dialog->objectName().toStdString() + ": " + label->text().toStdString());
            EXPECT_TRUE(dialog->rect().contains(QRect(label->mapTo(dialog, QPoint(0, 0)), label->size())));
            if (label->wordWrap())
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            else
                EXPECT_LE(label->sizeHint().width(), label->width());
        }
        dialog->hide();
    }
    checked.sort();
    EXPECT_EQ(checked, QStringList({"Frm0", "FrmColor", "Frmabt", "frm1", "frm10", "frm11", "frm12", "frm2",
                                    "frm3", "frm4", "frm5", "frm6", "frm7", "frm8", "frm9"}));
}

// The dialogs' controls reuse the window's control names, but not its looks.
TEST(MainWindow, PaintsItsBackgroundAndItsDialogsKeepTheirOwnLook) {
    Frmmain window{bw::apptest::testPlatform()};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    const QWidget* leftBar = control(window, "Picbar(2)");
    EXPECT_EQ(shot.pixelColor(leftBar->x() - 2, leftBar->y() + leftBar->height() / 2), QColor("#dfe6ea"))
        << "left of the view, where the stages' palettes are hidden";
    QTest::mouseClick(control(window, "Picture5(18)"), Qt::LeftButton, {}, QPoint(4, 4));
    auto* colour = window.findChild<app::FrmColor*>("FrmColor");
    ASSERT_NE(colour, nullptr);
    colour->Colors_MouseDown(Qt::LeftButton, QPoint(0, 0)); // pure red
    colour->Colors_MouseMove(QPoint(0, 0));
    for (const char* swatch : {"Picture1", "Picture2"}) {
        QWidget* w = colour->findChild<QWidget*>(swatch);
        const QImage picture = w->grab().toImage();
        EXPECT_EQ(QColor(picture.pixel(w->width() / 2, w->height() / 2)), QColor(Qt::red)) << swatch;
    }
    colour->hide();

    window.mnuabt_Click();
    auto* version = window.findChild<QWidget*>("Frmabt")->findChild<QLabel*>("Label1");
    ASSERT_NE(version, nullptr);
    EXPECT_NE(QColor(version->grab().toImage().pixel(1, 1)), QColor(0x37, 0x47, 0x4f))
        << "the inventory's title band";
    window.findChild<QWidget*>("Frmabt")->hide();
}
