// The reader's limits on what a file may make it hold, on the files fuzzing found: each
// runs under a cap on memory, so that a lost limit fails here instead of taking the
// machine.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "scene3d/platform/mesh/XMeshLoader.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/Mszip.h"
#include "scene3d/platform/xfile/XParser.h"
#include "tests/scene3d/support/HostileXFiles.h"
#include "tests/scene3d/support/XFileWriter.h"
#include "tests/scene3d/XFileTestSupport.h"
#include "tests/support/MemoryCap.h"

using namespace bw;

namespace {

#define SKIP_WITHOUT_MEMORY_CAP()                                                                            \
    if (const std::string why = test::memoryCapUnavailable(); !why.empty()) GTEST_SKIP() << why

// The code a file fails with (ok when it reads to the end) and its top-level objects read
// until then.
struct Outcome {
    ResultCode code = result::ok;
    std::size_t objects = 0;
};

Outcome readThrough(const std::vector<std::uint8_t>& bytes) {
    Outcome outcome;
    try {
        XFile file = XFile::fromBytes(bytes);
        while (file.nextObject())
            ++outcome.objects;
    } catch (const PlatformError& e) {
        outcome.code = e.code();
    }
    return outcome;
}

double ratioOf(const std::vector<std::uint8_t>& compressed) {
    const std::uint32_t declared = compressed[16] | compressed[17] << 8 | compressed[18] << 16 |
                                   static_cast<std::uint32_t>(compressed[19]) << 24;
    return static_cast<double>(declared) / static_cast<double>(compressed.size());
}

} // namespace

TEST(XFileLimits, ACompressionBombIsRefusedBeforeItExpands) {
    SKIP_WITHOUT_MEMORY_CAP();
    // 32 MiB and 256 MiB of empty frames, from 70 KB and 570 KB.
    for (const int blocks : {1023, 8191}) {
        const auto bomb = test::compressedFrames(blocks);
        ASSERT_GT(ratioOf(bomb), 400.0);
        const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
            const Outcome outcome = readThrough(bomb);
            return outcome.code == overBudget && outcome.objects == 0 ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << blocks << " blocks: not refused at once, or not within 1 GiB";
    }
    // Real files compress far less and open as before.
    const auto cube = test::compressXFile(test::readTestFile("cube.x"), 32768);
    EXPECT_EQ(readThrough(cube).code, result::ok);
}

TEST(XFileLimits, ACompressedFileWithinItsRatioStillReadsAtMostTheObjectLimit) {
    SKIP_WITHOUT_MEMORY_CAP();
    // 32 MiB of which all but ten blocks are four million empty frames: it passes the
    // ratio, and the parser stops it.
    const auto frames = test::compressedFrames(1013, 10);
    ASSERT_LE(ratioOf(frames), maxExpansionRatio);
    ASSERT_GT(ratioOf(frames), 64.0);
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        const Outcome outcome = readThrough(frames);
        if (outcome.code != overBudget) return 1;
        return outcome.objects == maxObjectsPerFile ? 0 : 2;
    });
    EXPECT_EQ(status, 0) << "1: not refused, 2: refused at another count, else the cap was hit";

    // The same many frames uncompressed: the limit is the parser's, whatever the form.
    std::string text = "xof 0302txt 0032\n";
    for (std::uint64_t i = 0; i <= maxObjectsPerFile; ++i)
        text += "Frame{}";
    const Outcome plain = readThrough(test::bytesOf(text));
    EXPECT_EQ(plain.code, overBudget);
    EXPECT_EQ(plain.objects, maxObjectsPerFile);
}

TEST(XFileLimits, StringsCountTowardsTheValuesOfAFile) {
    // Each empty string costs a string object: two million of them pass 64 MiB.
    const std::size_t count = maxValueBytesPerFile / sizeof(std::string) + 1000;
    std::string text = "xof 0302txt 0032\ntemplate S { <01234567-89AB-CDEF-0123-456789ABCDEF> DWORD n; "
                       "array STRING s[n]; }\nS { " +
                       std::to_string(count) + ";";
    text.reserve(text.size() + count * 3);
    for (std::size_t i = 0; i < count; ++i)
        text += i + 1 < count ? "\"\"," : "\"\";";
    text += " }";
    EXPECT_EQ(test::firstFailure(text), overBudget);
    // A tenth of them read.
    const std::string fewer =
        "xof 0302txt 0032\ntemplate S { <01234567-89AB-CDEF-0123-456789ABCDEF> DWORD n; "
        "array STRING s[n]; }\nS { 3; \"a\", \"b\", \"c\"; }";
    EXPECT_EQ(test::firstFailure(fewer), result::ok);
}

TEST(XFileLimits, AMeshLoadedFromAWholeFileCountsEveryReferenceItFollows) {
    SKIP_WITHOUT_MEMORY_CAP();
    // A million copies of the mesh when followed; the parser allows the references.
    const std::string amplified = test::amplifiedReferences();
    ASSERT_LT(amplified.size(), 32u << 10);
    EXPECT_EQ(test::firstFailure(amplified), result::ok);
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        try {
            XFile file = XFile::fromBytes(test::bytesOf(amplified));
            loadMeshFromXFile(file);
        } catch (const PlatformError& e) {
            return e.code() == overBudget ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(status, 0) << "1: failed otherwise, 2: loaded it all";

    // A few references are fine: the mesh itself, three copies in A and nine in B.
    XFile few = XFile::fromBytes(test::bytesOf(test::amplifiedReferences(3, 4)));
    const LoadedMesh loaded = loadMeshFromXFile(few);
    EXPECT_EQ(loaded.mesh.faceCount(), 4u * (1 + 3 + 9));
}

TEST(LoadBudget, CountsUpToItsLimitsAndHandsTheNextFileWhatIsLeft) {
    LoadBudget file({2, 10, 5, 100});
    file.countObject();
    file.countObject();
    EXPECT_THROW(file.countObject(), PlatformError);
    EXPECT_EQ(file.used().objects, 2u);
    file.countGeometry(10, 5);
    try {
        file.countGeometry(0, 1);
        FAIL() << "a sixth face fits";
    } catch (const PlatformError& e) {
        EXPECT_TRUE(refusesFile(e));
        EXPECT_STREQ(e.what(), "more than 5 faces");
    }
    // Nothing is counted by a refused call, and no sum wraps around.
    EXPECT_EQ(file.used().vertices, 10u);
    EXPECT_THROW(file.countTexturePixels(std::numeric_limits<std::uint64_t>::max()), PlatformError);
    file.countTexturePixels(100);

    LoadBudget model({100, 1000, 1000, 150});
    model.add(file);
    const LoadBudget next = model.nextFile({50, 50, 2000, 2000});
    EXPECT_EQ(next.limits().objects, 50u); // the file's own limit
    EXPECT_EQ(next.limits().faces, 995u);  // what the model has left
    EXPECT_EQ(next.limits().texturePixels, 50u);
    model.add(next.nextFile({0, 0, 0, 0}));
    LoadBudget spent({1, 1, 1, 1});
    spent.add(model);
    EXPECT_EQ(spent.nextFile().limits().objects, 0u);
    EXPECT_FALSE(refusesFile(PlatformError(result::badFile, "corrupt")));
}
