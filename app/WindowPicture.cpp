#include "app/WindowPicture.h"

#include <cstdio>
#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "app/FileSaving.h"
#include "app/Frmmain.h"

namespace bw::app {

namespace {

// Empty when the picture was written, otherwise why not.
QString writePicture(const QPixmap& picture, const QString& file) {
    // Encoded in memory first, so that a full disk leaves the old picture as it was.
    QByteArray png;
    QBuffer buffer(&png);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return QStringLiteral("the window could not be turned into a PNG picture");
    const storage::Replacement written = replaceFile(file, png);
    return written.ok ? QString() : QString::fromStdString(written.error);
}

} // namespace

void scheduleWindowPicture(Frmmain& window, const QString& file) {
    // Late enough for every start-up window, including a modal dialog, to have painted.
    QTimer::singleShot(1500, &window, [&window, file] {
        QPixmap picture;
        if (QScreen* screen = QGuiApplication::primaryScreen()) picture = screen->grabWindow(0);
        if (picture.isNull()) picture = window.grab();
        const QString failure = writePicture(picture, file);
        if (failure.isEmpty())
            std::printf("Picture of the window written to %s\n", qPrintable(file));
        else
            std::fprintf(stderr, "boardwright: cannot write the picture to %s: %s\n", qPrintable(file),
                         qPrintable(failure));
        std::fflush(stdout);
        window.mnuexit_Click();
        // Exit ends the event loop with status 0; a picture asked for and not written is a
        // failure to whatever script asked. The later status wins, the loop not having returned.
        if (!failure.isEmpty()) QCoreApplication::exit(1);
    });
}

} // namespace bw::app
