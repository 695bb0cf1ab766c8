#include <cstring>
#include <gtest/gtest.h>

#include "tests/scene3d/XFileTestSupport.h"

namespace bw {
namespace {

using test::bytesOf;
using test::readAll;
using test::readTestFile;

float floatAt(const XDataObject& o, std::size_t offset) {
    float f;
    std::memcpy(&f, o.data.data() + offset, 4);
    return f;
}

std::uint32_t dwordAt(const XDataObject& o, std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, o.data.data() + offset, 4);
    return v;
}

const XDataObject& child(const XDataObject& o, std::size_t i) { return o.children.at(i).object(); }

class CubeLayout : public ::testing::Test {
protected:
    XFile file = XFile::fromBytes(readTestFile("cube.x"));
    std::vector<const XDataObject*> objects = readAll(file);
};

TEST_F(CubeLayout, TopLevelObjectsCarryTheIdentifiersCallersCompare) {
    ASSERT_EQ(5u, objects.size());
    EXPECT_EQ("TID_DXFILEHeader", objects[0]->templateName);
    EXPECT_EQ("Note", objects[1]->templateName); // declared in the file: keeps its name
    EXPECT_EQ("TID_D3DRMMaterial", objects[2]->templateName);
    EXPECT_EQ("TID_D3DRMFrame", objects[3]->templateName);
    EXPECT_EQ("TID_D3DRMAnimationSet", objects[4]->templateName);
    EXPECT_EQ("Cube", objects[3]->name);
    EXPECT_EQ("", objects[0]->name);

    const XDataObject& frame = *objects[3];
    EXPECT_EQ("TID_D3DRMFrameTransformMatrix", child(frame, 0).templateName);
    EXPECT_EQ("TID_D3DRMMesh", child(frame, 1).templateName);
    const XDataObject& animation = child(*objects[4], 0);
    EXPECT_EQ("TID_D3DRMAnimation", animation.templateName);
    ASSERT_TRUE(animation.children[0].isReference());
    EXPECT_EQ("Cube", animation.children[0].referenceName());
    EXPECT_EQ(objects[3], &animation.children[0].object()); // resolves to the frame itself
    EXPECT_EQ("TID_D3DRMAnimationKey", child(animation, 1).templateName);
    EXPECT_EQ("TID_D3DRMAnimationOptions", child(animation, 3).templateName);
}

TEST_F(CubeLayout, FrameTransformMatrixIsSixteenFloatsRowByRow) {
    const XDataObject& matrix = child(*objects[3], 0);
    ASSERT_EQ(64u, matrix.data.size());
    EXPECT_EQ(1.0f, floatAt(matrix, 0));  // m11
    EXPECT_EQ(0.0f, floatAt(matrix, 4));  // m12
    EXPECT_EQ(1.0f, floatAt(matrix, 20)); // m22
    EXPECT_EQ(2.0f, floatAt(matrix, 48)); // m41
    EXPECT_EQ(3.0f, floatAt(matrix, 52)); // m42
    EXPECT_EQ(4.0f, floatAt(matrix, 56)); // m43
    EXPECT_EQ(1.0f, floatAt(matrix, 60)); // m44
}

TEST_F(CubeLayout, AnimationKeysAreHeaderThenTimedRecords) {
    const XDataObject& animation = child(*objects[4], 0);
    const XDataObject& rotation = child(animation, 1);
    // keyType, nKeys, then per key: time, nValues, values; rotation records are 24 bytes.
    ASSERT_EQ(8u + 2 * 24, rotation.data.size());
    EXPECT_EQ(0u, dwordAt(rotation, 0));
    EXPECT_EQ(2u, dwordAt(rotation, 4));
    EXPECT_EQ(0u, dwordAt(rotation, 8));
    EXPECT_EQ(4u, dwordAt(rotation, 12));
    EXPECT_EQ(1.0f, floatAt(rotation, 16)); // w first, as written
    EXPECT_EQ(100u, dwordAt(rotation, 32));
    EXPECT_EQ(4u, dwordAt(rotation, 36));
    EXPECT_FLOAT_EQ(0.707107f, floatAt(rotation, 40));
    EXPECT_FLOAT_EQ(0.707107f, floatAt(rotation, 48));

    const XDataObject& position = child(animation, 2);
    ASSERT_EQ(8u + 2 * 20, position.data.size()); // 20-byte records
    EXPECT_EQ(2u, dwordAt(position, 0));
    EXPECT_EQ(100u, dwordAt(position, 28));
    EXPECT_EQ(3u, dwordAt(position, 32));
    EXPECT_EQ(10.0f, floatAt(position, 36));
}

TEST_F(CubeLayout, MembersArePackedAtTheirDeclaredSizes) {
    // Header: WORD major, WORD minor, DWORD flags.
    EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0}),
              std::vector<std::uint8_t>(objects[0]->data.begin(), objects[0]->data.end()));
    // Mesh: nVertices, 8 vectors, nFaces, then each face's count and indices inline.
    const XDataObject& mesh = child(*objects[3], 1);
    EXPECT_EQ(8u, dwordAt(mesh, 0));
    EXPECT_EQ(-1.0f, floatAt(mesh, 4));
    EXPECT_EQ(6u, dwordAt(mesh, 100));
    EXPECT_EQ(4u, dwordAt(mesh, 104));
    EXPECT_EQ(3u, dwordAt(mesh, 120));
    EXPECT_EQ(4u + 96 + 4 + 6 * 20, mesh.data.size());
}

TEST_F(CubeLayout, StringsAreIndicesIntoTheObjectsStringTable) {
    EXPECT_EQ(0u, dwordAt(*objects[1], 0));
    EXPECT_EQ(7u, dwordAt(*objects[1], 4));
    EXPECT_EQ(std::vector<std::string>{"hello"}, objects[1]->strings);

    const XDataObject& materials = child(child(*objects[3], 1), 2);
    ASSERT_TRUE(materials.children[0].isReference());
    EXPECT_EQ("Red", materials.children[0].object().name);
    const XDataObject& texture = child(child(materials, 1), 0);
    EXPECT_EQ("TID_D3DRMTextureFilename", texture.templateName);
    XDataReader reader(texture);
    EXPECT_EQ("wood.bmp", reader.string());
    EXPECT_THROW(reader.dword(), PlatformError);
}

TEST(XFileText, CommentsNumbersNamesAndSeparators) {
    XFile file = XFile::fromBytes(bytesOf(R"(xof 0302txt 0032
# a comment
template Sample { <01234567-89AB-CDEF-0123-456789ABCDEF>
  SDWORD s; WORD w; UCHAR c; DOUBLE d; FLOAT f; array FLOAT grid[2][2]; STRING a; STRING b; }
// another comment
Sample 1stFloor <AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE> {
  -2; 65535; 255; 0.5; -1.5e2; 1 2 3 4 "x" "y"
}
Vector Frame0Cube_13b3 { 1;2;3;;; }
)"));
    const auto objects = readAll(file);
    ASSERT_EQ(2u, objects.size());
    const XDataObject& sample = *objects[0];
    EXPECT_EQ("1stFloor", sample.name);
    ASSERT_TRUE(sample.id);
    EXPECT_EQ("AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE", formatGuid(*sample.id));
    ASSERT_EQ(4u + 2 + 1 + 8 + 4 + 16 + 8, sample.data.size());
    EXPECT_EQ(0xFFFFFFFEu, dwordAt(sample, 0));
    EXPECT_EQ(0xFF, sample.data[4]);
    EXPECT_EQ(0xFF, sample.data[5]);
    EXPECT_EQ(0xFF, sample.data[6]);
    double d;
    std::memcpy(&d, sample.data.data() + 7, 8);
    EXPECT_EQ(0.5, d);
    EXPECT_EQ(-150.0f, floatAt(sample, 15));
    EXPECT_EQ(4.0f, floatAt(sample, 31));
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), sample.strings);
    EXPECT_EQ("Frame0Cube_13b3", objects[1]->name);
}

TEST(XFileText, ReferencesResolveOnlyToEarlierObjects) {
    XFile file = XFile::fromBytes(bytesOf(R"(xof 0302txt 0032
Frame A { { B } { <11111111-2222-3333-4444-555555555555> } }
Frame B <11111111-2222-3333-4444-555555555555> { }
Frame C { { B } { <11111111-2222-3333-4444-555555555555> } { Nowhere } }
Frame B { }
Frame D { { B } }
Frame E { { D } }
)"));
    const auto objects = readAll(file);
    ASSERT_EQ(6u, objects.size());
    // A name given twice stands for its first object; objects read after a reference was
    // looked up are found by later ones.
    EXPECT_EQ(objects[1], objects[4]->children[0].target());
    EXPECT_EQ(objects[4], objects[5]->children[0].target());
    EXPECT_EQ(nullptr, objects[0]->children[0].target());
    EXPECT_EQ(nullptr, objects[0]->children[1].target());
    EXPECT_EQ(objects[1], objects[2]->children[0].target());
    EXPECT_EQ(objects[1], objects[2]->children[1].target());
    try {
        objects[2]->children[2].object();
        FAIL() << "an unknown reference must not resolve";
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::notFound, e.code());
    }
}

TEST(XFileTemplates, RestrictionsDecideWhichChildrenAreAllowed) {
    EXPECT_EQ(result::ok,
              test::firstFailure("xof 0302txt 0032\nMesh { 0;; 0;; Frame { } Vector { 1;2;3; } }"));
    EXPECT_EQ(result::badObject, test::firstFailure("xof 0302txt 0032\nVector { 1;2;3; Frame { } }"));
    EXPECT_EQ(result::badObject,
              test::firstFailure("xof 0302txt 0032\nMeshMaterialList { 1;1;0;; Vector { 1;2;3; } }"));
    EXPECT_EQ(result::ok, test::firstFailure("xof 0302txt 0032\nMeshMaterialList { 1;1;0;; Material { "
                                             "1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"));
    // Declared templates: sizes from earlier members only, types must be known.
    EXPECT_EQ(result::parseError,
              test::firstFailure("xof 0302txt 0032\ntemplate T { <01234567-89AB-CDEF-0123-"
                                 "456789ABCDEF> array DWORD a[n]; DWORD n; }"));
    EXPECT_EQ(result::noTemplate,
              test::firstFailure("xof 0302txt 0032\ntemplate T { <01234567-89AB-CDEF-0123-"
                                 "456789ABCDEF> Unknown u; }"));
}

} // namespace
} // namespace bw
