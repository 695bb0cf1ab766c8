#include <algorithm>
#include <cctype>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XParser.h"
#include "tests/scene3d/support/XFileWriter.h"
#include "tests/scene3d/XFileTestSupport.h"

namespace bw {
namespace {

using test::bytesOf;
using test::firstFailure;
using test::readTestFile;

ResultCode openFailure(std::vector<std::uint8_t> bytes) {
    try {
        XFile::fromBytes(std::move(bytes));
    } catch (const PlatformError& e) {
        return e.code();
    }
    return result::ok;
}

std::string repeat(std::string_view piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

TEST(XFileHostile, WrongHeadersAreRejectedWhenOpening) {
    EXPECT_EQ(result::badFile, openFailure(bytesOf("xof 0302txt")));
    EXPECT_EQ(result::badFile, openFailure({}));
    EXPECT_EQ(result::badFileType, openFailure(bytesOf("XOF 0302txt 0032")));
    EXPECT_EQ(result::badFileType, openFailure(bytesOf("xof 0302zip 0032")));
    EXPECT_EQ(result::badFileVersion, openFailure(bytesOf("xof 0402txt 0032")));
    EXPECT_EQ(result::badFileVersion, openFailure(bytesOf("xof 03a2txt 0032")));
    EXPECT_EQ(result::badFileFloatSize, openFailure(bytesOf("xof 0302txt 0016")));
    EXPECT_EQ(result::ok, openFailure(bytesOf("xof 0303txt 0032")));
    try {
        XFile::open(std::string(SCENE3D_TEST_DATA) + "/no-such-file.x");
        FAIL();
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::fileNotFound, e.code());
    }
    // A named pipe in place of a model file reads as missing instead of blocking.
    const std::string pipe = "/tmp/xfile-pipe-" + std::to_string(::getpid()) + ".x";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    try {
        XFile::open(pipe);
        ADD_FAILURE() << "a pipe opened";
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::fileNotFound, e.code());
    }
    ::unlink(pipe.c_str());
}

TEST(XFileHostile, EveryTruncationOfEveryFormFailsCleanly) {
    for (const char* form : {"cube.x", "cube_bin.x", "cube_bin64.x", "cube_tzip.x", "cube_bzip.x"}) {
        SCOPED_TRACE(form);
        const auto whole = readTestFile(form);
        ASSERT_FALSE(whole.empty());
        for (std::size_t length = 0; length < whole.size(); ++length) {
            std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            std::vector<const XDataObject*> read;
            bool failed = false;
            try {
                XFile file = XFile::fromBytes(cut);
                for (;;) {
                    const XDataObject* object = file.nextObject();
                    if (!object) break;
                    read.push_back(object);
                }
            } catch (const PlatformError&) {
                failed = true;
            }
            // A cut file fails, or reads the objects before the cut and no more; compressed
            // files know their size and always fail.
            const bool onlyLayoutLost =
                std::all_of(whole.begin() + static_cast<std::ptrdiff_t>(length), whole.end(),
                            [](std::uint8_t c) { return std::isspace(c); });
            if (std::string_view(form).find("zip") != std::string_view::npos) {
                EXPECT_TRUE(failed) << "length " << length;
            } else {
                EXPECT_TRUE(failed || read.size() < 5 || onlyLayoutLost) << "length " << length;
            }
        }
    }
}

TEST(XFileHostile, EveryByteOfABinaryFileSpoiledFailsCleanly) {
    // The binary form is the one the program ships, read in runs straight from its lists:
    // each byte set to 0 and to 0xFF in turn (counts, list lengths, indices, token codes)
    // reads or fails with the reader's error, and so does loading the meshes read.
    const auto whole = readTestFile("cube_bin.x");
    ASSERT_GT(whole.size(), 16u);
    int failed = 0;
    for (std::size_t at = 16; at < whole.size(); ++at) {
        for (const std::uint8_t value : {std::uint8_t{0}, std::uint8_t{0xFF}}) {
            std::vector<std::uint8_t> spoiled = whole;
            spoiled[at] = value;
            try {
                XFile file = XFile::fromBytes(spoiled);
                while (const XDataObject* object = file.nextObject()) {
                    if (object->templateName == "TID_D3DRMMesh") loadMeshFromXObject(*object);
                    for (const XChild& child : object->children)
                        if (!child.isReference() && child.object().templateName == "TID_D3DRMMesh")
                            loadMeshFromXObject(child.object());
                }
            } catch (const PlatformError&) {
                ++failed;
            }
        }
    }
    EXPECT_GT(failed, 0);
}

TEST(XFileHostile, AFailedObjectEndsTheWalkAndKeepsWhatWasRead) {
    XFile file = XFile::fromBytes(
        bytesOf("xof 0302txt 0032\nFrame A { }\nFrame B { Vector { 1.0; 2.0; } }\nFrame C { }"));
    const XDataObject* first = file.nextObject();
    ASSERT_TRUE(first);
    try {
        file.nextObject();
        FAIL() << "a vector short of a value must fail";
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::badValue, e.code());
    }
    EXPECT_EQ(nullptr, file.nextObject()); // the walk has ended; C is never read
    EXPECT_EQ("A", first->name);           // and A is still there
}

TEST(XFileHostile, UnterminatedStringsBracesTemplatesAndGuids) {
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\nTextureFilename { \"wood.bmp; }"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\nFrame A { Frame B {"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\nFrame A { Frame B { }"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\ntemplate T { <01234567-89AB-CDEF-0123-"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\ntemplate T { DWORD a;"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\nFrame A { { B }"));
    EXPECT_EQ(result::badValue, firstFailure("xof 0302txt 0032\nVector { 1; 2; }"));
    EXPECT_EQ(result::parseError, firstFailure("xof 0302txt 0032\nFrame A } "));
    EXPECT_EQ(result::parseError, firstFailure(std::string("xof 0302txt 0032\nFrame A {\0}", 28)));
    EXPECT_EQ(result::badDataReference, firstFailure("xof 0302txt 0032\nFrame A { { } }"));
}

TEST(XFileHostile, CountsThatDisagreeWithTheirArrays) {
    const std::string head = "xof 0302txt 0032\nMesh {\n";
    // Fewer vectors than declared: the faces are read as the last vector, values are left over.
    EXPECT_EQ(result::badArraySize,
              firstFailure(head + "3; 0.5;0.5;0.5;, 1.5;0.5;0.5;; 2; 3;0,1,2;, 3;0,1,2;; }"));
    // More vectors than declared: left-over numbers where children should start.
    EXPECT_EQ(result::badArraySize, firstFailure(head + "1; 0;0;0;, 1;0;0;; 0;; }"));
    // A float where an integer count belongs.
    EXPECT_EQ(result::badValue, firstFailure(head + "1.5; 0;0;0;; 0;; }"));
    // A binary integer list with more values than the object holds.
    test::BinaryTokenWriter out(32);
    const std::string header = "xof 0302bin 0032";
    out.bytes().assign(header.begin(), header.end());
    out.name("Header");
    out.token(10);
    const std::vector<std::uint32_t> four{1, 0, 1, 9};
    out.integers(four);
    out.token(11);
    XFile file = XFile::fromBytes(out.bytes());
    try {
        file.nextObject();
        FAIL();
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::badArraySize, e.code());
    }
}

TEST(XFileHostile, AbsurdCountsFailFastWithoutAllocating) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(result::badArraySize, firstFailure("xof 0302txt 0032\nMesh { 4294967295; 0;0;0;; 0;; }"));
    EXPECT_EQ(result::badArraySize,
              firstFailure("xof 0302txt 0032\nMesh { 1; 0;0;0;; 1; 4000000000; 1,2,3;; }"));
    EXPECT_EQ(result::badArraySize,
              firstFailure("xof 0302txt 0032\ntemplate Big { <01234567-89AB-CDEF-0123-456789ABCDEF> DWORD n; "
                           "array DWORD grid[n][n][n]; }\nBig { 65536; 1; }"));
    // Arrays of an empty template read nothing, however long they claim to be.
    EXPECT_EQ(result::ok,
              firstFailure("xof 0302txt 0032\ntemplate Empty { <01234567-89AB-CDEF-0123-456789ABCDEF> }\n"
                           "template Many { <01234567-89AB-CDEF-0123-456789ABCDF0> DWORD n; "
                           "array Empty e[n]; }\nMany { 4294967295; }"));

    // Binary records whose lengths run past the end of the file.
    for (const std::uint16_t recordToken : {1, 2, 6, 7}) {
        std::vector<std::uint8_t> bytes = bytesOf("xof 0302bin 0032");
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(recordToken), 0, 0xFF, 0xFF, 0xFF, 0xFF, 'a'});
        XFile file = XFile::fromBytes(bytes);
        EXPECT_THROW(file.nextObject(), PlatformError) << "token " << recordToken;
    }
    // A compressed file declaring four gigabytes is refused for its size; one whose block
    // claims more than declared is corrupt.
    std::vector<std::uint8_t> huge = bytesOf("xof 0302tzip0032");
    huge.insert(huge.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x00, 0x10, 0x00, 'C', 'K'});
    EXPECT_EQ(overBudget, openFailure(huge));
    auto compressed = test::compressXFile(readTestFile("cube.x"), 256);
    compressed[20] = 0xFF; // first block's expanded size
    compressed[21] = 0x7F;
    EXPECT_EQ(result::badFile, openFailure(compressed));
    auto corrupt = test::compressXFile(readTestFile("cube.x"), 256);
    corrupt[27] ^= 0x55; // inside the first deflate stream
    corrupt[40] ^= 0xAA;
    EXPECT_EQ(result::badFile, openFailure(corrupt));
    auto unsigned_ = test::compressXFile(readTestFile("cube.x"), 256);
    unsigned_[24] = 'X'; // the "CK" signature
    EXPECT_EQ(result::badFile, openFailure(unsigned_));

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(XFileHostile, DeepNestingIsCapped) {
    const auto nested = [](int depth) {
        return "xof 0302txt 0032\n" + repeat("Frame {", depth) + repeat("}", depth);
    };
    EXPECT_EQ(result::ok, firstFailure(nested(static_cast<int>(maxObjectDepth))));
    EXPECT_EQ(result::parseError, firstFailure(nested(static_cast<int>(maxObjectDepth) + 1)));
    EXPECT_EQ(result::parseError, firstFailure(nested(100000))); // no stack overflow

    // References may stack objects deeper than the text nests them.
    std::string chain = "xof 0302txt 0032\nFrame F0 { }\n";
    for (int i = 1; i <= 80; ++i)
        chain += "Frame F" + std::to_string(i) + " { { F" + std::to_string(i - 1) + " } }\n";
    XFile file = XFile::fromBytes(bytesOf(chain));
    std::size_t read = 0;
    EXPECT_THROW(while (file.nextObject())++ read, PlatformError);
    EXPECT_EQ(maxObjectDepth, read);

    // Each level naming the previous twice would make a walk visit 2^n objects.
    std::string doubling = "xof 0302txt 0032\nFrame D0 { }\n";
    for (int i = 1; i <= 40; ++i) {
        const std::string previous = "D" + std::to_string(i - 1);
        doubling.append("Frame D").append(std::to_string(i)).append(" { {").append(previous);
        doubling.append("} {").append(previous).append("} }\n");
    }
    EXPECT_EQ(result::parseError, firstFailure(doubling));

    // Templates nested in templates.
    std::string templates =
        "xof 0302txt 0032\ntemplate T0 { <00000000-0000-0000-0000-000000000000> DWORD v; }\n";
    for (int i = 1; i <= 80; ++i) {
        char guid[40];
        std::snprintf(guid, sizeof guid, "%08d-0000-0000-0000-000000000000", i);
        templates +=
            "template T" + std::to_string(i) + " { <" + guid + "> T" + std::to_string(i - 1) + " inner; }\n";
    }
    EXPECT_EQ(result::parseError, firstFailure(templates + "T80 { 1; }"));
    EXPECT_EQ(result::ok, firstFailure(templates + "T10 { 1; }"));
}

TEST(XFileHostile, AmbiguousTemplatesAndUnknownBinaryTokens) {
    // Objects of unknown templates are skipped (XFileToleranceTest); a name two templates
    // could have is refused.
    EXPECT_EQ(result::noTemplate,
              firstFailure(
                  "xof 0302txt 0032\ntemplate Pad { <01234567-89AB-CDEF-0123-456789ABCD71> DWORD a; }\n"
                  "template PAD { <01234567-89AB-CDEF-0123-456789ABCD72> WORD b; }\nFrame { pad { 1; } }"));
    std::vector<std::uint8_t> bytes = bytesOf("xof 0302bin 0032");
    bytes.insert(bytes.end(), {99, 0});
    XFile file = XFile::fromBytes(bytes);
    try {
        file.nextObject();
        FAIL();
    } catch (const PlatformError& e) {
        EXPECT_EQ(result::parseError, e.code());
    }
    // A string whose terminator is neither ';' nor ','.
    test::BinaryTokenWriter out(32);
    const std::string header = "xof 0302bin 0032";
    out.bytes().assign(header.begin(), header.end());
    out.name("TextureFilename");
    out.token(10);
    out.string("a.bmp");
    out.bytes()[out.bytes().size() - 4] = 7;
    out.token(11);
    XFile strings = XFile::fromBytes(out.bytes());
    EXPECT_THROW(strings.nextObject(), PlatformError);
}

} // namespace
} // namespace bw
