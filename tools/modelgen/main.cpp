// modelgen OUTDIR: writes every .x model file of the PC model into OUTDIR.

#include <cstdio>
#include <exception>

#include "tools/modelgen/ModelBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    try {
        bw::modelgen::writeModelFiles(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modelgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
