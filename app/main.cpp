#include <QApplication>

#include "app/CommandLine.h"
#include "app/FrmStart.h"
#include "app/Frmmain.h"
#include "app/WindowPicture.h"
#include "scene3d/platform/gl/OpenGLDriver.h"
#include "scene3d/platform/qt/Direct3DFactory.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Boardwright");
    QApplication::setOrganizationName("Boardwright");
    QApplication::setApplicationVersion("1.00");

    const bw::app::CommandLine options = bw::app::parseCommandLine(QApplication::arguments());
    if (options.exitCode) return *options.exitCode;
    if (options.referenceDevice) bw::setReferenceDeviceForced(true);
    // The graphics card draws wherever an OpenGL 3.3 context can be made.
    if (!bw::referenceDeviceForced()) bw::registerOpenGLDriverIfAvailable();

    auto* splash = new bw::app::FrmStart;
    splash->show();
    QApplication::processEvents();

    bw::app::Frmmain mainWindow(splash);
    if (!options.pictureFile.isEmpty()) bw::app::scheduleWindowPicture(mainWindow, options.pictureFile);
    if (!mainWindow.Form_Load()) return 1;
    return QApplication::exec();
}
