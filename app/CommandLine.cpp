#include "app/CommandLine.h"

#include <cstdio>

#include "app/DesignExports.h"

namespace bw::app {

namespace {

// Messages name the program by its own name, not by the path it was started through.
constexpr const char* kProgram = "boardwright";

QString helpText() {
    return QStringLiteral("Usage: boardwright [OPTION]... [DESIGN.VELDR]\n"
                          "  or:  boardwright --export OUT DESIGN.VELDR\n"
                          "Design a PC, stage by stage, on a 3D model. With a design file, start with\n"
                          "that design open instead of the Design dialog.\n"
                          "\n"
                          "      --export=OUT        write the design's parts list (OUT.csv, OUT.md or\n"
                          "                            OUT.html), a picture of its model (OUT.png) or a\n"
                          "                            report (OUT.pdf), then end; no display is needed.\n"
                          "                            Example: boardwright --export tower.pdf tower.VELDR\n"
                          "      --screenshot=FILE   once start-up has finished, write a picture of the\n"
                          "                            screen to FILE (PNG), then end as Exit does; the\n"
                          "                            exit status is 1 when FILE cannot be written\n"
                          "      --reference-device  draw with the built-in software rasterizer instead of\n"
                          "                            OpenGL (as BOARDWRIGHT_DEVICE=reference does)\n"
                          "  -h, --help              display this help and exit\n"
                          "  -v, --version           output version information and exit\n"
                          "\n"
                          "The background colour is kept in mbb.ini, in the program's folder when that can\n"
                          "be written, otherwise in the user's configuration folder.\n");
}

QString versionText() {
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) 2026 the Boardwright developers.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(QLatin1String(kProgram), programVersion());
}

// The hint keeps the complaint on one line, so that scripts can read it as one.
CommandLine fault(const QString& what) {
    CommandLine result;
    result.error = QStringLiteral("%1: %2; try '%1 --help'").arg(QLatin1String(kProgram), what);
    result.exitCode = 2;
    return result;
}

CommandLine finished(const QString& output) {
    CommandLine result;
    result.output = output;
    result.exitCode = 0;
    return result;
}

} // namespace

QString programVersion() { return QStringLiteral(BOARDWRIGHT_VERSION); }

CommandLine readCommandLine(const QStringList& arguments) {
    CommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            if (!result.designFile.isEmpty() || argument.isEmpty() || argument == "-")
                return fault(QStringLiteral("unexpected argument '%1'").arg(argument));
            result.designFile = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h") return finished(helpText());
        if (argument == "-v") return finished(versionText());
        if (!argument.startsWith("--")) return fault(QStringLiteral("unknown option '%1'").arg(argument));

        const qsizetype equals = argument.indexOf('=');
        const QString name = argument.left(equals);
        const bool valueAttached = equals >= 0;
        if (name == "--screenshot" || name == "--export") {
            QString file;
            if (valueAttached)
                file = argument.mid(equals + 1);
            else if (i + 1 < arguments.size())
                file = arguments[++i];
            if (file.isEmpty()) return fault(QStringLiteral("option '%1' requires a file name").arg(name));
            (name == "--export" ? result.exportFile : result.pictureFile) = file;
            continue;
        }
        if (name != "--help" && name != "--version" && name != "--reference-device")
            return fault(QStringLiteral("unknown option '%1'").arg(name));
        if (valueAttached) return fault(QStringLiteral("option '%1' takes no value").arg(name));
        if (name == "--help") return finished(helpText());
        if (name == "--version") return finished(versionText());
        result.referenceDevice = true;
    }
    if (!result.exportFile.isEmpty()) {
        if (result.designFile.isEmpty())
            return fault(QStringLiteral("option '--export' requires a design file"));
        if (!exportFormatOf(result.exportFile))
            return fault(
                QStringLiteral("'%1' does not end in .csv, .md, .html, .png or .pdf").arg(result.exportFile));
    }
    return result;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result = readCommandLine(arguments);
    if (!result.output.isEmpty()) {
        std::fputs(result.output.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    }
    if (!result.error.isEmpty()) std::fprintf(stderr, "%s\n", result.error.toLocal8Bit().constData());
    return result;
}

} // namespace bw::app
