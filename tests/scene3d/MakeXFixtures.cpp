// make_x_fixtures SOURCE.x OUTDIR: writes the binary (32- and 64-bit floats) and the
// compressed forms of a text .x file next to each other, for the committed test data.
// make_x_fixtures --as-written SOURCE.x OUTDIR: the binary form token for token, as the
// writers that keep every separator and end strings with 2-byte terminators make it (with
// the float size of the text's header), and both forms compressed; for files the reader
// reads only as their writers meant them, such as the fuzzing corpus.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
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
    const bool asWritten = argc == 4 && std::string_view(argv[1]) == "--as-written";
    if (argc != 3 && !asWritten) {
        std::fprintf(stderr, "usage: make_x_fixtures [--as-written] SOURCE.x OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path source = argv[argc - 2], outDir = argv[argc - 1];
        const auto text = load(source);
        const std::string stem = source.stem().string();
        if (asWritten) {
            const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
            const int floatBits = view.substr(12, 4) == "0064" ? 64 : 32;
            const auto binary = bw::test::textToBinary(view, {floatBits, true, 2});
            save(outDir / (stem + "_bin.x"), binary);
            save(outDir / (stem + "_tzip.x"), bw::test::compressXFile(text, 256));
            save(outDir / (stem + "_bzip.x"), bw::test::compressXFile(binary, 256));
            return 0;
        }
        bw::XFile file = bw::XFile::fromBytes(text);
        std::vector<const bw::XDataObject*> objects;
        while (const bw::XDataObject* object = file.nextObject())
            objects.push_back(object);
        std::vector<std::shared_ptr<const bw::XTemplate>> declared;
        for (const auto& t : file.templates().all())
            if (bw::standardTemplates().find(t->name) != t) declared.push_back(t);

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
