// Builds the whole model a given number of times (default 1) on one thread, read-ahead off,
// as BM_LoadOneCore_Boardwright does, with nothing else in the process: a run for
// instruction and allocation profilers (callgrind, heaptrack), whose figures divide by the
// count. With --digest it prints a digest of every mesh of the last build (geometry,
// attribute table, materials, names), so that a change to the loading can be checked to
// build exactly what it built before.
//
//   bench_load_profile [--digest] [builds]

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "bench/ModelFolder.h"
#include "modelview/FrameTable.h"
#include "modelview/PcModel.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDevice.h"

namespace {

// FNV-1a over bytes: enough to tell two builds apart.
class Digest {
public:
    void add(const void* data, std::size_t size) {
        for (const auto byte : std::span(static_cast<const std::uint8_t*>(data), size))
            value_ = (value_ ^ byte) * 0x100000001b3ull;
    }
    template <typename T> void addSpan(std::span<const T> values) { add(values.data(), values.size_bytes()); }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

void digestFrame(const bw::CD3DFrame& frame, Digest& digest, int& meshes) {
    digest.add(frame.ObjectName.data(), frame.ObjectName.size());
    digest.add(&frame.GetMatrix(), sizeof(bw::Matrix));
    for (std::int32_t i = 0; i < frame.GetChildMeshCount(); ++i) {
        const bw::MeshPtr mesh = frame.GetChildMesh(i);
        if (!mesh) continue;
        ++meshes;
        digest.add(mesh->ObjectName.data(), mesh->ObjectName.size());
        for (std::int32_t m = 0; m < mesh->GetMaterialCount(); ++m) {
            const bw::Material material = mesh->GetMaterial(m);
            digest.add(&material, sizeof material);
        }
        const auto geometry = mesh->mesh();
        if (!geometry) continue;
        const std::uint32_t fvf = geometry->fvf();
        digest.add(&fvf, sizeof fvf);
        digest.addSpan(geometry->vertexData());
        digest.addSpan(geometry->indices());
        digest.addSpan(geometry->faceAttributes());
        for (const bw::AttributeRange& run : geometry->attributeTable())
            digest.add(&run, sizeof run);
    }
    for (std::int32_t i = 0; i < frame.GetChildFrameCount(); ++i)
        if (const bw::FramePtr child = frame.GetChildFrame(i)) digestFrame(*child, digest, meshes);
}

} // namespace

int main(int argc, char** argv) {
    bool digest = false;
    int builds = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--digest") == 0)
            digest = true;
        else
            builds = std::atoi(argv[i]);
    }
    if (builds < 1) {
        std::fprintf(stderr, "usage: %s [--digest] [builds >= 1]\n", argv[0]);
        return 2;
    }
    const auto device = bw::ReferenceDevice::createOffscreen(1024, 768);
    for (int i = 0; i < builds; ++i) {
        bw::D3DUtil util(std::make_shared<bw::ImageFileTextureLoader>());
        bw::modelview::PcModel model;
        model.build(*device, util.textureCache(), bench::modelFolder(), {}, bw::modelview::ReadAhead::Off);
        if (digest && i + 1 == builds) {
            Digest d;
            int meshes = 0;
            // Frames the PCI card chain shares are visited under each card: the walk is the
            // same for the same model.
            for (std::size_t f = 0; f < bw::modelview::partFrames().size(); ++f)
                digestFrame(*model.frame(f), d, meshes);
            std::printf("%d meshes, digest %016llx\n", meshes, static_cast<unsigned long long>(d.value()));
        }
        model.release();
    }
    return 0;
}
