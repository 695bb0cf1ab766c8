#include <QApplication>

#include "app/CommandLine.h"
#include "app/FrmStart.h"
#include "app/Frmmain.h"
#include "app/WindowPicture.h"
#include "scene3d/platform/qt/Direct3DFactory.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Boardwright");
    QApplication::setOrganizationName("Boardwright");
    QApplication::setApplicationVersion("1.00");

    const bw::app::CommandLine options = bw::app::parseCommandLine(QApplication::arguments());
    if (options.exitCode) return *options.exitCode;
    if (options.referenceDevice) bw::setReferenceDeviceForced(true);

    auto* splash = new bw::app::FrmStart;
    splash->show();
    QApplication::processEvents();

    bw::app::Frmmain mainWindow(splash);
    if (!options.pictureFile.isEmpty()) bw::app::scheduleWindowPicture(mainWindow, options.pictureFile);
    mainWindow.Form_Load();
    return QApplication::exec();
}
