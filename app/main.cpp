#include <csignal>
#include <malloc.h>
#include <optional>
#include <QApplication>
#include <QIcon>

#include "app/CommandLine.h"
#include "app/ExitAtDesignDialog.h"
#include "app/Frmmain.h"
#include "app/FrmStart.h"
#include "app/HeadlessExport.h"
#include "app/ProcessEnd.h"
#include "app/ToolkitMessages.h"
#include "app/ToolkitWarmUp.h"
#include "app/WindowPicture.h"
#include "modelview/ModelReadAhead.h"
#include "scene3d/framework/MediaDir.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/gl/OpenGLProbe.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDriver.h"
#include "ui/PictureLibrary.h"

int main(int argc, char* argv[]) {
    // Blocks from 512 KB (an unpacked picture, say) are mapped on their own and given back
    // as they are freed. glibc would raise that bar each time such a block is freed, and
    // keep later ones in the heap, where a freed one holds on to its memory.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG, which the program
    // reports, instead of the signal killing it half-way through a file.
    std::signal(SIGXFSZ, SIG_IGN);

    // Help, version and mistakes are answered before the toolkit needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bw::app::CommandLine options = bw::app::parseCommandLine(arguments);
    if (options.exitCode) return *options.exitCode;
    bw::app::ToolkitWarmUp warmUp;

    // The model files take longest: they are read on another core from here on, while the
    // toolkit and the windows are made, and built into the model once the device is there.
    auto modelFiles =
        std::make_unique<bw::modelview::ModelReadAhead>(bw::MediaDir().LocateMediaFolder("vm1.x", false));

    // An export needs no screen: it draws off screen with the software rasterizer.
    const bool exporting = !options.exportFile.isEmpty();
    if (exporting) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        bw::app::quietenToolkitWarnings();
    }
    std::optional<QApplication> application;
    {
        const bw::app::HeldToolkitMessages held; // no display: one line and status 1
        application.emplace(argc, argv);
    }
    // No organisation name: the user's settings go to <configuration folder>/Boardwright.
    QApplication::setApplicationName("Boardwright");
    QApplication::setApplicationVersion(bw::app::programVersion());
    // Ties the windows to the installed launcher, so that task bars show its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(BOARDWRIGHT_APP_ID));
    QApplication::setWindowIcon(bw::ui::windowIcon(QStringLiteral("logo")));

    // The one place the concrete 3D parts meet: the graphics card draws wherever an OpenGL
    // 3.3 context can be made, the reference rasterizer otherwise or when it is forced.
    bw::DeviceDrivers drivers;
    drivers.reference = std::make_shared<bw::ReferenceDriver>();
    drivers.referenceForced = exporting || options.referenceDevice || bw::referenceRequestedByEnvironment();
    // The graphics driver loads on another core while the windows are made; the first
    // Direct3D object waits for it.
    const auto openGL = drivers.referenceForced ? nullptr : std::make_shared<bw::OpenGLProbe>();
    const bw::modelview::PlatformServices platform{[drivers, openGL] {
                                                       bw::DeviceDrivers found = drivers;
                                                       if (openGL) found.hardware = openGL->driver();
                                                       return bw::createDirect3D(found);
                                                   },
                                                   std::make_shared<bw::ImageFileTextureLoader>()};

    if (exporting) {
        bw::app::Frmmain window(platform);
        window.readModelAhead(std::move(modelFiles));
        return bw::app::exportWithoutWindow(window, options.designFile, options.exportFile);
    }

    warmUp.wait(); // the splash draws the first text
    auto* splash = new bw::app::FrmStart;
    splash->show();
    QApplication::processEvents();

    bw::app::Frmmain mainWindow(platform, splash);
    mainWindow.readModelAhead(std::move(modelFiles));
    if (bw::app::exitAtDesignDialogRequested()) bw::app::exitOnceDesignDialogDrawn(mainWindow);
    if (!mainWindow.Form_Load(options.designFile)) return 1;
    // Counted from here: start-up pumps events, and a picture taken inside it could not end
    // the program, there being no event loop yet for Exit to end.
    if (!options.pictureFile.isEmpty()) bw::app::scheduleWindowPicture(mainWindow, options.pictureFile);
    const int status = QApplication::exec();
    bw::app::endWithoutTeardown(status);
    return status;
}
