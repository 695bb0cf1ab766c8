#include "tests/scene3d/gl/GlTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <QDir>
#include <QImage>

namespace bw::gltest {

namespace {

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        largest = std::max(
            largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

bool onEdge(const Picture& picture, int x, int y, int edgeStep) {
    const std::uint32_t centre = picture.at(x, y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= picture.width || ny >= picture.height) continue;
            if (channelDifference(centre, picture.at(nx, ny)) > edgeStep) return true;
        }
    return false;
}

QImage imageOf(const Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            image.setPixel(x, y, picture.at(x, y));
    return image;
}

} // namespace

std::shared_ptr<OpenGLDevice> openGlDevice(int width, int height) {
    try {
        return OpenGLDevice::createOffscreen(width, height);
    } catch (const PlatformError&) {
        return nullptr;
    }
}

PictureDifference compare(const Picture& reference, const Picture& picture, int levels, int edgeStep) {
    PictureDifference difference;
    if (reference.width != picture.width || reference.height != picture.height) {
        difference.pixels = difference.differing = difference.differingInside = 1;
        difference.largestInside = 255;
        return difference;
    }
    difference.pixels = reference.width * reference.height;
    for (int y = 0; y < reference.height; ++y)
        for (int x = 0; x < reference.width; ++x) {
            const int channel = channelDifference(reference.at(x, y), picture.at(x, y));
            if (channel <= levels) continue;
            ++difference.differing;
            if (onEdge(reference, x, y, edgeStep)) continue;
            ++difference.differingInside;
            difference.largestInside = std::max(difference.largestInside, channel);
        }
    return difference;
}

void savePictures(const std::string& name, const Picture& reference, const Picture& picture) {
    const QString folder = QDir::current().filePath("gl_pictures");
    QDir().mkpath(folder);
    imageOf(reference).save(folder + "/" + QString::fromStdString(name) + "_reference.png");
    imageOf(picture).save(folder + "/" + QString::fromStdString(name) + "_opengl.png");
}

} // namespace bw::gltest
