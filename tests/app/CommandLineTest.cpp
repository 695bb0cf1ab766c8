#include <gtest/gtest.h>

#include <QRegularExpression>

#include "app/CommandLine.h"

using bw::app::parseCommandLine;

TEST(CommandLine, OptionsAndErrors) {
    EXPECT_FALSE(parseCommandLine({"boardwright"}).exitCode);
    EXPECT_EQ(parseCommandLine({"boardwright", "--help"}).exitCode, 0);
    EXPECT_EQ(parseCommandLine({"boardwright", "--version"}).exitCode, 0);
    EXPECT_EQ(parseCommandLine({"boardwright", "--no-such-option"}).exitCode, 2);
    EXPECT_EQ(parseCommandLine({"boardwright", "one", "two"}).exitCode, 2);
    EXPECT_EQ(parseCommandLine({"boardwright", "--screenshot"}).exitCode, 2);
    const auto picture = parseCommandLine({"boardwright", "--screenshot", "/tmp/a.png"});
    EXPECT_FALSE(picture.exitCode);
    EXPECT_EQ(picture.pictureFile, "/tmp/a.png");
    EXPECT_FALSE(picture.referenceDevice);
    const auto reference = parseCommandLine({"boardwright", "--reference-device", "--screenshot", "b.png"});
    EXPECT_FALSE(reference.exitCode);
    EXPECT_TRUE(reference.referenceDevice);
    EXPECT_EQ(reference.pictureFile, "b.png");
}

using bw::app::programVersion;
using bw::app::readCommandLine;

TEST(CommandLine, HelpAndVersionPrintToStdoutAndEndWithStatus0) {
    for (const char* option : {"--help", "-h"}) {
        const auto help = readCommandLine({"/usr/bin/boardwright", option});
        EXPECT_EQ(help.exitCode, 0) << option;
        EXPECT_TRUE(help.error.isEmpty()) << option;
        EXPECT_TRUE(help.output.startsWith("Usage: boardwright [OPTION]... [DESIGN.VELDR]\n"))
            << qPrintable(help.output);
        for (const char* documented :
             {"--screenshot=FILE", "--reference-device", "-h, --help", "-v, --version"})
            EXPECT_TRUE(help.output.contains(documented)) << documented;
        EXPECT_TRUE(help.output.endsWith('\n'));
    }
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(programVersion()).hasMatch())
        << qPrintable(programVersion());
    for (const char* option : {"--version", "-v"}) {
        const auto version = readCommandLine({"boardwright", option});
        EXPECT_EQ(version.exitCode, 0) << option;
        const QStringList lines = version.output.split('\n');
        EXPECT_EQ(lines.first(), "boardwright " + programVersion()) << "name and version on the first line";
        EXPECT_TRUE(version.output.contains("Copyright")) << qPrintable(version.output);
    }
    // As getopt reads them: the first of help and version decides, and stops the reading.
    EXPECT_TRUE(readCommandLine({"boardwright", "--version", "--help"}).output.startsWith("boardwright "));
    EXPECT_EQ(readCommandLine({"boardwright", "--help", "--no-such-option"}).exitCode, 0);
    EXPECT_EQ(readCommandLine({"boardwright", "--no-such-option", "--help"}).exitCode, 2);
}

TEST(CommandLine, MistakesGetOneLineNamingTheArgumentAndStatus2) {
    EXPECT_EQ(readCommandLine({"./build/boardwright", "--x"}).error,
              "boardwright: unknown option '--x'; try 'boardwright --help'");
    struct Mistake {
        QStringList arguments;
        QString named; // what the complaint must quote
    };
    const QList<Mistake> mistakes = {
        {{"--x=1"}, "'--x'"},
        {{"-x"}, "'-x'"},
        {{"-platform", "offscreen"}, "'-platform'"},
        {{"one.VELDR", "two.VELDR"}, "'two.VELDR'"},
        {{"-"}, "'-'"},
        {{""}, "''"},
        {{"a.VELDR", "--", "b.VELDR"}, "'b.VELDR'"},
        {{"--screenshot"}, "'--screenshot'"},
        {{"--screenshot="}, "'--screenshot'"},
        {{"--help=yes"}, "'--help'"},
        {{"--reference-device=1"}, "'--reference-device'"},
    };
    for (const Mistake& mistake : mistakes) {
        const auto result = readCommandLine(QStringList{"boardwright"} + mistake.arguments);
        const QString shown = mistake.arguments.join(' ');
        EXPECT_EQ(result.exitCode, 2) << qPrintable(shown);
        EXPECT_TRUE(result.output.isEmpty()) << qPrintable(shown);
        EXPECT_TRUE(result.error.startsWith("boardwright: ")) << qPrintable(result.error);
        EXPECT_TRUE(result.error.contains(mistake.named)) << qPrintable(result.error);
        EXPECT_FALSE(result.error.contains('\n')) << qPrintable(result.error);
    }
}

TEST(CommandLine, OneArgumentThatIsNoOptionNamesTheDesignToOpen) {
    EXPECT_EQ(readCommandLine({"boardwright", "tower.VELDR"}).designFile, "tower.VELDR");
    const auto both =
        readCommandLine({"boardwright", "--reference-device", "my tower.VELDR", "--screenshot=a.png"});
    EXPECT_FALSE(both.exitCode.has_value());
    EXPECT_EQ(both.designFile, "my tower.VELDR");
    EXPECT_EQ(both.pictureFile, "a.png");
    // After "--" a name that looks like an option is still a file.
    EXPECT_EQ(readCommandLine({"boardwright", "--", "--odd.VELDR"}).designFile, "--odd.VELDR");
    EXPECT_TRUE(readCommandLine({"boardwright", "--help"}).output.contains("[DESIGN.VELDR]"));
}

TEST(CommandLine, OptionValuesAsGetoptReadsThem) {
    EXPECT_EQ(readCommandLine({"boardwright", "--screenshot=a.png"}).pictureFile, "a.png");
    EXPECT_EQ(readCommandLine({"boardwright", "--screenshot", "a.png", "--screenshot", "b.png"}).pictureFile,
              "b.png");
    // The value is the next argument whatever it looks like.
    const auto dashed = readCommandLine({"boardwright", "--screenshot", "--help"});
    EXPECT_FALSE(dashed.exitCode);
    EXPECT_EQ(dashed.pictureFile, "--help");
    const auto ended = readCommandLine({"boardwright", "--reference-device", "--"});
    EXPECT_FALSE(ended.exitCode);
    EXPECT_TRUE(ended.referenceDevice);
    EXPECT_TRUE(ended.output.isEmpty());
    EXPECT_TRUE(ended.error.isEmpty());
}
