// What exporters write besides the format, read as they mean it: each file in every form
// (text, binary as different writers make it, compressed) reads the same.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/Mszip.h"
#include "scene3d/platform/xfile/XParser.h"
#include "tests/scene3d/support/HostileXFiles.h"
#include "tests/scene3d/XFileFormsSupport.h"
#include "tests/support/MemoryCap.h"

namespace bw {
namespace {

using test::bytesOf;
using test::firstFailure;
using test::readAll;
using test::readEveryFormAlike;

constexpr std::string_view identity = "1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;;";

const XDataObject& childOf(const XDataObject& parent, std::string_view templateName) {
    for (const XChild& c : parent.children)
        if (!c.isReference() && c.object().templateName == templateName) return c.object();
    throw std::runtime_error("no " + std::string(templateName) + " in " + parent.name);
}

std::uint32_t dwordAt(const XDataObject& o, std::size_t offset) {
    std::uint32_t v = 0;
    std::memcpy(&v, o.data.data() + offset, 4);
    return v;
}

// The message a file fails with, or empty when it reads to its end.
std::string failureOf(const std::vector<std::uint8_t>& bytes) {
    try {
        XFile file = XFile::fromBytes(bytes);
        readAll(file);
    } catch (const PlatformError& e) {
        return e.what();
    }
    return {};
}

TEST(XFileTolerance, TemplateNamesMatchAsSpelledFirstThenInAnyLetterCase) {
    const std::string text =
        "xof 0302txt 0032\nFrame Root {\n FrameTransformMatrix { " + std::string(identity) +
        " }\n MESH Box {\n  3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n  1; 3;0,1,2;;\n"
        "  meshMaterialList { 1; 1; 0;;\n   Material { 1.0;1.0;1.0;1.0;; 8.0; 0.0;0.0;0.0;; "
        "0.0;0.0;0.0;;\n    TextureFileName { \"wood.bmp\"; }\n   }\n  }\n }\n}\n";
    const test::ReadForms read = readEveryFormAlike(text);
    ASSERT_EQ(read.objects.size(), 1u);
    EXPECT_EQ(read.text.warnings().count, 0u);
    const XDataObject& mesh = childOf(*read.objects[0], "TID_D3DRMMesh");
    const XDataObject& material = childOf(childOf(mesh, "TID_D3DRMMeshMaterialList"), "TID_D3DRMMaterial");
    EXPECT_EQ(childOf(material, "TID_D3DRMTextureFilename").strings, std::vector<std::string>{"wood.bmp"});
    const LoadedMesh loaded = loadMeshFromXObject(mesh);
    ASSERT_EQ(loaded.materials.size(), 1u);
    EXPECT_EQ(loaded.materials[0].textureFilename, "wood.bmp");

    // Declarations that differ only in case are different templates when spelled exactly,
    // and a name that could be either is refused, naming both. Member types and
    // restrictions find their templates the same way.
    const std::string declared = "xof 0302txt 0032\n"
                                 "template Note { <01234567-89AB-CDEF-0123-456789ABCD01> STRING text; }\n"
                                 "template NOTE { <01234567-89AB-CDEF-0123-456789ABCD02> DWORD n; }\n"
                                 "template Pair { <01234567-89AB-CDEF-0123-456789ABCD03> vector a; VECTOR b; "
                                 "[textureFILENAME] }\n"
                                 "Note { \"a\"; }\nNOTE { 7; }\n"
                                 "Pair { 1.0;2.0;3.0;; 4.0;5.0;6.0;; TextureFilename { \"b.bmp\"; } }\n";
    const test::ReadForms notes = readEveryFormAlike(declared);
    ASSERT_EQ(notes.objects.size(), 3u);
    EXPECT_EQ(notes.objects[0]->strings, std::vector<std::string>{"a"});
    EXPECT_EQ(std::vector<std::uint8_t>(notes.objects[1]->data.begin(), notes.objects[1]->data.end()),
              (std::vector<std::uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(notes.objects[2]->data.size(), 24u);
    EXPECT_EQ(notes.objects[2]->children.size(), 1u);
    const std::string ambiguous = failureOf(bytesOf(declared + "note { 1; }"));
    EXPECT_NE(ambiguous.find("could be any of 'NOTE', 'Note'"), std::string::npos) << ambiguous;
    EXPECT_EQ(firstFailure(declared + "note { 1; }"), result::noTemplate);
}

TEST(XFileTolerance, EveryDeclaredNameIsFoundAndALaterDeclarationStandsForItFromThere) {
    const auto guid = [](int k) {
        const std::string digits = std::to_string(1000 + k);
        return "<01234567-89AB-CDEF-0123-45678900" + digits + ">";
    };
    std::string text = "xof 0302txt 0032\n"
                       "template Count { " +
                       guid(0) +
                       " DWORD n; }\nCount { 1; }\n"
                       "template Count { " +
                       guid(1) + " DWORD a; DWORD b; }\nCount { 2; 3; }\n";
    // More names than the standard templates and one file's first room for them hold.
    constexpr int declared = 70;
    for (int k = 0; k < declared; ++k)
        text += "template T" + std::to_string(k) + " { " + guid(k + 2) + " DWORD v; }\n";
    for (int k = declared - 1; k >= 0; --k)
        text += "T" + std::to_string(k) + " { " + std::to_string(k) + "; }\n";
    const test::ReadForms read = readEveryFormAlike(text);
    ASSERT_EQ(read.objects.size(), 2u + declared);
    EXPECT_EQ(read.objects[0]->data.size(), 4u);
    EXPECT_EQ(read.objects[1]->data.size(), 8u);
    EXPECT_EQ(dwordAt(*read.objects[1], 4), 3u);
    for (int k = 0; k < declared; ++k) {
        const XDataObject& object = *read.objects[2 + static_cast<std::size_t>(declared - 1 - k)];
        EXPECT_EQ(object.templateName, "T" + std::to_string(k));
        EXPECT_EQ(dwordAt(object, 0), static_cast<std::uint32_t>(k));
    }
}

TEST(XFileTolerance, BinaryStringTerminatorsOfEitherWidth) {
    // Arrays of strings put a string's terminator right before the next string token.
    const std::string text =
        "xof 0302txt 0032\n"
        "template Names { <01234567-89AB-CDEF-0123-456789ABCD11> DWORD n; array STRING s[n]; }\n"
        "Names { 3; \"a\", \"\", \"c\"; }\nTextureFilename { \"wood.bmp\"; }\n"
        "Names { 1; \"last\"; }\n";
    const test::ReadForms read = readEveryFormAlike(text);
    ASSERT_EQ(read.objects.size(), 3u);
    EXPECT_EQ(read.objects[0]->strings, (std::vector<std::string>{"a", "", "c"}));

    // A 2-byte terminator ending the file's bytes; a terminator that is neither still fails.
    test::BinaryTokenWriter out(32);
    const std::string header = "xof 0303bin 0032";
    out.bytes().assign(header.begin(), header.end());
    out.name("TextureFilename");
    out.token(10);
    out.string("a.bmp", 19, 2);
    out.token(11);
    XFile file = XFile::fromBytes(out.bytes());
    ASSERT_EQ(readAll(file).size(), 1u);
    out.bytes().resize(out.bytes().size() - 4); // the terminator and '}'
    out.token(7);
    out.token(11);
    EXPECT_NE(failureOf(out.bytes()).find("string without terminator at byte 39"), std::string::npos);
}

TEST(XFileTolerance, SeparatorsLeftOutDoubledOrMixed) {
    const std::string canonical =
        "xof 0302txt 0032\n"
        "template Holder { <01234567-89AB-CDEF-0123-456789ABCD21> DWORD a; DWORD b; "
        "[Vector, Frame] }\n"
        "Mesh Tri {\n 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;1.0;0.0;;\n 1;\n 3;0,1,2;;\n"
        " MeshNormals { 1; 0.0;0.0;1.0;; 1; 3;0,0,0;; }\n}\n"
        "Holder { 1; 2; Vector { 1.0; 2.0; 3.0; } }\n";
    // The last element without its separator, ',' and ';' swapped or doubled, none at all,
    // and the same in the template declaration.
    const std::string sloppy = "xof 0302txt 0032\n"
                               "template Holder { <01234567-89AB-CDEF-0123-456789ABCD21> DWORD a DWORD b "
                               "[Vector; Frame,] }\n"
                               "Mesh Tri {\n 3\n 0.0,0.0,0.0;;\n 1.0 0.0 0.0,\n 0.0;1.0;0.0\n 1,\n 3;0;1;2\n"
                               " MeshNormals { 1, 0.0 0.0 1.0, 1 3 0 0 0 };\n};\n"
                               "Holder { 1;;; 2,,; Vector { 1.0, 2.0, 3.0 } }\n";
    const test::ReadForms expected = readEveryFormAlike(canonical);
    const test::ReadForms read = readEveryFormAlike(sloppy);
    test::expectSameObjects(expected.objects, read.objects);
    EXPECT_EQ(read.text.warnings().count, 0u);
}

TEST(XFileTolerance, CommentsBetweenAnyTokens) {
    const std::string plain =
        "xof 0302txt 0032\n"
        "template Note { <01234567-89AB-CDEF-0123-456789ABCD31> STRING text; DWORD n; }\n"
        "Frame Root { FrameTransformMatrix { " +
        std::string(identity) + " } Note { \"a // b # c\"; 5; } }\n";
    const std::string commented =
        "xof 0302txt 0032 // after the header\n"
        "# before anything\n"
        "template // before the name\nNote# after it\n{ // the brace\n"
        "<01234567-89AB-CDEF-0123-456789ABCD31>//the GUID\n"
        "STRING # the type\ntext // the name\n; DWORD n;# the last member\n}\n"
        "Frame#glued\nRoot//glued\n{ FrameTransformMatrix { 1.0//a number\n,0.0#another\n"
        ",0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0; // between\n; }\n"
        "Note { \"a // b # c\" # after a string\n; 5// after an integer\n; }\n}\n"
        "// at the end, without a line break";
    test::expectSameObjects(readEveryFormAlike(plain).objects, readEveryFormAlike(commented).objects);
}

TEST(XFileTolerance, FilesDeclareStandardTemplatesAgainWithOrWithoutTheirRestrictions) {
    // Mesh again without a restriction, Material extended by a member and restricted, Frame
    // in another letter case and restricted, Vector under another name by its GUID: each
    // still means the standard template and allows what it allowed.
    const std::string text =
        "xof 0302txt 0032\n"
        "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector "
        "vertices[nVertices]; "
        "DWORD nFaces; array MeshFace faces[nFaces]; }\n"
        "template Material { <3D82AB4D-62DA-11cf-AB39-0020AF71E433> ColorRGBA faceColor; FLOAT power; "
        "ColorRGB specularColor; ColorRGB emissiveColor; STRING shader; [TextureFilename] }\n"
        "template frame { <3D82AB46-62DA-11cf-AB39-0020AF71E433> [FrameTransformMatrix, Mesh] }\n"
        "template Point { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
        "frame Root {\n FrameTransformMatrix { " +
        std::string(identity) +
        " }\n Mesh Box {\n  3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n  1; 3;0,1,2;;\n"
        "  MeshNormals { 1; 0.0;0.0;1.0;; 1; 3;0,0,0;; }\n"
        "  MeshMaterialList { 1; 1; 0;;\n   Material { 1.0;0.5;0.25;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; "
        "\"toon.fx\";\n    TextureFilename { \"wood.bmp\"; }\n    EffectInstance { \"toon.fx\"; }\n   }\n  "
        "}\n }\n"
        " Point Marker { 1.0; 2.0; 3.0; }\n}\n";
    const test::ReadForms read = readEveryFormAlike(text);
    ASSERT_EQ(read.objects.size(), 1u);
    const XDataObject& root = *read.objects[0];
    EXPECT_EQ(root.templateName, "TID_D3DRMFrame");
    EXPECT_EQ(childOf(root, "TID_D3DRMVector").name, "Marker");
    const XDataObject& mesh = childOf(root, "TID_D3DRMMesh");
    const LoadedMesh loaded = loadMeshFromXObject(mesh);
    EXPECT_EQ(loaded.mesh.faceCount(), 1u);
    ASSERT_EQ(loaded.materials.size(), 1u);
    EXPECT_EQ(loaded.materials[0].textureFilename, "wood.bmp");
    EXPECT_FLOAT_EQ(loaded.materials[0].material.diffuse.g, 0.5f);
    const XDataObject& material = childOf(childOf(mesh, "TID_D3DRMMeshMaterialList"), "TID_D3DRMMaterial");
    EXPECT_EQ(material.strings, (std::vector<std::string>{"toon.fx"}));
    EXPECT_EQ(childOf(material, "DXFILEOBJ_EffectInstance").strings, std::vector<std::string>{"toon.fx"});

    // A template of the file's own keeps its restriction.
    EXPECT_EQ(firstFailure("xof 0302txt 0032\ntemplate Box { <01234567-89AB-CDEF-0123-456789ABCD41> "
                           "[Vector] }\nBox { Frame { } }"),
              result::badObject);
}

TEST(XFileTolerance, TemplatesLaterVersionsAddedAreKnown) {
    const std::string text =
        "xof 0303txt 0032\n"
        "AnimTicksPerSecond { 4800; }\n"
        "Frame Root {\n"
        " Mesh Box {\n  3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\n  1; 3;0,1,2;;\n"
        "  VertexDuplicationIndices { 3; 3; 0,1,2;; }\n"
        "  FaceAdjacency { 3; 0,1,2;; }\n"
        "  XSkinMeshHeader { 1; 1; 1; }\n"
        "  SkinWeights { \"Root\"; 3; 0,1,2; 1.0,1.0,1.0; " +
        std::string(identity) +
        " }\n"
        "  DeclData { 1; 2;0;3;0;; 3; 1,2,3;; }\n"
        "  FVFData { 258; 2; 7,9;; }\n"
        "  MeshMaterialList { 1; 1; 0;;\n"
        "   Material { 1.0;1.0;1.0;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;\n"
        "    EffectInstance { \"toon.fx\";\n"
        "     EffectParamFloats { \"Diffuse\"; 4; 1.0,0.5,0.25,1.0;; }\n"
        "     EffectParamString { \"Texture\"; \"wood.bmp\"; }\n"
        "     EffectParamDWord { \"Passes\"; 2; }\n"
        "     EffectFloats { 2; 0.5,0.25;; }\n     EffectString { \"old\"; }\n     EffectDWord { 3; }\n"
        "    }\n   }\n  }\n }\n"
        " PatchMesh Patches { 4; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;; 1; 4;0,1,2,3;;; }\n"
        " PatchMesh9 { 1; 3; 0; 1; 0.0;0.0;0.0;; 1; 1;0;;; }\n"
        "}\n"
        "PMInfo { 1; 0;1;1;0;3;3;; 2; 3; 3; 1; 1;2;3;; 0;; }\n"
        "CompressedAnimationSet { 8; 4800.0; 0; 2; 1,2;; }\n";
    const test::ReadForms read = readEveryFormAlike(text);
    EXPECT_EQ(read.text.warnings().count, 0u);
    ASSERT_EQ(read.objects.size(), 4u);
    EXPECT_EQ(read.objects[0]->templateName, "DXFILEOBJ_AnimTicksPerSecond");
    EXPECT_EQ(dwordAt(*read.objects[0], 0), 4800u);
    const XDataObject& root = *read.objects[1];
    const XDataObject& mesh = childOf(root, "TID_D3DRMMesh");
    EXPECT_EQ(childOf(mesh, "DXFILEOBJ_FaceAdjacency").data.size(), 16u);
    EXPECT_EQ(childOf(mesh, "DXFILEOBJ_XSkinMeshHeader").data.size(), 6u);
    EXPECT_EQ(childOf(mesh, "DXFILEOBJ_SkinWeights").data.size(), 4u + 4 + 12 + 12 + 64);
    const XDataObject& decl = childOf(mesh, "DXFILEOBJ_DeclData");
    EXPECT_EQ(decl.data.size(), 4u + 16 + 4 + 12);
    EXPECT_EQ(dwordAt(decl, 12), 3u); // the element's Usage
    EXPECT_EQ(childOf(mesh, "DXFILEOBJ_FVFData").data.size(), 16u);
    const XDataObject& effect = childOf(
        childOf(childOf(mesh, "TID_D3DRMMeshMaterialList"), "TID_D3DRMMaterial"), "DXFILEOBJ_EffectInstance");
    EXPECT_EQ(effect.strings, std::vector<std::string>{"toon.fx"});
    EXPECT_EQ(childOf(effect, "DXFILEOBJ_EffectParamFloats").data.size(), 4u + 4 + 16);
    EXPECT_EQ(childOf(effect, "DXFILEOBJ_EffectParamString").strings,
              (std::vector<std::string>{"Texture", "wood.bmp"}));
    EXPECT_EQ(dwordAt(childOf(effect, "DXFILEOBJ_EffectParamDWord"), 4), 2u);
    EXPECT_EQ(childOf(effect, "DXFILEOBJ_EffectFloats").data.size(), 12u);
    EXPECT_EQ(childOf(effect, "DXFILEOBJ_EffectString").strings, std::vector<std::string>{"old"});
    EXPECT_EQ(childOf(effect, "DXFILEOBJ_EffectDWord").data.size(), 4u);
    EXPECT_EQ(childOf(root, "DXFILEOBJ_PatchMesh").data.size(), 4u + 48 + 4 + 20);
    EXPECT_EQ(childOf(root, "DXFILEOBJ_PatchMesh9").data.size(), 12u + 4 + 12 + 4 + 8);
    EXPECT_EQ(read.objects[2]->templateName, "DXFILEOBJ_PMInfo");
    EXPECT_EQ(read.objects[2]->data.size(), 4u + 24 + 16 + 12 + 4);
    EXPECT_EQ(read.objects[3]->templateName, "DXFILEOBJ_CompressedAnimationSet");
    EXPECT_EQ(read.objects[3]->data.size(), 16u + 8);
    // The mesh passes over the children it does not use.
    EXPECT_EQ(loadMeshFromXObject(mesh).mesh.faceCount(), 1u);
}

TEST(XFileTolerance, ObjectsOfUnknownTemplatesAreSkippedWithTheirBraces) {
    const std::string text = "xof 0302txt 0032\n"
                             "Gadget Widget { 1; \"a } in a string\"; Sub { 2.0; { Ref } } "
                             "Other <01234567-89AB-CDEF-0123-456789ABCD51> { } }\n"
                             "Frame A { Gizmo { Frame Inner { } } FrameTransformMatrix { " +
                             std::string(identity) + " } }\nFrame B { { A } { Widget } }\n";
    const test::ReadForms read = readEveryFormAlike(text);
    ASSERT_EQ(read.objects.size(), 2u);
    const XDataObject& a = *read.objects[0];
    EXPECT_EQ(a.name, "A");
    ASSERT_EQ(a.children.size(), 1u); // Inner went with Gizmo
    EXPECT_EQ(a.children[0].object().templateName, "TID_D3DRMFrameTransformMatrix");
    EXPECT_EQ(read.objects[1]->children[0].target(), &a);
    EXPECT_EQ(read.objects[1]->children[1].target(), nullptr); // a skipped object is no target
    const XWarnings& warnings = read.text.warnings();
    ASSERT_EQ(warnings.count, 2u);
    EXPECT_EQ(warnings.listed[0], "skipped an object of the unknown template 'Gadget' at byte " +
                                      std::to_string(text.find("Gadget")));
    EXPECT_NE(warnings.listed[1].find("'Gizmo'"), std::string::npos);

    // Braces must still balance, and what is left of the object still reads as tokens.
    EXPECT_EQ(firstFailure("xof 0302txt 0032\nGadget { { }"), result::parseError);
    EXPECT_EQ(firstFailure("xof 0302txt 0032\nGadget Name ;"), result::parseError);
    EXPECT_EQ(firstFailure("xof 0302txt 0032\nGadget { \"open }"), result::parseError);
}

TEST(XFileTolerance, SkippedObjectsCountAgainstTheLimits) {
    // Each skipped object and everything in braces inside it counts as an object read: a
    // third as many objects of three each pass the limit.
    const std::size_t third = maxObjectsPerFile / 3 + 1;
    std::string text = "xof 0302txt 0032\n";
    text.reserve(text.size() + third * 16);
    for (std::size_t i = 0; i < third; ++i)
        text += "Gadget{{R}{R}}\n";
    EXPECT_EQ(firstFailure(text), overBudget);
    // Nesting is capped as for known objects, without recursion.
    const auto nested = [](std::size_t depth) {
        return "xof 0302txt 0032\n" + std::string(depth, '{').insert(0, "Gadget") + std::string(depth, '}');
    };
    EXPECT_EQ(firstFailure(nested(maxObjectDepth)), result::ok);
    EXPECT_EQ(firstFailure(nested(maxObjectDepth + 1)), result::parseError);
    EXPECT_EQ(firstFailure(nested(100000)), result::parseError);
    // Warnings are counted, and only the first are kept.
    std::string many = "xof 0302txt 0032\n";
    for (int i = 0; i < 1000; ++i)
        many += "Gadget{}";
    XFile file = XFile::fromBytes(bytesOf(many));
    EXPECT_TRUE(readAll(file).empty());
    EXPECT_EQ(file.warnings().count, 1000u);
    EXPECT_EQ(file.warnings().listed.size(), XWarnings::maxListed);
}

TEST(XFileTolerance, ACompressedFileOfSkippedObjectsStaysWithinMemory) {
    if (const std::string why = test::memoryCapUnavailable(); !why.empty()) GTEST_SKIP() << why;
    // Four million unknown objects in 32 MiB, within the expansion ratio: the object limit
    // stops the skipping, and only the first warnings are kept.
    const auto gizmos = test::compressedFrames(1013, 10, "Gizmo{}\n");
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        XFile file = XFile::fromBytes(gizmos);
        try {
            readAll(file);
        } catch (const PlatformError& e) {
            if (!refusesFile(e)) return 1;
            return file.warnings().count == maxObjectsPerFile &&
                           file.warnings().listed.size() == XWarnings::maxListed
                       ? 0
                       : 2;
        }
        return 3;
    });
    EXPECT_EQ(status, 0) << "1: failed otherwise, 2: other warnings, 3: read it all, else the cap was hit";

    // A warning names a long name by its start.
    XFile longName = XFile::fromBytes(bytesOf("xof 0302txt 0032\n" + std::string(100000, 'G') + " { }"));
    EXPECT_TRUE(readAll(longName).empty());
    ASSERT_EQ(longName.warnings().count, 1u);
    EXPECT_LT(longName.warnings().listed[0].size(), 200u);
}

TEST(XFileTolerance, VersionsAndFloatSizesInEveryForm) {
    for (const char* version : {"0302", "0303"}) {
        for (const char* floats : {"0032", "0064"}) {
            SCOPED_TRACE(std::string(version) + " " + floats);
            const std::string text =
                std::string("xof ") + version + "txt " + floats +
                "\ntemplate Pair { <01234567-89AB-CDEF-0123-456789ABCD61> DOUBLE d; FLOAT f; }\n"
                "Pair { 0.5; 0.25; }\nVector { -1.5; 2.0; 1.0e3; }\n";
            test::ReadForms read = readEveryFormAlike(text);
            ASSERT_EQ(read.objects.size(), 2u);
            EXPECT_EQ(read.text.header().minorVersion, version[3] - '0');
            EXPECT_EQ(read.text.header().floatBits, floats[2] == '6' ? 64 : 32);
            double d = 0;
            std::memcpy(&d, read.objects[0]->data.data(), 8);
            EXPECT_EQ(d, 0.5);
            for (const int bits : {32, 64}) {
                const auto binary = test::textToBinary(text, {bits, false, 4});
                EXPECT_EQ(std::string(binary.begin() + 4, binary.begin() + 8), version);
                XFile file = XFile::fromBytes(test::compressXFile(binary));
                EXPECT_EQ(file.header().floatBits, bits);
                EXPECT_EQ(file.header().minorVersion, version[3] - '0');
                test::expectSameObjects(read.objects, readAll(file));
            }
        }
    }
}

TEST(XFileTolerance, PaddingAfterTheLastObject) {
    const std::string text = "xof 0302txt 0032\nFrame A { }\nVector { 1.0; 2.0; 3.0; }\n";
    const std::vector<std::uint8_t> binary = test::textToBinary(text, {32, false, 2});
    const auto padded = [](std::vector<std::uint8_t> bytes, std::string_view padding) {
        bytes.insert(bytes.end(), padding.begin(), padding.end());
        return bytes;
    };
    const auto readsBoth = [&](const std::vector<std::uint8_t>& bytes, std::size_t paddingAt) {
        XFile file = XFile::fromBytes(bytes);
        EXPECT_EQ(readAll(file).size(), 2u);
        ASSERT_EQ(file.warnings().count, 1u);
        EXPECT_NE(file.warnings().listed[0].find("at byte " + std::to_string(paddingAt)), std::string::npos)
            << file.warnings().listed[0];
    };
    using namespace std::string_view_literals;
    readsBoth(padded(bytesOf(text), "\0\0\0"sv), text.size());
    readsBoth(padded(bytesOf(text), "\r\n\x1a"sv), text.size() + 2);
    readsBoth(padded(bytesOf(text), "\0 \n\0\n"sv), text.size());
    readsBoth(padded(binary, "\0\0\0\0\0"sv), binary.size());
    readsBoth(test::compressXFile(padded(bytesOf(text), "\0\0"sv), 16), text.size());
    // Bytes after the block that completes a compressed file's declared size.
    const auto compressed = test::compressXFile(bytesOf(text));
    readsBoth(padded(compressed, "\0\0\0junk"sv), compressed.size());

    // Anything else after the last object is refused where it starts.
    const std::string junk = failureOf(padded(bytesOf(text), "\0x"sv));
    EXPECT_NE(junk.find("at byte " + std::to_string(text.size())), std::string::npos) << junk;
    const std::string token = failureOf(padded(binary, "\0\0\x0b"sv));
    EXPECT_NE(token.find("unknown token 0 at byte " + std::to_string(binary.size())), std::string::npos)
        << token;
    EXPECT_EQ(firstFailure(text + "Frame"), result::parseError);
}

TEST(XFileTolerance, MessagesNameTheByteFromTheStartOfTheFile) {
    const std::string text = "xof 0302txt 0032\nVector { 1.0; oops; 3.0; }\n";
    const std::string at = "at byte " + std::to_string(text.find("oops"));
    EXPECT_NE(failureOf(bytesOf(text)).find(at), std::string::npos);
    EXPECT_NE(failureOf(test::compressXFile(bytesOf(text))).find(at + " of the expanded file"),
              std::string::npos);
    // Header (16), Vector (2 + 4 + 6), '{' (2), a list of one float (2 + 4 + 4): the name
    // starts at byte 40.
    const std::string binary = failureOf(test::textToBinary(text));
    EXPECT_NE(binary.find("at byte 40"), std::string::npos) << binary;
    EXPECT_NE(failureOf(bytesOf("xof 0302zip 0032")).find("at byte 8"), std::string::npos);
    auto corrupt = test::compressXFile(bytesOf(text));
    corrupt[24] = 'X'; // the first block's signature; the block starts after the expanded size
    EXPECT_NE(failureOf(corrupt).find("block without signature at byte 20"), std::string::npos);
}

} // namespace
} // namespace bw
