#pragma once
// The colour spectrum of the background-colour dialog: hues from red through yellow,
// green, cyan and blue to magenta across, each column fading downwards to a grey level.

#include <QImage>

namespace bw::app {

// A float channel as a byte: clamped to 0..255, rounded halves to even.
int fixByte(float num);

// RGB32 image of width x height; greyLevel (0..255) is the grey of the bottom row.
QImage paintSpectrum(int width, int height, int greyLevel);

} // namespace bw::app
