// The model files in both forms modelgen writes: the binary form the build ships reads as
// the same meshes as the text form, file by file, and subdivided files keep the shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/XFile.h"
#include "tools/modelgen/ModelFileWriter.h"

using namespace bw;
using namespace bw::modelgen;

namespace {

LoadedMesh loadForm(const ModelFileContent& content, XForm form) {
    XFile file = XFile::fromBytes(modelFileBytes(content, form));
    return loadMeshFromXFile(file);
}

// The text form writes six decimals, the binary form the float itself; positions are
// taken through the frames' matrices, whose rounded elements scale the difference.
bool closeEnough(float text, float binary) {
    return std::fabs(text - binary) <= 2e-5f + 1e-5f * std::fabs(binary);
}

} // namespace

TEST(ModelFileForms, EveryFileReadsAsTheSameMeshesInTextAndBinary) {
    for (const ModelFileContent& content : buildModelFiles()) {
        SCOPED_TRACE(content.fileName);
        const std::vector<std::uint8_t> binary = modelFileBytes(content, XForm::Binary);
        ASSERT_EQ("xof 0303bin 0032", std::string(binary.begin(), binary.begin() + 16));
        const LoadedMesh text = loadForm(content, XForm::Text);
        const LoadedMesh bin = loadForm(content, XForm::Binary);
        ASSERT_EQ(text.mesh.fvf(), bin.mesh.fvf());
        ASSERT_EQ(text.mesh.vertexCount(), bin.mesh.vertexCount());
        EXPECT_TRUE(std::ranges::equal(text.mesh.indices(), bin.mesh.indices()));
        EXPECT_TRUE(std::ranges::equal(text.mesh.faceAttributes(), bin.mesh.faceAttributes()));
        const auto a = text.mesh.vertexData();
        const auto b = bin.mesh.vertexData();
        const auto far = std::mismatch(a.begin(), a.end(), b.begin(), closeEnough);
        EXPECT_EQ(far.first, a.end()) << "vertex value " << (far.first - a.begin()) << " differs";
        ASSERT_EQ(text.materials.size(), bin.materials.size());
        for (std::size_t m = 0; m < text.materials.size(); ++m) {
            EXPECT_TRUE(
                closeEnough(text.materials[m].material.diffuse.r, bin.materials[m].material.diffuse.r));
            EXPECT_TRUE(closeEnough(text.materials[m].material.power, bin.materials[m].material.power));
        }
    }
}

TEST(ModelFileForms, SubdividedFilesHoldSixteenTimesTheTrianglesOfTheSameShapes) {
    const std::vector<ModelFileContent> files = buildModelFiles();
    for (const std::size_t index : {std::size_t{0}, files.size() / 2, files.size() - 1}) {
        const ModelFileContent& content = files[index];
        SCOPED_TRACE(content.fileName);
        const LoadedMesh plain = loadForm(content, XForm::Binary);
        const LoadedMesh finer = loadForm(subdivided(content, 2), XForm::Binary);
        EXPECT_EQ(plain.mesh.faceCount() * 16, finer.mesh.faceCount());
        // Midpoints lie inside the triangles they split: the same bounds, and every
        // normal still of unit length.
        const auto bounds = [](const Mesh& mesh) {
            Vector3 lo = mesh.position(0), hi = lo;
            for (std::uint32_t v = 1; v < mesh.vertexCount(); ++v) {
                const Vector3 p = mesh.position(v);
                lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
                hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            }
            return std::pair(lo, hi);
        };
        const auto [plainLo, plainHi] = bounds(plain.mesh);
        const auto [finerLo, finerHi] = bounds(finer.mesh);
        EXPECT_NEAR(plainLo.x, finerLo.x, 1e-4f);
        EXPECT_NEAR(plainHi.y, finerHi.y, 1e-4f);
        EXPECT_NEAR(plainHi.z, finerHi.z, 1e-4f);
        for (std::uint32_t v = 0; v < finer.mesh.vertexCount(); ++v)
            ASSERT_NEAR(1.0f, length(finer.mesh.normal(v)), 1e-3f) << "vertex " << v;
        // The materials of the faces stay in the same order, each face split in place.
        for (std::uint32_t f = 0; f < finer.mesh.faceCount(); ++f)
            ASSERT_EQ(plain.mesh.faceAttributes()[f / 16], finer.mesh.faceAttributes()[f]) << "face " << f;
    }
}
