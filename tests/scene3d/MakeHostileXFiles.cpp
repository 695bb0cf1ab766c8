// make_hostile_x OUTDIR: writes the files fuzzing found, as the tests make them, for the
// tools to be tried on: bomb.x (compressed, 32 MiB from 70 KB), frames.x (compressed
// within the ratio, four million frames), unknown.x (the same with objects of a template
// nobody declares, to be skipped) and amplified.x (a million mesh copies through
// references).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/scene3d/support/HostileXFiles.h"

namespace {

bool save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hostile_x OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::string amplified = bw::test::amplifiedReferences();
    const bool ok = save(dir / "bomb.x", bw::test::compressedFrames(1023)) &&
                    save(dir / "frames.x", bw::test::compressedFrames(1013, 10)) &&
                    save(dir / "unknown.x", bw::test::compressedFrames(1013, 10, "Gizmo{}\n")) &&
                    save(dir / "amplified.x", {amplified.begin(), amplified.end()});
    return ok ? 0 : 1;
}
