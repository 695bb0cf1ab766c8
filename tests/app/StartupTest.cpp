#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPixmapCache>
#include <QPushButton>
#include <QResource>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/Frmabt.h"
#include "app/FrmColor.h"
#include "app/Frmmain.h"
#include "app/FrmStart.h"
#include "assembly/DesignState.h"
#include "resources/PicturePaths.h"
#include "tests/app/TestPlatform.h"
#include "TopLevelWindow.h"
#include "ui/PictureLibrary.h"
#include "ui/SvgRendering.h"

using namespace bw::app;

namespace {

// What is drawn from SVG from here on, wherever earlier tests of this process left the
// pixmap cache: it is emptied, so that every picture asked for is made again.
class SvgDrawings {
public:
    SvgDrawings() : before_(bw::ui::picturesDrawnFromSvg().size()) { QPixmapCache::clear(); }
    std::string since() const { return bw::ui::picturesDrawnFromSvg().mid(before_).join(' ').toStdString(); }

private:
    qsizetype before_;
};

} // namespace

TEST(Startup, SplashBlocksLightInOrderWithTheirMessages) {
    const SvgDrawings drawings;
    auto* splash = new FrmStart;
    splash->show();
    EXPECT_TRUE(splash->isBlockLit(0));
    for (int i = 1; i < FrmStart::kBlockCount; ++i)
        EXPECT_FALSE(splash->isBlockLit(i));
    EXPECT_EQ(splash->message(), "");

    // The picture holds no pixels of its own between paints, and paints the splash picture.
    QWidget* picture = splash->findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->grab().toImage().convertToFormat(QImage::Format_ARGB32),
              bw::ui::picture("splash", picture->size()).toImage().convertToFormat(QImage::Format_ARGB32));

    QStringList events;
    QObject::connect(splash, &FrmStart::blockLit, [&](int i) { events << QString("block %1").arg(i); });
    QObject::connect(splash, &FrmStart::messageShown, [&](const QString& m) { events << m; });
    QPointer<FrmStart> watch(splash);

    Frmmain window{bw::apptest::testPlatform(), splash};
    window.Form_Load();
    EXPECT_EQ(events,
              QStringList({"block 1", "Loading ini...", "block 2", "block 3", "Loading VR...", "block 4"}));
    EXPECT_EQ(window.state().designStage, bw::assembly::DesignStage::NoEnclosure);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled — Boardwright"));
    // Whatever start-up shows, the Design dialog included, the build rendered ahead.
    for (QWidget* shown : QApplication::topLevelWidgets())
        if (shown->isVisible()) shown->grab();
    EXPECT_EQ(drawings.since(), "");
    // The splash, stored compressed, is unpacked for whatever shows it and goes with it.
    EXPECT_NE(QResource(":/prerendered/picture-splash-480x300.argb32").compressionAlgorithm(),
              QResource::NoCompression);
    EXPECT_FALSE(QPixmapCache::find(QStringLiteral("picture:splash:480x300"), nullptr));
    // Tests force the software device; the About box says so.
    window.mnuabt_Click();
    auto* about = bw::tests::topLevelWindow<Frmabt>("Frmabt");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("LabelDevice")->text(), "3D view drawn with the software rasterizer");
    about->hide();

    // The splash is gone once start-up ends, not only once the events are next processed.
    EXPECT_TRUE(watch.isNull());
}

// Every picture the build rendered ahead is exactly what the library draws from the SVG
// for that key; at any other size the SVG is still drawn.
TEST(Startup, PicturesRenderedAheadAreTheSvgDrawnAtTheirSize) {
    const SvgDrawings drawings;
    const auto pixelsOf = [](const QPixmap& pixmap) {
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QStringList rendered = QDir(":/prerendered").entryList();
    ASSERT_FALSE(rendered.isEmpty());
    for (const QString& file : rendered) {
        SCOPED_TRACE(file.toStdString());
        // <kind>-<name>-<w>x<h>[-<lit>].argb32
        const QStringList parts = file.chopped(QStringLiteral(".argb32").size()).split('-');
        ASSERT_GE(parts.size(), 3);
        const QStringList sides = parts[2].split('x');
        const QSize size(sides.value(0).toInt(), sides.value(1).toInt());
        ASSERT_FALSE(size.isEmpty());
        EXPECT_EQ(QResource(":/prerendered/" + file).uncompressedSize(), size.width() * size.height() * 4);
        const QString& kind = parts[0];
        const QString& name = parts[1];
        QPixmap shown;
        QImage drawn;
        if (kind == "picture") {
            shown = bw::ui::picture(name, size);
            drawn = bw::ui::renderSvgImage(bw::resources::picturePath(name), size);
        } else if (kind == "icon") {
            shown = bw::ui::iconPicture(name, size);
            drawn = bw::ui::renderSvgImage(bw::resources::iconPath(name), size);
        } else {
            ASSERT_EQ(kind, "button");
            ASSERT_EQ(parts.value(3), "0");
            shown = bw::ui::buttonPicture(name, size, bw::ui::ButtonLook::Normal);
            drawn = bw::ui::renderSvgImage(bw::resources::iconPath(name), size, true);
        }
        EXPECT_EQ(pixelsOf(shown), drawn.convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_EQ(drawings.since(), "");

    for (const QSize size : {QSize(600, 375), QSize(300, 188)}) {
        const QImage shown = pixelsOf(bw::ui::picture("splash", size));
        ASSERT_EQ(shown.size(), size);
        EXPECT_EQ(shown, bw::ui::renderSvgImage(bw::resources::picturePath("splash"), size)
                             .convertToFormat(QImage::Format_ARGB32));
    }
    // A lit button is drawn as the library draws it, from the same recipe.
    EXPECT_EQ(pixelsOf(bw::ui::buttonPicture("base", QSize(40, 40), bw::ui::ButtonLook::Highlighted)),
              bw::ui::renderSvgImage(bw::resources::iconPath("base"), QSize(40, 40), true, true)
                  .convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(drawings.since(), "picture:splash:600x375 picture:splash:300x188 button:base:40x40:1");

    // The window icon gives X11 the very pictures the SVG icon gave it.
    const QIcon icon = bw::ui::windowIcon("logo");
    const QIcon scalable(bw::resources::picturePath("logo"));
    const QList<QSize> sizes{{16, 16}, {32, 32}, {64, 64}, {128, 128}};
    EXPECT_EQ(icon.availableSizes(), sizes);
    for (const QSize size : sizes) {
        SCOPED_TRACE(size.width());
        EXPECT_EQ(pixelsOf(icon.pixmap(size)), pixelsOf(scalable.pixmap(size)));
    }
}

TEST(Startup, ClosingTheWindowRunsExit) {
    QTemporaryDir settings;
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(SettingsFile(settings.path()));
    window.show();
    QSignalSpy exiting(&window, &Frmmain::exiting);
    window.close();
    EXPECT_EQ(exiting.count(), 1);
    EXPECT_TRUE(window.isExiting());
    EXPECT_FALSE(window.isVisible());
    // A second request does not run Exit twice.
    window.close();
    EXPECT_EQ(exiting.count(), 1);
}

TEST(Startup, ExitFromTheMainMenu) {
    QTemporaryDir settings;
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(SettingsFile(settings.path()));
    window.show();
    QSignalSpy exiting(&window, &Frmmain::exiting);
    auto* exit = window.findChild<QAction*>("mnuexit");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "Exit");
    exit->trigger();
    EXPECT_EQ(exiting.count(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QFile::exists(settings.filePath("mbb.ini")));
}

TEST(Startup, AboutBoxIsHiddenByOkAndShownAgain) {
    Frmmain window{bw::apptest::testPlatform()};
    auto* about = window.findChild<QAction*>("mnuabt");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "About Boardwright");
    about->trigger();
    Frmabt* box = bw::tests::topLevelWindow<Frmabt>("Frmabt");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), "About Boardwright");
    EXPECT_EQ(box->parentWidget(), &window);
    auto* version = box->findChild<QLabel*>("Label1");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "V1.00");
    // Without a device (start-up has not run) the box names none.
    EXPECT_TRUE(box->findChild<QLabel*>("LabelDevice")->isHidden());

    auto* ok = box->findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());

    about->trigger();
    EXPECT_EQ(bw::tests::topLevelWindow<Frmabt>("Frmabt"), box);
    EXPECT_TRUE(box->isVisible());
    box->hide();
}

TEST(Startup, BackgroundColourIsReadAtStartAndWrittenAtExit) {
    QTemporaryDir settings;
    {
        QFile file(settings.filePath("mbb.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("&H808080\r\n");
    }
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(SettingsFile(settings.path()));
    window.Form_Load();
    EXPECT_EQ(window.backgroundColour(), 8421504);

    // The view panel's Color button opens the dialog; picking pure red and OK sets the colour.
    auto* colorButton = window.findChild<QWidget*>("Picture5(18)");
    ASSERT_NE(colorButton, nullptr);
    QTest::mouseClick(colorButton, Qt::LeftButton, {}, QPoint(4, 4));
    FrmColor* dialog = bw::tests::topLevelWindow<FrmColor>("FrmColor");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->Colors_MouseDown(Qt::LeftButton, QPoint(0, 0));
    dialog->Colors_MouseUp(Qt::LeftButton);
    dialog->Command1_Click(0);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window.backgroundColour(), 16711680);

    // Cancel after a new pick changes nothing.
    QTest::mouseClick(colorButton, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(bw::tests::topLevelWindow<FrmColor>("FrmColor"), dialog);
    dialog->Colors_MouseDown(Qt::LeftButton, QPoint(dialog->findChild<QWidget*>("Colors")->width() / 2, 0));
    dialog->Command1_Click(1);
    EXPECT_EQ(window.backgroundColour(), 16711680);

    window.findChild<QAction*>("mnuexit")->trigger();
    QFile file(settings.filePath("mbb.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("16711680\r\n"));
}

TEST(Startup, MissingSettingsLeaveTheBackgroundBlack) {
    QTemporaryDir settings;
    Frmmain window{bw::apptest::testPlatform()};
    window.setSettingsFile(SettingsFile(settings.path()));
    window.Form_Load();
    EXPECT_EQ(window.backgroundColour(), 0);
}
