#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/ExitAtDesignDialog.h"
#include "app/Frmmain.h"
#include "tests/app/TestPlatform.h"

using namespace bw::app;

TEST(ExitAtDesignDialog, AskedForByTheEnvironmentOnly) {
    qunsetenv("BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG");
    EXPECT_FALSE(exitAtDesignDialogRequested());
    qputenv("BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG", "1");
    EXPECT_TRUE(exitAtDesignDialogRequested());
    qputenv("BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG", "0");
    EXPECT_FALSE(exitAtDesignDialogRequested());
    qunsetenv("BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG");
}

TEST(ExitAtDesignDialog, ExitRunsOnceTheDesignDialogHasBeenDrawn) {
    QTemporaryDir settings;
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(SettingsFile(settings.path()));
    exitOnceDesignDialogDrawn(window);
    QSignalSpy exiting(&window, &Frmmain::exiting);

    // The main window alone drawn: start-up has not reached the dialog.
    window.show();
    QTest::qWait(50);
    EXPECT_EQ(exiting.count(), 0);

    ASSERT_TRUE(window.Form_Load());
    for (int i = 0; i < 100 && exiting.count() == 0; ++i)
        QTest::qWait(20);
    EXPECT_EQ(exiting.count(), 1);
    EXPECT_TRUE(window.isExiting());
    EXPECT_FALSE(window.isVisible());
}
