#include <gtest/gtest.h>

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "tests/scene3d/XFileFormsSupport.h"

namespace bw {
namespace {

using test::readAll;
using test::readTestFile;

using test::expectSameObjects;

const XDataObject& findMesh(const std::vector<const XDataObject*>& objects) {
    for (const XDataObject* o : objects)
        if (o->templateName == "TID_D3DRMFrame")
            for (const auto& c : o->children)
                if (c.object().templateName == "TID_D3DRMMesh") return c.object();
    throw std::runtime_error("no mesh");
}

TEST(XFileForms, EveryCommittedFormOfTheCubeReadsTheSame) {
    XFile text = XFile::fromBytes(readTestFile("cube.x"));
    EXPECT_EQ(XEncoding::Text, text.header().encoding);
    for (const char* form : {"cube_bin.x", "cube_bin64.x", "cube_tzip.x", "cube_bzip.x"}) {
        SCOPED_TRACE(form);
        XFile reference = XFile::fromBytes(readTestFile("cube.x"));
        XFile other = XFile::fromBytes(readTestFile(form));
        expectSameObjects(reference, other);
    }
    XFile bin64 = XFile::fromBytes(readTestFile("cube_bin64.x"));
    EXPECT_EQ(64, bin64.header().floatBits);
    XFile bzip = XFile::fromBytes(readTestFile("cube_bzip.x"));
    EXPECT_TRUE(bzip.header().compressed);
    EXPECT_EQ(XEncoding::Binary, bzip.header().encoding);
}

TEST(XFileForms, WrittenFormsGiveIdenticalObjectsAndMeshes) {
    const auto text = readTestFile("cube.x");
    XFile source = XFile::fromBytes(text);
    const auto objects = readAll(source);
    const std::vector declared{source.templates().find("Note")};

    std::vector<std::vector<std::uint8_t>> forms;
    forms.push_back(test::writeBinaryXFile(declared, objects, 32));
    forms.push_back(test::writeBinaryXFile(declared, objects, 64));
    forms.push_back(test::compressXFile(text));      // one block
    forms.push_back(test::compressXFile(text, 100)); // many blocks, each needing the last one's window
    forms.push_back(test::compressXFile(forms[0], 64));
    auto text64 = text;
    std::copy_n("0064", 4, text64.begin() + 12); // the same numbers, read as doubles
    forms.push_back(text64);

    const LoadedMesh reference = loadMeshFromXObject(findMesh(objects));
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SCOPED_TRACE("form " + std::to_string(i));
        XFile original = XFile::fromBytes(text);
        XFile other = XFile::fromBytes(forms[i]);
        expectSameObjects(original, other);

        XFile again = XFile::fromBytes(forms[i]);
        const LoadedMesh mesh = loadMeshFromXObject(findMesh(readAll(again)));
        EXPECT_EQ(reference.mesh.fvf(), mesh.mesh.fvf());
        EXPECT_TRUE(std::equal(reference.mesh.vertexData().begin(), reference.mesh.vertexData().end(),
                               mesh.mesh.vertexData().begin(), mesh.mesh.vertexData().end()));
        EXPECT_TRUE(std::equal(reference.mesh.indices().begin(), reference.mesh.indices().end(),
                               mesh.mesh.indices().begin(), mesh.mesh.indices().end()));
        EXPECT_EQ(reference.mesh.attributeTable(), mesh.mesh.attributeTable());
        EXPECT_EQ(reference.adjacency, mesh.adjacency);
        EXPECT_EQ(reference.materials, mesh.materials);
    }
}

TEST(XFileForms, BinaryListsMayBeSplitOrMergedFreely) {
    // A FrameTransformMatrix whose 16 floats arrive in three lists, then a Vector whose
    // members come as one-value tokens.
    test::BinaryTokenWriter out(32);
    const std::string header = "xof 0302bin 0032";
    out.bytes().assign(header.begin(), header.end());
    out.name("FrameTransformMatrix");
    out.token(10);
    const std::vector<double> first{1, 0, 0, 0, 0}, second{1, 0, 0, 0, 0, 1}, third{0, 7, 8, 9, 1};
    out.floats(first);
    out.floats(second);
    out.floats(third);
    out.token(11);
    out.name("Header");
    out.token(10);
    out.integer(1);
    out.token(20);
    const std::vector<std::uint32_t> rest{2, 3};
    out.integers(rest);
    out.token(11);

    XFile file = XFile::fromBytes(out.bytes());
    const auto objects = readAll(file);
    ASSERT_EQ(2u, objects.size());
    XDataReader matrix(*objects[0]);
    matrix.skip(48);
    EXPECT_EQ(7.0f, matrix.floatValue());
    EXPECT_EQ(8.0f, matrix.floatValue());
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 2, 0, 3, 0, 0, 0}), objects[1]->data);
}

} // namespace
} // namespace bw
