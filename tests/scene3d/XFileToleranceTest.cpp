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
