#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/Spectrum.h"

using bw::app::fixByte;
using bw::app::paintSpectrum;

TEST(Spectrum, FixByteClampsAndRoundsHalvesToEven) {
    EXPECT_EQ(fixByte(-0.1f), 0);
    EXPECT_EQ(fixByte(-300.0f), 0);
    EXPECT_EQ(fixByte(0.5f), 0);
    EXPECT_EQ(fixByte(1.5f), 2);
    EXPECT_EQ(fixByte(126.5f), 126);
    EXPECT_EQ(fixByte(127.5f), 128);
    EXPECT_EQ(fixByte(191.25f), 191);
    EXPECT_EQ(fixByte(254.5f), 254);
    EXPECT_EQ(fixByte(255.0f), 255);
    EXPECT_EQ(fixByte(255.4f), 255);
    EXPECT_EQ(fixByte(318.75f), 255);
}

// 12 columns make 127.5 hue units a column and an easing step of 0.5, so every value
// along the way is exact and the picture can be worked out on paper. Tops of the columns:
//   red    255 255 255 255 191.25 63.75 -127.5 -127.5 -127.5 -127.5 127.5 318.75
//   green  0 191.25 318.75 318.75 318.75 318.75 318.75 318.75 191.25 0 0 0
//   blue   0 0 0 0 0 0 0 255 255 255 255 255
// Over four rows each channel moves a third of the way to the grey level per row.
TEST(Spectrum, SmallSpectrumPixelForPixel) {
    const std::map<float, std::array<int, 4>> fadeTo85{
        {255.0f, {255, 198, 142, 85}},  {0.0f, {0, 28, 57, 85}},    {191.25f, {191, 156, 120, 85}},
        {318.75f, {255, 241, 163, 85}}, {63.75f, {64, 71, 78, 85}}, {-127.5f, {0, 0, 14, 85}},
        {127.5f, {128, 113, 99, 85}},
    };
    const std::array<std::array<float, 3>, 12> tops{{{255, 0, 0},
                                                     {255, 191.25f, 0},
                                                     {255, 318.75f, 0},
                                                     {255, 318.75f, 0},
                                                     {191.25f, 318.75f, 0},
                                                     {63.75f, 318.75f, 0},
                                                     {-127.5f, 318.75f, 0},
                                                     {-127.5f, 318.75f, 255},
                                                     {-127.5f, 191.25f, 255},
                                                     {-127.5f, 0, 255},
                                                     {127.5f, 0, 255},
                                                     {318.75f, 0, 255}}};
    const QImage image = paintSpectrum(12, 4, 85);
    ASSERT_EQ(image.size(), QSize(12, 4));
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 4; ++y) {
            const QRgb expected =
                qRgb(fadeTo85.at(tops[x][0])[y], fadeTo85.at(tops[x][1])[y], fadeTo85.at(tops[x][2])[y]);
            EXPECT_EQ(image.pixel(x, y), expected) << "x " << x << " y " << y << " got " << std::hex
                                                   << image.pixel(x, y) << " wanted " << expected;
        }
}

TEST(Spectrum, ColumnsRunThroughTheHuesAndFadeToTheGreyLevel) {
    for (int grey : {0, 85, 200, 255}) {
        const QImage image = paintSpectrum(306, 170, grey);
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << "red at the top left";
        for (int x = 0; x < image.width(); ++x)
            EXPECT_EQ(image.pixel(x, image.height() - 1), qRgb(grey, grey, grey))
                << "column " << x << " grey " << grey;
    }

    // Along the top every colour is a full hue (one channel at 255, one at 0), and the
    // hues come in the order red, yellow, green, cyan, blue, magenta and back to red.
    const QImage image = paintSpectrum(306, 170, 85);
    int previousHue = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QColor top(image.pixel(x, 0));
        const std::array<int, 3> rgb{top.red(), top.green(), top.blue()};
        EXPECT_EQ(*std::max_element(rgb.begin(), rgb.end()), 255) << "column " << x;
        EXPECT_EQ(*std::min_element(rgb.begin(), rgb.end()), 0) << "column " << x;
        int hue = top.hsvHue();
        if (hue < previousHue - 180) hue += 360; // red again at the end
        ASSERT_GE(hue, previousHue) << "column " << x;
        previousHue = hue;
    }
    EXPECT_GT(previousHue, 340) << "the spectrum passes magenta";
    const QColor lastTop(image.pixel(image.width() - 1, 0));
    EXPECT_EQ(lastTop.red(), 255);
    EXPECT_LT(lastTop.blue(), 40) << "nearly red again";
}

TEST(Spectrum, DegenerateSizes) {
    EXPECT_TRUE(paintSpectrum(0, 10, 85).isNull());
    EXPECT_TRUE(paintSpectrum(10, -1, 85).isNull());
    const QImage oneRow = paintSpectrum(12, 1, 85);
    EXPECT_EQ(oneRow.pixel(1, 0), qRgb(255, 191, 0)) << "a single row holds the tops";
    EXPECT_EQ(paintSpectrum(1, 1, 0).pixel(0, 0), qRgb(255, 0, 0));
}
