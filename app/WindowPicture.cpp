#include "app/WindowPicture.h"

#include <cstdio>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "app/Frmmain.h"

namespace bw::app {

void scheduleWindowPicture(Frmmain& window, const QString& file) {
    // Late enough for every start-up window, including a modal dialog, to have painted.
    QTimer::singleShot(1500, &window, [&window, file] {
        QPixmap picture;
        if (QScreen* screen = QGuiApplication::primaryScreen()) picture = screen->grabWindow(0);
        if (picture.isNull()) picture = window.grab();
        if (picture.save(file, "PNG"))
            std::printf("Picture of the window written to %s\n", qPrintable(file));
        else
            std::fprintf(stderr, "boardwright: cannot write the picture to %s\n", qPrintable(file));
        std::fflush(stdout);
        window.mnuexit_Click();
    });
}

} // namespace bw::app
