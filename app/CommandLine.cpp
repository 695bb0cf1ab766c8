#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

namespace bw::app {

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Design a PC, stage by stage, on a 3D model.");
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    const QCommandLineOption picture("screenshot",
                                     "After start-up, write a picture of the screen to FILE (PNG) and exit.", "FILE");
    const QCommandLineOption reference("reference-device",
                                       "Draw with the software rasterizer even where OpenGL is available "
                                       "(also BOARDWRIGHT_DEVICE=reference).");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(picture);
    parser.addOption(reference);

    CommandLine result;
    const QString program = arguments.isEmpty() ? QStringLiteral("boardwright") : arguments.first();
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(parser.errorText()));
        result.exitCode = 2;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: unexpected argument '%s'\n", qPrintable(program),
                     qPrintable(parser.positionalArguments().first()));
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        std::printf("Boardwright 1.00\n");
        result.exitCode = 0;
        return result;
    }
    result.pictureFile = parser.value(picture);
    result.referenceDevice = parser.isSet(reference);
    return result;
}

}  // namespace bw::app
