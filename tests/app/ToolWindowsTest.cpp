#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>

#include "app/Frmabt.h"
#include "app/FrmColor.h"
#include "app/ToolWindows.h"
#include "scene3d/init/D3DInit.h"
#include "TopLevelWindow.h"

using namespace bw;
using namespace bw::app;

namespace {

class SilentNotifier : public UserNotifier {
public:
    void showInformation(const std::string&, const std::string&) override {}
    void showError(const std::string&, const std::string&) override {}
    void endProgram() override {}
};

} // namespace

TEST(ToolWindows, EachWindowIsMadeOnceAndStaysOnItsOwn) {
    ToolWindows windows(nullptr);
    EXPECT_EQ(tests::topLevelWindow<FrmColor>("FrmColor"), nullptr);
    windows.showColourDialog();
    auto* dialog = tests::topLevelWindow<FrmColor>("FrmColor");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    dialog->hide();
    windows.showColourDialog();
    EXPECT_EQ(tests::topLevelWindow<FrmColor>("FrmColor"), dialog);
    EXPECT_TRUE(dialog->isVisible());

    SilentNotifier notifier;
    D3DInit noDevice(notifier);
    windows.showAbout(noDevice);
    auto* about = tests::topLevelWindow<Frmabt>("Frmabt");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->findChild<QLabel*>("LabelDevice")->isHidden());

    windows.hideAll();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(about->isVisible());
}

TEST(ToolWindows, OkInTheColourDialogHandsTheColourOn) {
    ToolWindows windows(nullptr);
    QSignalSpy chosen(&windows, &ToolWindows::colourChosen);
    windows.showColourDialog();
    auto* dialog = tests::topLevelWindow<FrmColor>("FrmColor");
    ASSERT_NE(dialog, nullptr);
    dialog->Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    dialog->Colors_MouseUp(Qt::LeftButton);
    dialog->Command1_Click(0);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 0xFF0000);
}

TEST(ToolWindows, TheyGoWithTheirOwner) {
    auto* windows = new ToolWindows(nullptr);
    windows->showColourDialog();
    ASSERT_NE(tests::topLevelWindow<FrmColor>("FrmColor"), nullptr);
    delete windows;
    EXPECT_EQ(tests::topLevelWindow<FrmColor>("FrmColor"), nullptr);
}
