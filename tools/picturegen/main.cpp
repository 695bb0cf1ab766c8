// Renders an SVG picture at one size as the program would render it at start-up, and writes
// its pixels raw (premultiplied ARGB32, row after row, in the machine's byte order), so that
// a picture shown at its design size costs the program a copy, not a drawing.
// Usage: picturegen [--button | --lit-button] <in.svg> <out.argb32> <width> <height>
#include <cstdio>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "ui/SvgRendering.h"

int main(int argc, char* argv[]) {
    // No display is needed to draw into an image; text still needs the font database.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    const QString look = arguments.value(1);
    const bool button = look == "--button" || look == "--lit-button";
    if (button) arguments.removeAt(1);
    bool wideOk = false, highOk = false;
    const int width = arguments.value(3).toInt(&wideOk);
    const int height = arguments.value(4).toInt(&highOk);
    if (arguments.size() != 5 || !wideOk || !highOk || width <= 0 || height <= 0) {
        std::fprintf(stderr,
                     "usage: picturegen [--button | --lit-button] <in.svg> <out.argb32> <width> <height>\n");
        return 2;
    }
    const QImage image =
        bw::ui::renderSvgImage(arguments[1], QSize(width, height), button, look == "--lit-button");
    QFile out(arguments[2]);
    const qsizetype rowBytes = static_cast<qsizetype>(width) * 4;
    bool written = !image.isNull() && out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int y = 0; written && y < height; ++y)
        written = out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
    if (!written || !out.flush()) {
        std::fprintf(stderr, "picturegen: cannot render %s into %s\n", qPrintable(arguments[1]),
                     qPrintable(arguments[2]));
        out.remove();
        return 1;
    }
    return 0;
}
