#include <gtest/gtest.h>

#include <limits>
#include <QLabel>
#include <QTemporaryDir>

#include "app/DisplayDensity.h"
#include "app/Frmmain.h"
#include "app/MainWindowLayout.h"
#include "tests/app/TestPlatform.h"

using namespace bw;
using app::deviceDpi;
using app::largeFontFlagFor;

namespace {

struct Desktop {
    const char* what;
    double logicalDpi;
    double devicePixelRatio;
    double deviceDpi;
    std::int16_t flag; // 1 normal, 0 large fonts
};

// What Qt 6 reports for each desktop, as read under X with QT_FONT_DPI and QT_SCALE_FACTOR.
const Desktop kDesktops[] = {
    {"96 dpi", 96, 1, 96, 1},
    {"QT_FONT_DPI=120", 96, 1.25, 120, 0},
    {"QT_FONT_DPI=144", 96, 1.5, 144, 0},
    {"QT_SCALE_FACTOR=1", 96, 1, 96, 1},
    {"QT_SCALE_FACTOR=1.25", 96, 1.25, 120, 0},
    {"QT_SCALE_FACTOR=2", 96, 2, 192, 0},
    {"120 dpi with Qt's scaling off", 120, 1, 120, 0},
    {"144 dpi with Qt's scaling off", 144, 1, 144, 0},
    {"120 dpi, scale factor rounded to 1", 120, 1, 120, 0},
    {"QT_FONT_DPI=120 and QT_SCALE_FACTOR=2", 96, 2.5, 240, 0},
    {"105 dpi, the last normal one", 105, 1, 105, 1},
    {"a ratio just past 105 dpi", 96, 1.1, 105.6, 0},
    {"72 logical dpi at a ratio of 1.25", 72, 1.25, 90, 1},
    // Nonsense from a screen counts as normal.
    {"no density", 0, 1, 96, 1},
    {"no ratio", 120, 0, 96, 1},
    {"an infinite ratio", 96, std::numeric_limits<double>::infinity(), 96, 1},
    {"not a number", std::numeric_limits<double>::quiet_NaN(), 1.25, 96, 1},
};

} // namespace

TEST(DisplayDensity, LargeFontsWhetherQtScalesOrNot) {
    for (const Desktop& d : kDesktops) {
        SCOPED_TRACE(d.what);
        EXPECT_DOUBLE_EQ(deviceDpi(d.logicalDpi, d.devicePixelRatio), d.deviceDpi);
        EXPECT_EQ(largeFontFlagFor(d.logicalDpi, d.devicePixelRatio), d.flag);
    }
    // Without a ratio, the logical density alone decides, as with Qt's scaling off.
    EXPECT_EQ(largeFontFlagFor(105.0), 1);
    EXPECT_EQ(largeFontFlagFor(105.01), 0);
}

// Start-up on whatever desktop the environment sets up (ctest runs this at 96, 120 and
// 144 dpi and at scale factors 1, 1.25 and 2): the layout follows the density the
// environment asks for, and the window has the size on the device that layout gives it.
TEST(DisplayDensity, StartUpFollowsTheDesktop) {
    const double fontDpi =
        qEnvironmentVariableIsSet("QT_FONT_DPI") ? qEnvironmentVariable("QT_FONT_DPI").toDouble() : 96;
    const double scale =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
    const double dpi = fontDpi * scale;
    const bool compact = dpi > 105;

    QTemporaryDir settings;
    app::Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(app::SettingsFile(settings.path()));
    ASSERT_TRUE(window.Form_Load());
    window.findChild<QWidget*>("frm1")->hide();
    EXPECT_EQ(window.largeFontFlag(), compact ? 0 : 1) << dpi << " dpi";

    const QSize twips = compact ? QSize(11724, 8244) : app::kDesignWindowTwips;
    const double ratio = window.devicePixelRatioF();
    EXPECT_NEAR(window.width() * ratio, twips.width() * dpi / 1440, 2.0);
    EXPECT_NEAR(window.height() * ratio, twips.height() * dpi / 1440, 2.0);

    // The status ends before the Next Stage arrow.
    const QRect status = window.findChild<QLabel*>("Label8")->geometry();
    EXPECT_LT(status.right(), window.findChild<QWidget*>("Picture8")->x());
}
