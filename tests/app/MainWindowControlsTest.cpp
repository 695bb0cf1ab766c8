#include <gtest/gtest.h>

#include <cstdlib>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <set>

#include "app/DetailsPanel.h"
#include "app/MainWindowControls.h"
#include "app/MainWindowPlacement.h"
#include "assembly/DesignState.h"
#include "assembly/InventoryTree.h"
#include "assembly/PaletteTable.h"
#include "modelview/ViewWidget.h"
#include "ui/ControlName.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

using namespace bw;
using namespace bw::app;

namespace {

class BuiltControls : public ::testing::Test {
protected:
    QWidget window;
    assembly::DesignState state;
    MainWindowControls c = buildMainWindowControls(window, state);
    MainWindowPlacement placement{window, c};
};

QString name(const QObject* o) { return o ? o->objectName() : QStringLiteral("(none)"); }

} // namespace

TEST_F(BuiltControls, TheControlsTheWindowWorksWithCarryTheirOldNames) {
    EXPECT_EQ(window.objectName(), "Frmmain");
    EXPECT_EQ(name(c.toolbar), "Picture1");
    EXPECT_EQ(name(c.menuButton), "Picture6");
    EXPECT_EQ(name(c.inventoryButton), "Image4");
    EXPECT_EQ(name(c.backButton), "Picture9");
    EXPECT_EQ(name(c.nextButton), "Picture8");
    EXPECT_EQ(name(c.statusLabel), "Label8");
    EXPECT_EQ(name(c.mainMenu), "mnumain");
    EXPECT_EQ(name(c.saveItem), "mnusave");
    EXPECT_EQ(name(c.saveAsItem), "mnusaveas");
    EXPECT_EQ(name(c.aboutItem), "mnuabt");
    EXPECT_EQ(name(c.exitItem), "mnuexit");
    EXPECT_EQ(name(c.view), "PicGR");
    EXPECT_EQ(name(c.indicatorBar), "Picture2");
    EXPECT_EQ(name(c.inventoryTitle), "Label1");
    EXPECT_EQ(name(c.inventoryTree), "TrView1");
    EXPECT_EQ(name(c.inventoryClose), "Picture15");
    EXPECT_EQ(name(c.detailsPanel), "Picture7");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(name(c.viewFrame[static_cast<std::size_t>(i)]), ui::controlName("Picbar", i));
        EXPECT_EQ(name(c.panArrows[static_cast<std::size_t>(i)]), ui::controlName("imgpan", i));
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(name(c.indicators.at(i)), ui::controlName("imgbot", i));
    for (const auto& [index, panel] : c.palettePanels)
        EXPECT_EQ(name(panel), ui::controlName("Picture3", index));

    // Each palette button is paired with the row it was built from.
    ASSERT_EQ(c.paletteButtons.size(), assembly::paletteButtons().size());
    for (const auto& [row, button] : c.paletteButtons) {
        EXPECT_EQ(name(button), ui::controlName(std::string(row->array).c_str(), row->index));
        EXPECT_EQ(button->toolTip().toStdString(), row->toolTip);
    }
}

TEST_F(BuiltControls, EveryPictureButtonHasOneKindAndTheBackgroundsResetHover) {
    std::set<ui::PictureButton*> sized;
    for (const auto& [button, kind] : c.pictureButtons)
        EXPECT_TRUE(sized.insert(button).second) << name(button).toStdString();
    const QList<ui::PictureButton*> all = window.findChildren<ui::PictureButton*>();
    EXPECT_EQ(sized, std::set<ui::PictureButton*>(all.begin(), all.end()));

    std::set<ui::Panel*> resetting(c.hoverResetPanels.begin(), c.hoverResetPanels.end());
    for (ui::Panel* panel : window.findChildren<ui::Panel*>())
        EXPECT_TRUE(resetting.count(panel)) << name(panel).toStdString();
}

// The controls paint their own colours: a style sheet would be matched against every
// control each time one is polished.
TEST_F(BuiltControls, TheWindowsColoursArePaintedWithoutAStyleSheet) {
    EXPECT_TRUE(window.styleSheet().isEmpty());
    for (const QWidget* w : window.findChildren<QWidget*>())
        EXPECT_TRUE(w->styleSheet().isEmpty()) << name(w).toStdString();

    placement.applyDesignTime(96.0);
    ui::Panel* stagePanel = c.palettePanels.at(assembly::kStagePanels[0]);
    stagePanel->show();
    c.inventoryTitle->show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    auto at = [&](const QWidget* w, int x, int y) {
        return shot.pixelColor(w->mapTo(&window, QPoint(x, y)));
    };
    auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
               std::abs(a.blue() - b.blue()) <= 2;
    };
    const QColor slate(0x37, 0x47, 0x4f);

    EXPECT_EQ(at(c.viewFrame[0], c.viewFrame[0]->width() / 2, 1), QColor("#00897b"));
    // The toolbar darkens downwards.
    EXPECT_TRUE(near(at(c.toolbar, 1, 0), slate)) << at(c.toolbar, 1, 0).name().toStdString();
    EXPECT_TRUE(near(at(c.toolbar, 1, c.toolbar->height() - 1), QColor(0x26, 0x32, 0x38)));
    // Rounded boxes: their colour inside, not in the corner.
    const QWidget* bar = c.indicatorBar;
    EXPECT_EQ(at(bar, bar->width() / 2, 1), QColor("#cfd8dc"));
    EXPECT_NE(at(bar, 0, 0), QColor("#cfd8dc"));
    EXPECT_EQ(at(stagePanel, stagePanel->width() / 2, stagePanel->height() - 2), QColor("#eceff1"));
    EXPECT_EQ(at(stagePanel, stagePanel->width() / 2, 0), QColor("#b0bec5")) << "its border";
    EXPECT_NE(at(stagePanel, 0, 0), QColor("#b0bec5"));
    // The inventory's title is rounded at the top only.
    const QWidget* title = c.inventoryTitle;
    EXPECT_EQ(at(title, 2, title->height() / 2), slate);
    EXPECT_EQ(at(title, 0, title->height() - 1), slate);
    EXPECT_NE(at(title, 0, 0), slate);
    for (const QLabel* label : {c.inventoryTitle, c.statusLabel}) {
        EXPECT_TRUE(label->font().bold()) << name(label).toStdString();
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor("#eceff1"))
            << name(label).toStdString();
    }
}

TEST_F(BuiltControls, PictureSizesFollowTheirKindAtAnyDensity) {
    for (double dpi : {96.0, 120.0, 144.0}) {
        placement.applyDesignTime(dpi);
        // The sizes as the toolbar-button fractions gave them before the table held them.
        const int toolbar = ui::twipsToPixels(720, dpi);
        auto height = [](QWidget* w) { return w->height(); };
        EXPECT_EQ(height(c.menuButton), toolbar) << dpi;
        EXPECT_EQ(height(c.nextButton), toolbar) << dpi;
        EXPECT_EQ(height(window.findChild<QWidget*>("Image1(6)")), toolbar * 5 / 6) << dpi;
        EXPECT_EQ(height(c.panArrows[0]), toolbar * 2 / 3) << dpi;
        EXPECT_EQ(height(c.inventoryClose), ui::twipsToPixels(390, dpi)) << dpi;
        auto* cpu = window.findChild<ui::PictureButton*>("Picture5(19)");
        ASSERT_NE(cpu, nullptr);
        EXPECT_EQ(cpu->height() - cpu->fontMetrics().height(), ui::twipsToPixels(600, dpi)) << dpi;
    }
}

TEST_F(BuiltControls, StagePalettesStackInOneColumnLeftOfTheView) {
    placement.applyDesignTime(96.0);
    for (int index : assembly::kStagePanels) {
        const QRect g = c.palettePanels.at(index)->geometry();
        // 15 twips a pixel at 96 dpi.
        EXPECT_EQ(g.topLeft(), QPoint(2, 75)) << index;
        EXPECT_EQ(g.width(), 62) << index;
        EXPECT_LT(g.right(), c.view->x()) << index;
    }
}
