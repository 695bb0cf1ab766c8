// xinfo FILE...: prints the object tree of each .x file and a summary line per mesh.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/XFile.h"

namespace {

const char* encodingName(const bw::XFileHeader& h) {
    if (h.encoding == bw::XEncoding::Text) return h.compressed ? "compressed text" : "text";
    return h.compressed ? "compressed binary" : "binary";
}

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

void printTree(const bw::XDataObject& object, int depth, std::vector<const bw::XDataObject*>& meshes) {
    std::printf("%*s%s %s, %zu bytes, %zu children\n", depth * 2, "", object.templateName.c_str(),
                quoted(object.name).c_str(), object.data.size(), object.children.size());
    if (object.templateName == "TID_D3DRMMesh") meshes.push_back(&object);
    for (const auto& child : object.children) {
        if (!child.isReference()) {
            printTree(child.object(), depth + 1, meshes);
        } else if (const bw::XDataObject* target = child.target()) {
            std::printf("%*s{ %s } -> %s\n", (depth + 1) * 2, "", child.referenceName().c_str(),
                        target->templateName.c_str());
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: xinfo FILE...\n");
        return 2;
    }
    bool allRead = true;
    for (int i = 1; i < argc; ++i)
        allRead = describe(argv[i]) && allRead;
    return allRead ? 0 : 1;
}
