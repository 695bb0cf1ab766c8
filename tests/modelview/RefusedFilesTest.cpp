// Model files past their limits, or out of memory, among the real ones: each is refused
// whole, the user reads one message naming them all, and the rest of the model loads. The
// load runs under a cap on memory, so that a lost limit fails here instead of taking the
// machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <unistd.h>

#include "catalogue/PartCodes.h"
#include "modelview/FrameTable.h"
#include "modelview/ModelView.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "tests/scene3d/support/HostileXFiles.h"
#include "tests/support/FakeDirect3D.h"
#include "tests/support/MemoryCap.h"

namespace fs = std::filesystem;
using namespace bw;
using namespace bw::modelview;

namespace {

class RecordingNotifier : public UserNotifier {
public:
    void showInformation(const std::string&, const std::string& text) override { said.push_back(text); }
    void showError(const std::string&, const std::string& text) override { said.push_back(text); }
    void endProgram() override { ended = true; }
    std::vector<std::string> said;
    bool ended = false;
};

// Image files as the program reads them, except that any texture named "boom..." finds
// the machine out of memory.
class BoomLoader : public TextureLoader {
public:
    std::shared_ptr<Texture> load(const std::string& path) const override {
        if (fs::path(path).filename().string().starts_with("boom")) throw std::bad_alloc();
        return loadTextureFile(path);
    }
};

struct View {
    explicit View(const fs::path& folder) {
        direct3d->adapters = {fake::desktopAdapter(1024, 768, 22)};
        view = std::make_unique<ModelView>(
            notifier, PlatformServices{[this] { return direct3d; }, std::make_shared<BoomLoader>()}, [] {});
        view->tryCreateDevice(window);
        view->initDevice(window);
        view->setViewSize(160, 120);
        view->defaultSceneSetup();
        view->setCameraEyeDistance(-10.0f);
        view->setAxesAndBaseShown();
        view->load_start(folder.string() + "/", {});
    }
    std::pair<int, int> contentOf(std::string_view frame) const {
        const FramePtr& f = view->model().frame(frame);
        return {f->GetChildFrameCount(), f->GetChildMeshCount()};
    }
    Picture drawPart(std::int16_t code) {
        view->disableAll();
        view->showPartFrames(code);
        view->RenderScene();
        return window.lastPicture;
    }

    RecordingNotifier notifier;
    fake::FakeDeviceWindow window{160, 120};
    std::shared_ptr<fake::FakeDirect3D> direct3d = std::make_shared<fake::FakeDirect3D>();
    std::unique_ptr<ModelView> view;
};

void write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

void write(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ModelViewRefusedFiles, AreNamedInOneMessageAndAddNothingWhileTheRestLoads) {
    if (const std::string why = test::memoryCapUnavailable(); !why.empty()) GTEST_SKIP() << why;
    const fs::path folder = fs::temp_directory_path() / ("boardwright-refused-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(BOARDWRIGHT_MODELS_DIR))
        fs::copy_file(entry.path(), folder / entry.path().filename());
    // Each the one file of its frame: a million mesh copies through references, a texture
    // that runs out of memory, a compression bomb and four million frames compressed
    // within the ratio (the frames built stop it first). Gigabytes each without the limits.
    write(folder / "vm_usb3.x", test::amplifiedReferences());
    write(folder / "vm23.x", "xof 0302txt 0032\nMesh Hot { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; "
                             "3;0,1,2;; MeshMaterialList { 1; 1; 0;; Material { 1.0;1.0;1.0;1.0;; 2.0; "
                             "0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { \"boom.png\"; } } } }\n");
    write(folder / "vm24.x", test::compressedFrames(1023));
    write(folder / "vm_ps2.x", test::compressedFrames(1013, 10));

    View normal(BOARDWRIGHT_MODELS_DIR);
    ASSERT_TRUE(normal.notifier.said.empty());
    const Picture usb2 = normal.drawPart(catalogue::codes::UsbPortBack2);
    const auto board = normal.contentOf("boardFrame");

    const int status = test::runUnderMemoryCap(2 * test::oneGiB, [&] {
        View hostile(folder);
        const auto& said = hostile.notifier.said;
        if (!hostile.view->modelReady() || hostile.notifier.ended) return 1;
        if (said.size() != 1) return 2;
        const std::string& text = said.front();
        for (const char* expected :
             {"vm_usb3.x: more than 1024 frames and meshes", "vm23.x: not enough memory",
              "vm24.x: compressed .x: expands to", "vm_ps2.x: more than 1024 frames and meshes"})
            if (!contains(text, expected)) {
                std::fprintf(stderr, "missing \"%s\" in:\n%s\n", expected, text.c_str());
                return 3;
            }
        if (hostile.view->model().refusedFiles().size() != 4) return 4;
        for (const char* frame : {"usbBackFrame3", "intelCpuFrame", "amdCpuFrame", "ps2ConnectorFrame"})
            if (hostile.contentOf(frame) != std::pair{0, 0}) return 5;
        if (hostile.contentOf("boardFrame") != board) return 6;
        if (hostile.drawPart(catalogue::codes::UsbPortBack2).pixels != usb2.pixels) return 7;
        return 0;
    });
    fs::remove_all(folder);
    EXPECT_EQ(status, 0)
        << "1: not ready, 2: not one message, 3: a file or reason missing from it, 4: refused "
           "files, 5: a refused file added something, 6-7: the rest did not load as before, "
           "else the cap was hit";
}
