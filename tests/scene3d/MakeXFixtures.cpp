// make_x_fixtures SOURCE.x OUTDIR: writes the binary (32- and 64-bit floats) and the
// compressed forms of a text .x file next to each other, for the committed test data.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/StandardTemplates.h"
#include "scene3d/platform/xfile/XFile.h"
#include "tests/scene3d/support/XFileWriter.h"

namespace {

void save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_x_fixtures SOURCE.x OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path source = argv[1], outDir = argv[2];
        const auto text = load(source);
        bw::XFile file = bw::XFile::fromBytes(text);
        std::vector<const bw::XDataObject*> objects;
        while (const bw::XDataObject* object = file.nextObject())
            objects.push_back(object);
        std::vector<std::shared_ptr<const bw::XTemplate>> declared;
        for (const auto& t : file.templates().all())
            if (bw::standardTemplates().find(t->name) != t) declared.push_back(t);

        const std::string stem = source.stem().string();
        const auto binary = bw::test::writeBinaryXFile(declared, objects, 32);
        save(outDir / (stem + "_bin.x"), binary);
        save(outDir / (stem + "_bin64.x"), bw::test::writeBinaryXFile(declared, objects, 64));
        // Small blocks, so that the window carried from block to block matters.
        save(outDir / (stem + "_tzip.x"), bw::test::compressXFile(text, 256));
        save(outDir / (stem + "_bzip.x"), bw::test::compressXFile(binary, 256));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_x_fixtures: %s\n", e.what());
        return 1;
    }
    return 0;
}
