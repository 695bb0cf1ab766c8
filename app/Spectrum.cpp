#include "app/Spectrum.h"

#include <array>

#include "app/NumberReader.h"

namespace bw::app {

namespace {

enum Channel { Red, Green, Blue };

// One stretch of the hue walk: which channel moves, which way, and whether the easing
// takes one extra step when the stretch ends. The walk speeds up at the start of each
// rise and slows at its end, so the hues spread evenly to the eye.
struct HueStretch {
    Channel channel;
    bool rising;
    bool extraEaseAtEnd;
};

constexpr std::array<HueStretch, 6> kHueWalk{{
    {Green, true, true},   // red -> yellow
    {Red, false, false},   // yellow -> green
    {Blue, true, true},    // green -> cyan
    {Green, false, false}, // cyan -> blue
    {Red, true, true},     // blue -> magenta
    {Blue, false, false},  // magenta -> red
}};

// The easing shrinks while a channel rises and grows while one falls.
// Past the last stretch the hue stays where it is.
void advanceHue(std::array<float, 3>& rgb, std::size_t& stretch, float& ease, float step) {
    if (stretch >= kHueWalk.size()) return;
    const HueStretch& s = kHueWalk[stretch];
    float& channel = rgb[s.channel];
    const float easeStep = step / 255.0f;
    if (s.rising) {
        channel = channel + ease * step;
        ease -= easeStep;
        if (channel >= 255.0f) {
            ++stretch;
            if (s.extraEaseAtEnd) ease -= easeStep;
        }
    } else {
        channel = channel - ease * step;
        ease += easeStep;
        if (channel <= 0.0f) ++stretch;
    }
}

} // namespace

int fixByte(float num) {
    if (num > 255.0f) return 255;
    if (num < 0.0f) return 0;
    return static_cast<int>(roundHalfToEven(num));
}

QImage paintSpectrum(int width, int height, int greyLevel) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    const float grey = static_cast<float>(greyLevel);
    const float step = 1530.0f / static_cast<float>(width);
    const float rowsToFade = static_cast<float>(height - 1);
    float ease = 1.5f;
    std::size_t stretch = 0;
    std::array<float, 3> rgb{255.0f, 0.0f, 0.0f};

    for (int x = 0; x < width; ++x) {
        const std::array<float, 3> top = rgb;
        for (int y = 0; y < height; ++y) {
            image.setPixel(x, y, qRgb(fixByte(rgb[Red]), fixByte(rgb[Green]), fixByte(rgb[Blue])));
            if (height == 1) break;
            for (int c = 0; c < 3; ++c)
                if (roundHalfToEven(rgb[c]) != greyLevel) rgb[c] += (grey - top[c]) / rowsToFade;
        }
        rgb = top;
        advanceHue(rgb, stretch, ease, step);
    }
    return image;
}

} // namespace bw::app
