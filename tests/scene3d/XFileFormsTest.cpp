#include <algorithm>
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
        EXPECT_TRUE(std::ranges::equal(reference.mesh.attributeTable(), mesh.mesh.attributeTable()));
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
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 2, 0, 3, 0, 0, 0}),
              std::vector<std::uint8_t>(objects[1]->data.begin(), objects[1]->data.end()));
}

// A binary Mesh of two vectors' worth of triangles: vertices and faces as the lists say.
std::vector<std::uint8_t> binaryMesh(const std::vector<std::vector<double>>& floatLists,
                                     const std::vector<std::vector<std::uint32_t>>& integerLists) {
    test::BinaryTokenWriter out(32);
    const std::string header = "xof 0303bin 0032";
    out.bytes().assign(header.begin(), header.end());
    out.name("Mesh");
    out.token(10);
    out.integer(4);
    for (const auto& list : floatLists)
        out.floats(list);
    for (const auto& list : integerLists)
        out.integers(list);
    out.token(11);
    return out.bytes();
}

TEST(XFileForms, RunsOfTrianglesAndOtherFacesReadTheSameWhereverTheirListIsSplit) {
    const std::vector<double> corners{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    // Triangles in runs longer and shorter than the reader takes at once, a quad among them.
    std::vector<std::uint32_t> faces{11};
    for (int f = 0; f < 11; ++f) {
        if (f == 6) {
            faces.insert(faces.end(), {4, 0, 1, 3, 2});
        } else {
            faces.insert(faces.end(), {3, static_cast<std::uint32_t>(f % 4), 1, 2});
        }
    }
    XFile whole = XFile::fromBytes(binaryMesh({corners}, {faces}));
    const auto reference = readAll(whole);
    ASSERT_EQ(1u, reference.size());
    EXPECT_EQ(4u + 48 + 4 * faces.size(), reference[0]->data.size());
    for (std::size_t at = 1; at < faces.size(); ++at) {
        SCOPED_TRACE("split at " + std::to_string(at));
        XFile split = XFile::fromBytes(
            binaryMesh({corners}, {{faces.begin(), faces.begin() + static_cast<std::ptrdiff_t>(at)},
                                   {faces.begin() + static_cast<std::ptrdiff_t>(at), faces.end()}}));
        expectSameObjects(reference, readAll(split));
    }
    EXPECT_EQ(12u, loadMeshFromXObject(*reference[0]).mesh.faceCount());
}

TEST(XFileForms, ListsCopiedInRunsReadAsValueByValueWhereverTheyAreSplit) {
    const std::vector<double> corners{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    const std::vector<std::uint32_t> faces{2, 3, 0, 1, 2, 3, 1, 3, 2};
    // The same mesh: whole lists; vectors and faces split inside a record; lists of one
    // value where a record starts, so that it is read member by member.
    const std::vector<std::vector<std::uint8_t>> forms{
        binaryMesh({corners}, {faces}),
        binaryMesh({{0, 0, 0, 1}, {0, 0, 0, 1, 0, 1}, {1, 0}}, {{2, 3, 0}, {1}, {2, 3, 1, 3}, {2}}),
        binaryMesh({{0}, {0, 0}, {1, 0, 0, 0, 1, 0, 1, 1, 0}}, {{2}, {3}, {0, 1, 2, 3, 1, 3, 2}}),
    };
    XFile whole = XFile::fromBytes(forms[0]);
    const auto reference = readAll(whole);
    ASSERT_EQ(1u, reference.size());
    EXPECT_EQ(4u + 48 + 4 + 32, reference[0]->data.size());
    for (std::size_t i = 1; i < forms.size(); ++i) {
        SCOPED_TRACE("form " + std::to_string(i));
        XFile split = XFile::fromBytes(forms[i]);
        expectSameObjects(reference, readAll(split));
    }
    const LoadedMesh mesh = loadMeshFromXObject(*reference[0]);
    EXPECT_EQ(2u, mesh.mesh.faceCount());
    EXPECT_EQ(Vector3(1, 1, 0), mesh.mesh.position(3));

    // A face that claims more corners than its list and the rest of the file hold, and
    // an integer list where the vectors' floats belong: refused, as value by value.
    const auto code = [](const std::vector<std::uint8_t>& bytes) {
        try {
            XFile file = XFile::fromBytes(bytes);
            readAll(file);
        } catch (const PlatformError& e) {
            return e.code();
        }
        return result::ok;
    };
    EXPECT_EQ(result::badArraySize, code(binaryMesh({corners}, {{2, 3, 0, 1, 2, 0x7FFFFFFF, 1, 3, 2}})));
    EXPECT_EQ(result::badValue, code(binaryMesh({}, {{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, faces})));
}

} // namespace
} // namespace bw
