#pragma once
// What loading a model file may build: frames, meshes and animations (a reference counts
// each time it is followed, as each builds a copy), vertices, faces and the pixels of the
// textures it brings in. The limits are far above anything the program's own model needs
// and far below what would exhaust the machine, so a hostile or broken file is refused
// instead of taking the program down. Counting is per mesh or per texture, never per
// vertex, so it costs nothing measurable.

#include <cstdint>
#include <string>

#include "scene3d/platform/common/PlatformError.h"

namespace bw {

struct LoadLimits {
    std::uint64_t objects = 0;
    std::uint64_t vertices = 0;
    std::uint64_t faces = 0;
    std::uint64_t texturePixels = 0;
};

// One file. The largest of the program's model files builds 7 frames and meshes, 2,184
// vertices and 924 faces, and none uses a texture; one texture of the largest size a
// loader takes (4096 x 4096) fits.
inline constexpr LoadLimits fileLoadLimits{1024, 65536, 32768, std::uint64_t{4096} * 4096};
// The whole model, every file added up. The program's model builds 1,190 frames and meshes,
// 69,148 vertices and 29,298 faces; at these limits it would still take well under a
// gigabyte.
inline constexpr LoadLimits modelLoadLimits{65536, std::uint64_t{1} << 21, std::uint64_t{1} << 21,
                                            std::uint64_t{1} << 25};

// Exceeding a limit throws PlatformError with this code; the loaders let it through where
// they pass over other failures, so that the file as a whole is refused.
inline constexpr ResultCode overBudget = result::outOfMemory;

inline bool refusesFile(const PlatformError& error) { return error.code() == overBudget; }

// Throws PlatformError (overBudget) with a message naming what there is too much of.
[[noreturn]] void refuseOverLimit(const std::string& what, std::uint64_t limit);

class LoadBudget {
public:
    explicit LoadBudget(const LoadLimits& limits = fileLoadLimits) : limits_(limits) {}

    const LoadLimits& limits() const { return limits_; }
    const LoadLimits& used() const { return used_; }

    // Each throws PlatformError (overBudget) when the count would pass its limit, and
    // counts nothing then.
    void countObject() {
        if (used_.objects >= limits_.objects) refuseOverLimit("frames and meshes", limits_.objects);
        ++used_.objects;
    }
    void countGeometry(std::uint64_t vertices, std::uint64_t faces);
    void countTexturePixels(std::uint64_t pixels);

    // The budget of the next file: the file limits, lowered to what this budget has left.
    LoadBudget nextFile(const LoadLimits& fileLimits = fileLoadLimits) const;
    // Adds what a file used once it has loaded.
    void add(const LoadBudget& file);

private:
    LoadLimits limits_;
    LoadLimits used_;
};

} // namespace bw
