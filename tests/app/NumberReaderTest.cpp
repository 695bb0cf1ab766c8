#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/NumberReader.h"

using bw::app::readNumber;

TEST(NumberReader, ReadsDecimalAndHexadecimalLikeANumericLiteral) {
    EXPECT_EQ(readNumber(" 255 "), 255);
    EXPECT_EQ(readNumber("&H808080"), 8421504);
    EXPECT_EQ(readNumber("&hff8000"), 0xFF8000);
    EXPECT_EQ(readNumber("&HFFFFFFFF"), -1);
    EXPECT_EQ(readNumber("&H80000000"), -2147483647 - 1);
    EXPECT_EQ(readNumber("&O17"), 15);
    EXPECT_EQ(readNumber("-16711680\r\n"), -16711680);
    EXPECT_EQ(readNumber("+42"), 42);
    EXPECT_EQ(readNumber("1.5E3"), 1500);
    EXPECT_EQ(readNumber("25e-1"), 2);
    EXPECT_EQ(readNumber("1D2"), 100);
    EXPECT_EQ(readNumber(".75"), 1);
    // Blanks, tabs and line feeds are skipped anywhere, even inside the digits.
    EXPECT_EQ(readNumber("1 2 3"), 123);
    EXPECT_EQ(readNumber("\t-\n1 0"), -10);
    EXPECT_EQ(readNumber("& H 1 0"), 16);
    // Reading stops at the first character that does not fit.
    EXPECT_EQ(readNumber("12abc"), 12);
    EXPECT_EQ(readNumber("1.2.3"), 1);
    EXPECT_EQ(readNumber("&H1G"), 1);
    EXPECT_EQ(readNumber("7\r8"), 7);
    EXPECT_EQ(readNumber("1e"), 1);
    EXPECT_EQ(readNumber("1e+"), 1);
    EXPECT_EQ(readNumber("1e5x"), 100000);
}

TEST(NumberReader, RoundsHalvesToEven) {
    EXPECT_EQ(readNumber("2.5"), 2);
    EXPECT_EQ(readNumber("3.5"), 4);
    EXPECT_EQ(readNumber("-2.5"), -2);
    EXPECT_EQ(readNumber("-3.5"), -4);
    EXPECT_EQ(readNumber("2.5000001"), 3);
    EXPECT_EQ(readNumber("0.49999"), 0);
    EXPECT_EQ(readNumber("2147483647.4"), 2147483647);
    EXPECT_EQ(readNumber("-2147483648.5"), -2147483647 - 1);
    EXPECT_EQ(bw::app::roundHalfToEven(0.5), 0.0);
    EXPECT_EQ(bw::app::roundHalfToEven(1.5), 2.0);
    EXPECT_EQ(bw::app::roundHalfToEven(-0.5), 0.0);
    EXPECT_EQ(bw::app::roundHalfToEven(-1.5), -2.0);
}

TEST(NumberReader, TextWithoutANumberOrBeyond32BitsGivesZero) {
    EXPECT_EQ(readNumber(""), 0);
    for (const char* text :
         {"abc", "-", "+", ".", "-.", "e5", "&", "&H", "&Hxyz", "&O9", "--5", "-&H10", "\r255", "$5"})
        EXPECT_EQ(readNumber(text), 0) << text;
    for (const char* text :
         {"2147483648", "2147483647.5", "-2147483649", "&H100000000", "&HFFFFFFFFFFFFFFFFFFFF",
          "&O40000000000", "1e999999", "-1e999999", "1e-999999", "1e99999999999999999999"})
        EXPECT_EQ(readNumber(text), 0) << text;
    EXPECT_EQ(readNumber("&H00000000000000000001"), 1) << "leading zeros carry no bits";
    EXPECT_EQ(readNumber("0.000000000000000000000000000000000000000000000001e48"), 1);
}

TEST(NumberReader, SurvivesHostileText) {
    EXPECT_EQ(readNumber(std::string(10000, '9')), 0);
    EXPECT_EQ(readNumber(std::string(10000, '0') + "7"), 7);
    EXPECT_EQ(readNumber("1." + std::string(10000, '4')), 1);
    EXPECT_EQ(readNumber("&H" + std::string(10000, 'F')), 0);
    const char withNul[] = {'1', '2', '\0', '3', '4'};
    EXPECT_EQ(readNumber(std::string_view(withNul, sizeof withNul)), 12);
    EXPECT_EQ(readNumber(std::string(100000, ' ') + "5"), 5);

    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        std::string garbage(random() % 64, '\0');
        for (char& c : garbage)
            c = static_cast<char>(random());
        (void)readNumber(garbage); // must simply return
    }
}
