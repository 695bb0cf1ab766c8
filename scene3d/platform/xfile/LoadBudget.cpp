#include "scene3d/platform/xfile/LoadBudget.h"

#include <algorithm>

namespace bw {

namespace {

// Whether adding amount to used stays within limit, without overflowing.
bool fits(std::uint64_t used, std::uint64_t amount, std::uint64_t limit) {
    return used <= limit && amount <= limit - used;
}

} // namespace

void refuseOverLimit(const std::string& what, std::uint64_t limit) {
    throw PlatformError(overBudget, "more than " + std::to_string(limit) + " " + what);
}

void LoadBudget::countGeometry(std::uint64_t vertices, std::uint64_t faces) {
    if (!fits(used_.vertices, vertices, limits_.vertices)) refuseOverLimit("vertices", limits_.vertices);
    if (!fits(used_.faces, faces, limits_.faces)) refuseOverLimit("faces", limits_.faces);
    used_.vertices += vertices;
    used_.faces += faces;
}

void LoadBudget::countTexturePixels(std::uint64_t pixels) {
    if (!fits(used_.texturePixels, pixels, limits_.texturePixels))
        refuseOverLimit("texture pixels", limits_.texturePixels);
    used_.texturePixels += pixels;
}

LoadBudget LoadBudget::nextFile(const LoadLimits& fileLimits) const {
    const auto left = [](std::uint64_t used, std::uint64_t limit) { return used < limit ? limit - used : 0; };
    return LoadBudget({std::min(fileLimits.objects, left(used_.objects, limits_.objects)),
                       std::min(fileLimits.vertices, left(used_.vertices, limits_.vertices)),
                       std::min(fileLimits.faces, left(used_.faces, limits_.faces)),
                       std::min(fileLimits.texturePixels, left(used_.texturePixels, limits_.texturePixels))});
}

void LoadBudget::add(const LoadBudget& file) {
    used_.objects += file.used_.objects;
    used_.vertices += file.used_.vertices;
    used_.faces += file.used_.faces;
    used_.texturePixels += file.used_.texturePixels;
}

} // namespace bw
