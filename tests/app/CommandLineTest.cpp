#include <gtest/gtest.h>

#include "app/CommandLine.h"

using bw::app::parseCommandLine;

TEST(CommandLine, OptionsAndErrors) {
    EXPECT_FALSE(parseCommandLine({"boardwright"}).exitCode);
    EXPECT_EQ(parseCommandLine({"boardwright", "--help"}).exitCode, 0);
    EXPECT_EQ(parseCommandLine({"boardwright", "--version"}).exitCode, 0);
    EXPECT_EQ(parseCommandLine({"boardwright", "--no-such-option"}).exitCode, 2);
    EXPECT_EQ(parseCommandLine({"boardwright", "stray"}).exitCode, 2);
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
