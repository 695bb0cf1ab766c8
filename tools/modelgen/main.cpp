// modelgen [--text] [--subdivide LEVELS] OUTDIR: writes every .x model file of the PC model
// into OUTDIR, in the binary form unless --text; --subdivide splits every triangle into
// four LEVELS times over (for measuring how loading and drawing grow with the triangles).

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/modelgen/ModelBuilder.h"

namespace {

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--text] [--subdivide LEVELS] OUTDIR\n", program);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bw::modelgen::WriteOptions options;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--text") {
            options.form = bw::modelgen::XForm::Text;
        } else if (argument == "--subdivide" && i + 1 < argc) {
            char* end = nullptr;
            const long levels = std::strtol(argv[++i], &end, 10);
            // Each level quadruples the triangles; three would pass the reader's file limits.
            if (*end != '\0' || levels < 0 || levels > 2) return usage(argv[0]);
            options.subdivisionLevels = static_cast<int>(levels);
        } else if (!folder && !argument.empty() && argument[0] != '-') {
            folder = argv[i];
        } else {
            return usage(argv[0]);
        }
    }
    if (!folder) return usage(argv[0]);
    try {
        bw::modelgen::writeModelFiles(folder, options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modelgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
