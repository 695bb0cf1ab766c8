// The program's texture loader behind the cache, on a large picture named many ways, under
// a cap on memory: a lost limit fails here instead of taking the machine.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "scene3d/framework/TextureCache.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "tests/scene3d/framework/SceneTestSupport.h"
#include "tests/support/MemoryCap.h"

using namespace bw;

namespace {

#define SKIP_WITHOUT_MEMORY_CAP()                                                                            \
    if (const std::string why = test::memoryCapUnavailable(); !why.empty()) GTEST_SKIP() << why

void writePicture(const std::filesystem::path& file, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF336699);
    image.setPixel(1, 0, 0xFFFFFFFF);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
}

// Forty names of folder/t.png, as a model could give them, from folder as the current one.
std::vector<std::string> fortyNames(const std::filesystem::path& folder) {
    std::vector<std::string> names{"t.png"};
    std::string dots = "./";
    for (int i = 0; names.size() < 40; ++i, dots += "./") {
        names.push_back(dots + "t.png");
        names.push_back(dots + "sub/../t.png");
        names.push_back((folder / dots / "t.png").string());
    }
    names.resize(40);
    return names;
}

} // namespace

TEST(TextureFileLimits, APictureLargerThanTheLimitIsRefusedBeforeDecodingHoweverItIsNamed) {
    SKIP_WITHOUT_MEMORY_CAP();
    scenetest::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "sub");
    // 5600 x 5600: 125 MB decoded, a few hundred bytes as a file of one colour.
    writePicture(folder.path() / "t.png", 5600, 5600);
    scenetest::CurrentFolder here(folder.path());
    const std::vector<std::string> names = fortyNames(folder.path());
    scenetest::RecordingDevice device;
    // Without the check, forty decodings of it would pass 5 GB; 64 MiB more than the test
    // holds already leaves no room to decode it even once.
    const std::uint64_t inUse = test::addressSpaceInUse();
    ASSERT_GT(inUse, 0u);
    const int status = test::runUnderMemoryCap(inUse + (std::uint64_t{64} << 20), [&] {
        TextureCache cache(std::make_shared<ImageFileTextureLoader>());
        for (const std::string& name : names) {
            LoadBudget budget;
            try {
                cache.LoadTextureCached(device, name, &budget);
                return 1;
            } catch (const PlatformError& e) {
                if (!refusesFile(e) || std::string(e.what()).find("5600 x 5600") == std::string::npos)
                    return 2;
            }
        }
        return cache.count() == 0 ? 0 : 3;
    });
    EXPECT_EQ(status, 0)
        << "1: loaded or decoding failed, 2: failed otherwise, 3: cached, else the cap was hit";
}

TEST(TextureFileLimits, APictureNamedFortyWaysIsReadOnce) {
    SKIP_WITHOUT_MEMORY_CAP();
    scenetest::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "sub");
    // The largest allowed: 64 MiB decoded; forty copies would be 2.5 GiB.
    writePicture(folder.path() / "t.png", maxTextureSide, maxTextureSide);
    scenetest::CurrentFolder here(folder.path());
    const std::vector<std::string> names = fortyNames(folder.path());
    scenetest::RecordingDevice device;
    const int status = test::runUnderMemoryCap(test::oneGiB, [&] {
        TextureCache cache(std::make_shared<ImageFileTextureLoader>());
        LoadBudget budget;
        const auto first = cache.LoadTextureCached(device, names.front(), &budget);
        if (!first || first->width() != maxTextureSide || first->texel(1, 0) != 0xFFFFFFFF) return 1;
        for (const std::string& name : names)
            if (cache.LoadTextureCached(device, name, &budget) != first) return 2;
        return cache.count() == 1 && budget.used().texturePixels == first->width() * std::uint64_t{4096} ? 0
                                                                                                         : 3;
    });
    EXPECT_EQ(status, 0) << "1: not read, 2: another copy, 3: counted more than once, else the cap was hit";
}

TEST(TextureFileLimits, OnlyTheSidesDecideNotTheArea) {
    scenetest::TempFolder folder;
    writePicture(folder.path() / "wide.png", maxTextureSide + 1, 2);
    writePicture(folder.path() / "tall.png", 2, maxTextureSide + 1);
    writePicture(folder.path() / "fits.png", maxTextureSide, 2);
    EXPECT_THROW(loadTextureFile((folder.path() / "wide.png").string()), PlatformError);
    EXPECT_THROW(loadTextureFile((folder.path() / "tall.png").string()), PlatformError);
    const auto fits = loadTextureFile((folder.path() / "fits.png").string());
    ASSERT_NE(fits, nullptr);
    EXPECT_EQ(fits->height(), 2);
    EXPECT_EQ(fits->texel(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(loadTextureFile((folder.path() / "missing.png").string()), nullptr);
    EXPECT_EQ(loadTextureFile(folder.write("junk.png", "not a picture").string()), nullptr);
}
