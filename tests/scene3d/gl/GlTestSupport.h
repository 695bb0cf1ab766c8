#pragma once
// Support of the OpenGL device tests: a device when OpenGL can be had, and the per-pixel
// comparison of two pictures.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "scene3d/platform/device/Picture.h"
#include "scene3d/platform/gl/OpenGLDevice.h"

namespace bw::gltest {

// An offscreen OpenGL device, or empty when no OpenGL 3.3 core context can be made here.
std::shared_ptr<OpenGLDevice> openGlDevice(int width, int height);

#define REQUIRE_OPENGL(device)                                                                               \
    if (!(device)) GTEST_SKIP() << "no OpenGL 3.3 core context can be made on this display"

// How far a picture is from a reference picture of the same size. A channel differing
// by more than `levels` makes its pixel differ. Edge pixels are those where the reference
// picture changes sharply (a channel steps by more than edgeStep to a neighbour): there,
// where triangles meet, the two rasterizers may give a pixel to different triangles.
struct PictureDifference {
    int pixels = 0;
    int differing = 0;       // anywhere
    int differingInside = 0; // away from edges
    int largestInside = 0;   // largest channel difference away from edges
    double insideShare() const { return pixels ? static_cast<double>(differingInside) / pixels : 0.0; }
    double share() const { return pixels ? static_cast<double>(differing) / pixels : 0.0; }
};

PictureDifference compare(const Picture& reference, const Picture& picture, int levels, int edgeStep = 24);

// Both pictures as PNG files in the test's output folder, for a look when a test fails.
void savePictures(const std::string& name, const Picture& reference, const Picture& picture);

} // namespace bw::gltest
