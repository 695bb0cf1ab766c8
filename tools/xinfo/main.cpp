// xinfo FILE...: prints the object tree of each .x file and a summary line per mesh.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/XFile.h"

namespace {

constexpr const char* usage = "usage: xinfo [--help] [--] FILE...\n";

constexpr const char* help =
    "Prints each DirectX .x file's header, its tree of objects and a line for each mesh.\n"
    "Reads the text, binary and compressed forms, 32- and 64-bit floats.\n"
    "What the reader passed over in a file that still reads (objects of templates nobody\n"
    "declares, padding after the last object) is printed on stderr as warnings.\n"
    "Exit status: 0 when every file was read, 1 when any could not be, 2 for a wrong\n"
    "command line.\n";

const char* encodingName(const bw::XFileHeader& h) {
    if (h.encoding == bw::XEncoding::Text) return h.compressed ? "compressed text" : "text";
    return h.compressed ? "compressed binary" : "binary";
}

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

void printTree(const bw::XDataObject& object, int depth, std::vector<const bw::XDataObject*>& meshes) {
    std::printf("%*s%s %s, %zu bytes, %zu children\n", depth * 2, "",
                std::string(object.templateName).c_str(), quoted(object.name).c_str(), object.data.size(),
                object.children.size());
    if (object.templateName == "TID_D3DRMMesh") meshes.push_back(&object);
    for (const auto& child : object.children) {
        if (!child.isReference()) {
            printTree(child.object(), depth + 1, meshes);
        } else if (const bw::XDataObject* target = child.target()) {
            std::printf("%*s{ %s } -> %s\n", (depth + 1) * 2, "", child.referenceName().c_str(),
                        std::string(target->templateName).c_str());
        } else {
            std::printf("%*s{ %s } unresolved\n", (depth + 1) * 2, "", child.referenceName().c_str());
        }
    }
}

void printMesh(const bw::XDataObject& object) {
    const bw::LoadedMesh loaded = bw::loadMeshFromXObject(object);
    std::printf("mesh %s: vertices %u, faces %u, subsets %u\n",
                object.name.empty() ? "(unnamed)" : object.name.c_str(), loaded.mesh.vertexCount(),
                loaded.mesh.faceCount(), loaded.mesh.subsetCount());
}

// Prints one file; false (after a one-line message on stderr) when it cannot be read.
bool describe(const char* path) {
    try {
        bw::XFile file = bw::XFile::open(path);
        const bw::XFileHeader& h = file.header();
        std::printf("%s: .x %02d.%02d, %s, %d-bit floats\n", path, h.majorVersion, h.minorVersion,
                    encodingName(h), h.floatBits);
        std::vector<const bw::XDataObject*> meshes;
        while (const bw::XDataObject* object = file.nextObject())
            printTree(*object, 1, meshes);
        for (const bw::XDataObject* mesh : meshes)
            printMesh(*mesh);
        const bw::XWarnings& warnings = file.warnings();
        std::fflush(stdout);
        for (const std::string& warning : warnings.listed)
            std::fprintf(stderr, "xinfo: %s: warning: %s\n", path, warning.c_str());
        if (warnings.count > warnings.listed.size())
            std::fprintf(stderr, "xinfo: %s: %llu more warnings\n", path,
                         static_cast<unsigned long long>(warnings.count - warnings.listed.size()));
        return true;
    } catch (const bw::PlatformError& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "xinfo: %s: %s (0x%08X)\n", path, e.what(), e.code());
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "xinfo: %s: %s\n", path, e.what());
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<const char*> files;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            std::printf("%s%s", usage, help);
            return 0;
        } else if (options && arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "xinfo: unknown option %s\n%s", arg, usage);
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "%s", usage);
        return 2;
    }
    // Every file is described, whatever the ones before it did.
    bool allRead = true;
    for (const char* file : files)
        allRead = describe(file) && allRead;
    return allRead ? 0 : 1;
}
