// The model view over the generated model files, drawn by the reference device of a
// scripted Direct3D object into a small window.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <QImage>
#include <set>

#include "modelview/FrameTable.h"
#include "modelview/IdentificationTable.h"
#include "modelview/ModelView.h"
#include "scene3d/framework/CD3DMesh.h"
#include "scene3d/math/Camera.h"
#include "scene3d/math/VectorTransform.h"
#include "scene3d/platform/mesh/Mesh.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "tests/support/FakeDirect3D.h"

namespace fs = std::filesystem;
using namespace bw;
using namespace bw::modelview;

namespace {

// The model's texture files are read as the program reads them.
std::shared_ptr<const TextureLoader> imageFiles() { return std::make_shared<ImageFileTextureLoader>(); }

class SilentNotifier : public UserNotifier {
public:
    void showInformation(const std::string&, const std::string& text) override { said.push_back(text); }
    void showError(const std::string&, const std::string& text) override { said.push_back(text); }
    void endProgram() override { ended = true; }
    std::vector<std::string> said;
    bool ended = false;
};

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class ModelViewTest : public ::testing::Test {
protected:
    void SetUp() override { start(BOARDWRIGHT_MODELS_DIR); }

    void start(const fs::path& folder) {
        direct3d = std::make_shared<fake::FakeDirect3D>();
        direct3d->adapters = {fake::desktopAdapter(1024, 768, 22)};
        view = std::make_unique<ModelView>(
            notifier, PlatformServices{[this] { return direct3d; }, imageFiles()}, [] {});
        ASSERT_TRUE(view->tryCreateDevice(window));
        view->initDevice(window);
        view->setViewSize(kWidth, kHeight);
        view->defaultSceneSetup();
        view->setCameraEyeDistance(-10.0f);
        view->setAxesAndBaseShown();
        view->load_start(folder.string() + "/", {});
    }

    Picture draw() {
        view->RenderScene();
        return window.lastPicture;
    }

    // Every frame name a press on the view can find, over a grid of pixels.
    std::vector<std::string> pickEverywhere(int buttons = 1) {
        std::vector<std::string> names;
        for (int y = 4; y < kHeight; y += 8)
            for (int x = 4; x < kWidth; x += 8)
                if (auto name = view->mouseDown(buttons, x, y)) names.push_back(*name);
        view->mouseUp();
        return names;
    }

    SilentNotifier notifier;
    fake::FakeDeviceWindow window{kWidth, kHeight};
    std::shared_ptr<fake::FakeDirect3D> direct3d;
    std::unique_ptr<ModelView> view;
};

bool inside(const FramePtr& root, const std::string& name) {
    return static_cast<bool>(root->FindChildObject(name));
}

// The frame named `name` below `frame`, with its world matrix along that path.
std::optional<std::pair<FramePtr, Matrix>> findWithWorld(const FramePtr& frame, const std::string& name,
                                                         const Matrix& parent) {
    const Matrix world = frame->GetMatrix() * parent;
    if (frame->ObjectName == name) return std::make_pair(frame, world);
    for (std::int32_t i = 0; i < frame->GetChildFrameCount(); ++i)
        if (const FramePtr child = frame->GetChildFrame(i))
            if (auto found = findWithWorld(child, name, world)) return found;
    return std::nullopt;
}

float rotationAngle(const Matrix& m) {
    const float trace = m.m[0][0] + m.m[1][1] + m.m[2][2];
    return std::acos(std::clamp((trace - 1.0f) / 2.0f, -1.0f, 1.0f));
}

} // namespace

TEST_F(ModelViewTest, AfterStartUpOnlyTheFloorAndTheAxesShowAndCanBeHit) {
    ASSERT_TRUE(view->modelReady());
    EXPECT_TRUE(notifier.said.empty());
    EXPECT_TRUE(view->model().frame("axesFrame")->Enabled);
    EXPECT_TRUE(view->model().frame("baseFrame")->Enabled);
    EXPECT_FALSE(view->model().frame("boardFrame")->Enabled);
    EXPECT_FALSE(view->model().frame("pciCardFrame7")->Enabled);
    EXPECT_GT(window.presentCount, 0); // assembly draws once

    const auto names = pickEverywhere();
    ASSERT_FALSE(names.empty()) << "the floor fills the lower part of the view";
    for (const std::string& name : names)
        EXPECT_TRUE(inside(view->model().frame("baseFrame"), name) ||
                    inside(view->model().frame("axesFrame"), name))
            << name << " is not part of the floor or the axes";
}

TEST_F(ModelViewTest, FramesSitWhereTheTablePutsThem) {
    auto position = [this](const char* name) { return view->model().frame(name)->GetPosition(); };
    auto expectAt = [&](const char* name, Vector3 p) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(position(name).x, p.x, 1e-6f);
        EXPECT_NEAR(position(name).y, p.y, 1e-6f);
        EXPECT_NEAR(position(name).z, p.z, 1e-6f);
    };
    expectAt("hardDiskFrame1", {0, 1, 0});
    expectAt("hardDiskFrame2", {2.9f, 1, 0});
    expectAt("hardDiskFrame3", {5.9f, 1, 0});
    expectAt("opticalDriveFrame1", {-3.2f, 0, -3.2f});
    expectAt("opticalDriveFrame2", {-3.2f, 0.9f, -3.2f});
    expectAt("opticalDriveFrame3", {-3.2f, 1.9f, -3.2f});
    expectAt("memoryCardFrame4", {0, 0, 0.5f});
    expectAt("psuFrame", {0, -1, 0});
    expectAt("axesFrame", {7, 0, 6});
    expectAt("pciCardFrame7", {-0.2f, 0, 0});
    // Shared body files give each drive its own copy.
    EXPECT_NE(view->model().frame("hardDiskFrame1")->GetChildFrame(0),
              view->model().frame("hardDiskFrame2")->GetChildFrame(0));
}

TEST_F(ModelViewTest, PciCardsShowOnlyAsAnUnbrokenChain) {
    const Picture empty = draw();
    auto showCards = [this](std::initializer_list<int> cards) {
        for (int k = 1; k <= 7; ++k)
            view->model().frame("pciCardFrame" + std::to_string(k))->Enabled = false;
        for (int k : cards)
            view->showPartFrames(static_cast<catalogue::PartCode>(catalogue::codes::PciCard1 + k - 1));
        return draw();
    };
    EXPECT_EQ(showCards({3}).pixels, empty.pixels) << "a card above a missing one shows nothing";
    const Picture one = showCards({1});
    const Picture three = showCards({1, 2, 3});
    EXPECT_NE(one.pixels, empty.pixels);
    EXPECT_NE(three.pixels, one.pixels);
    EXPECT_EQ(showCards({1, 3}).pixels, one.pixels) << "card 3 needs card 2";
}

TEST_F(ModelViewTest, APressNamesThePartUnderThePointerWithAnyButton) {
    view->showPartFrames(catalogue::codes::Baseboard); // the motherboard
    view->RenderScene();
    bool motherboard = false;
    for (int buttons : {1, 2, 4}) {
        motherboard = false;
        for (const std::string& name : pickEverywhere(buttons)) {
            const Identification* entry = findIdentification(name);
            if (entry && entry->caption == "Motherboard") {
                EXPECT_EQ(entry->partCode, std::int16_t{5});
                motherboard = true;
            }
        }
        EXPECT_TRUE(motherboard) << "button " << buttons;
    }
    // A hidden part cannot be hit.
    view->disableAll();
    for (const std::string& name : pickEverywhere())
        EXPECT_FALSE(inside(view->model().frame("boardFrame"), name)) << name;
}

TEST_F(ModelViewTest, ALeftDragTurnsTheModelOtherButtonsOnlyRedraw) {
    const Matrix before = view->model().modelRoot()->GetMatrix();
    view->mouseDown(2, 100, 100);
    const int presents = window.presentCount;
    view->mouseMove(2, 103, 104);
    view->mouseMove(3, 110, 110);
    EXPECT_EQ(view->model().modelRoot()->GetMatrix(), before);
    EXPECT_EQ(window.presentCount, presents + 2);
    view->mouseUp();

    view->mouseDown(1, 100, 100);
    view->mouseMove(1, 103, 104);
    EXPECT_NEAR(rotationAngle(view->model().modelRoot()->GetMatrix()), 5.0f / std::sqrt(2525.0f), 1e-4f);
    view->mouseUp();
    // Without the button held nothing turns.
    const Matrix turned = view->model().modelRoot()->GetMatrix();
    view->mouseMove(1, 150, 150);
    EXPECT_EQ(view->model().modelRoot()->GetMatrix(), turned);
}

TEST_F(ModelViewTest, NavigationMovesTheEyeAndKeepsTheLastViewAtTheOrigin) {
    auto deviceView = [this] {
        Matrix m;
        view->device().GetTransform(D3DTS_VIEW, m);
        return m;
    };
    view->navigate(Navigation::In);
    EXPECT_FLOAT_EQ(view->cameraEye().z, -9.0f);
    EXPECT_EQ(deviceView(), *lookAtLH({0, 0, -9}, {0, 0, 0}, {0, 1, 0}));

    for (int i = 0; i < 8; ++i)
        view->navigate(Navigation::In);
    const Matrix lastValid = deviceView();
    view->navigate(Navigation::In); // the eye reaches the look-at point
    EXPECT_FLOAT_EQ(view->cameraEye().z, 0.0f);
    EXPECT_EQ(deviceView(), lastValid);
    for (std::uint32_t pixel : window.lastPicture.pixels)
        ASSERT_EQ(pixel >> 24, 0xFFu) << "a broken picture";
    view->navigate(Navigation::In);
    EXPECT_EQ(deviceView(), *lookAtLH({0, 0, 1}, {0, 0, 0}, {0, 1, 0}));
}

TEST_F(ModelViewTest, TogglesSwitchFramesAndTheSecondLight) {
    const Picture start = draw();
    EXPECT_FALSE(view->toggleAxes());
    EXPECT_FALSE(view->model().frame("axesFrame")->Enabled);
    EXPECT_NE(window.lastPicture.pixels, start.pixels);
    EXPECT_TRUE(view->toggleAxes());
    EXPECT_TRUE(view->model().frame("axesFrame")->Enabled);
    EXPECT_EQ(window.lastPicture.pixels, start.pixels);
    EXPECT_FALSE(view->toggleBase());
    EXPECT_NE(window.lastPicture.pixels, start.pixels);
    EXPECT_TRUE(view->toggleBase());
    EXPECT_EQ(window.lastPicture.pixels, start.pixels);

    view->showPartFrames(catalogue::codes::Baseboard);
    const Picture before = draw();
    EXPECT_TRUE(view->toggleLights());
    bool enabled = false;
    view->device().GetLightEnable(1, enabled);
    EXPECT_TRUE(enabled);
    EXPECT_NE(draw().pixels, before.pixels);
    EXPECT_FALSE(view->toggleLights());
    view->device().GetLightEnable(1, enabled);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(draw().pixels, before.pixels);

    // Choosing an enclosure switches parts off but leaves the floor and axes.
    view->disableAll();
    EXPECT_FALSE(view->model().frame("boardFrame")->Enabled);
    EXPECT_TRUE(view->model().frame("baseFrame")->Enabled);
}

TEST_F(ModelViewTest, ALostDeviceSkipsPicturesUntilItCanBeReset) {
    view->showPartFrames(catalogue::codes::Baseboard);
    const Picture normal = draw();
    auto device = direct3d->lastDevice();
    device->simulateDeviceLost();
    const int presents = window.presentCount;
    view->RenderScene();
    EXPECT_EQ(window.presentCount, presents);
    device->simulateDeviceRestorable();
    view->RenderScene();
    EXPECT_EQ(window.presentCount, presents + 1);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    // The reset brings back the default scene, whose ambient level differs from the model's.
    EXPECT_EQ(window.lastPicture.width, normal.width);
}

TEST(ModelViewStart, AMissingFileLeavesOnlyItsPartEmpty) {
    const fs::path folder = fs::temp_directory_path() / ("boardwright-models-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(BOARDWRIGHT_MODELS_DIR))
        if (entry.path().filename() != "vm_usb3.x")
            fs::copy_file(entry.path(), folder / entry.path().filename());

    SilentNotifier notifier;
    fake::FakeDeviceWindow window{kWidth, kHeight};
    auto direct3d = std::make_shared<fake::FakeDirect3D>();
    direct3d->adapters = {fake::desktopAdapter(1024, 768, 22)};
    ModelView view(notifier, {[&] { return direct3d; }, imageFiles()}, [] {});
    ASSERT_TRUE(view.tryCreateDevice(window));
    view.initDevice(window);
    view.setViewSize(kWidth, kHeight);
    view.defaultSceneSetup();
    // A press before the model exists only starts a drag, and drawing does nothing.
    EXPECT_FALSE(view.mouseDown(1, 10, 10));
    view.mouseMove(1, 20, 20);
    view.RenderScene();
    EXPECT_EQ(window.presentCount, 0);

    view.load_start(folder.string() + "/", {});
    ASSERT_TRUE(view.modelReady());
    view.RenderScene();
    const Picture empty = window.lastPicture;
    view.showPartFrames(catalogue::codes::UsbPortBack3); // its file is missing
    view.RenderScene();
    EXPECT_EQ(window.lastPicture.pixels, empty.pixels);
    view.showPartFrames(catalogue::codes::UsbPortBack2);
    view.RenderScene();
    EXPECT_NE(window.lastPicture.pixels, empty.pixels);
    EXPECT_TRUE(notifier.said.empty());
    fs::remove_all(folder);
}

TEST_F(ModelViewTest, EveryNameInTheModelIsIdentifiedWherePartOfItShows) {
    Matrix viewMatrix;
    Matrix projection;
    view->device().GetTransform(D3DTS_VIEW, viewMatrix);
    view->device().GetTransform(D3DTS_PROJECTION, projection);
    const auto& table = partFrames();
    std::vector<std::string> notIdentified;
    int checked = 0;
    for (const Identification& entry : identifications()) {
        const std::string name(entry.frameName);
        // The first part frame whose files hold the name.
        std::optional<std::pair<FramePtr, Matrix>> target;
        std::size_t part = 0;
        for (; part < table.size() && !target; ++part)
            target = findWithWorld(view->model().frame(part), name, identityMatrix());
        if (!target) continue; // a name no generated file uses
        --part;
        ++checked;
        for (std::size_t i = 0; i < table.size(); ++i)
            view->model().frame(i)->Enabled = (i == part);

        // Parts at the back of a drive face away from the camera: look from behind too.
        bool identified = false;
        const FramePtr& root = view->model().modelRoot();
        for (float turn : {0.0f, 3.14159265f}) {
            root->AddRotation(CombineReplace, 0, 1, 0, turn);
            const auto [frame, world] = *findWithWorld(view->model().frame(part), name, root->GetMatrix());
            const Matrix toScreen = world * viewMatrix * projection;
            for (std::int32_t m = 0; m < frame->GetChildMeshCount() && !identified; ++m) {
                const MeshPtr mesh = frame->GetChildMesh(m);
                if (!mesh || !mesh->mesh()) continue;
                const Mesh& geometry = *mesh->mesh();
                for (std::uint32_t f = 0; f < geometry.faceCount() && !identified; ++f) {
                    const auto corners = geometry.face(f);
                    const Vector3 centre = (geometry.position(corners[0]) + geometry.position(corners[1]) +
                                            geometry.position(corners[2])) *
                                           (1.0f / 3.0f);
                    const Vector3 ndc = transformCoord(centre, toScreen);
                    const float x = (ndc.x + 1.0f) * 0.5f * kWidth;
                    const float y = (1.0f - ndc.y) * 0.5f * kHeight;
                    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
                    view->mouseDown(1, x, y);
                    view->mouseUp();
                    const Identification* found = view->find_part();
                    identified =
                        found && found->caption == entry.caption && found->partCode == entry.partCode;
                }
            }
            root->AddRotation(CombineReplace, 0, 1, 0, 0.0f);
            if (identified) break;
        }
        if (!identified) notIdentified.push_back(name + " in " + table[part].name);
    }
    std::cout << checked << " names of the table found in the model files\n";
    EXPECT_EQ(static_cast<std::size_t>(checked), identifications().size())
        << "every name is used by a model file";
    EXPECT_TRUE(notIdentified.empty())
        << notIdentified.size()
        << " names not identified, first: " << ::testing::PrintToString(notIdentified);
}

TEST(ModelViewStart, FilesReadAheadBuildTheSameModelAndOnlyForTheirOwnFolder) {
    const std::string models = std::string(BOARDWRIGHT_MODELS_DIR) + "/";
    const fs::path elsewhere =
        fs::temp_directory_path() / ("boardwright-empty-" + std::to_string(::getpid()));
    fs::create_directories(elsewhere);
    // The whole model, every part on, built from the files read ahead as given.
    const auto wholeModel = [&](std::unique_ptr<ModelReadAhead> ahead) {
        SilentNotifier notifier;
        fake::FakeDeviceWindow window{kWidth, kHeight};
        auto direct3d = std::make_shared<fake::FakeDirect3D>();
        direct3d->adapters = {fake::desktopAdapter(1024, 768, 22)};
        ModelView view(notifier, {[&] { return direct3d; }, imageFiles()}, [] {});
        EXPECT_TRUE(view.tryCreateDevice(window));
        view.initDevice(window);
        view.setViewSize(kWidth, kHeight);
        view.defaultSceneSetup();
        view.setCameraEyeDistance(-10.0f);
        if (ahead) view.setModelReadAhead(std::move(ahead));
        view.load_start(models, {});
        EXPECT_TRUE(view.modelReady());
        EXPECT_TRUE(notifier.said.empty());
        for (std::size_t i = 0; i < partFrames().size(); ++i)
            view.model().frame(i)->Enabled = true;
        view.RenderScene();
        return window.lastPicture.pixels;
    };

    const auto built = wholeModel(nullptr);
    std::set<std::uint32_t> colours(built.begin(), built.end());
    EXPECT_GT(colours.size(), 100u);
    EXPECT_EQ(wholeModel(std::make_unique<ModelReadAhead>(models)), built);
    // Files of another folder (here none at all) are not what the view asks for.
    EXPECT_EQ(wholeModel(std::make_unique<ModelReadAhead>(elsewhere.string() + "/")), built);
    fs::remove_all(elsewhere);
}

// The splash is kept alive between files without a pass of the window system after each of
// the 370: one at most every pump interval, one when the model is whole, one after it.
TEST(ModelViewStart, TheWindowSystemIsServedBetweenFilesNotAfterEachOne) {
    SilentNotifier notifier;
    fake::FakeDeviceWindow window{kWidth, kHeight};
    auto direct3d = std::make_shared<fake::FakeDirect3D>();
    direct3d->adapters = {fake::desktopAdapter(1024, 768, 22)};
    int passes = 0;
    ModelView view(notifier, {[&] { return direct3d; }, imageFiles()}, [&] { ++passes; });
    ASSERT_TRUE(view.tryCreateDevice(window));
    view.initDevice(window);
    const auto start = std::chrono::steady_clock::now();
    view.load_start(std::string(BOARDWRIGHT_MODELS_DIR) + "/", {});
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(view.modelReady());
    EXPECT_GE(passes, 2);
    EXPECT_LE(passes, 3 + static_cast<int>(took / PcModel::pumpInterval)) << "in " << took.count() << " ns";
}

TEST_F(ModelViewTest, TheWholeModelDrawsAsAPc) {
    // A large picture of every part at once, for people to look at.
    fake::FakeDeviceWindow big{1024, 768};
    auto direct3d2 = std::make_shared<fake::FakeDirect3D>();
    direct3d2->adapters = {fake::desktopAdapter(1024, 768, 22)};
    SilentNotifier quiet;
    ModelView whole(quiet, {[&] { return direct3d2; }, imageFiles()}, [] {});
    ASSERT_TRUE(whole.tryCreateDevice(big));
    whole.initDevice(big);
    whole.setViewSize(1024, 768);
    whole.defaultSceneSetup();
    whole.setAxesAndBaseShown();
    whole.load_start(std::string(BOARDWRIGHT_MODELS_DIR) + "/", {});
    for (std::size_t i = 0; i < partFrames().size(); ++i)
        whole.model().frame(i)->Enabled = true;
    whole.RenderScene();
    const Picture& picture = big.lastPicture;
    ASSERT_EQ(picture.width, 1024);
    std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
    EXPECT_GT(colours.size(), 500u);
    QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                 QImage::Format_RGB32);
    image.save(QString::fromUtf8(BOARDWRIGHT_PICTURES_DIR "/model-every-part.png"));
}

TEST_F(ModelViewTest, APictureOffScreenIsTheViewAtAnySizeAndLeavesTheViewAsItWas) {
    view->showPartFrames(catalogue::codes::Baseboard);
    view->RotateTrackBall(30, 12);
    EXPECT_TRUE(view->toggleLights()); // a toggled state must survive the picture
    const Picture onScreen = draw();
    const int presents = window.presentCount;

    const Picture same = view->drawPicture(kWidth, kHeight);
    EXPECT_EQ(same.width, kWidth);
    EXPECT_EQ(same.pixels, onScreen.pixels) << "the view's own size gives the view's picture";

    const Picture large = view->drawPicture(1280, 720);
    ASSERT_EQ(large.width, 1280);
    ASSERT_EQ(large.height, 720);
    const std::set<std::uint32_t> colours(large.pixels.begin(), large.pixels.end());
    EXPECT_GT(colours.size(), 50u) << "not blank";
    // The middle of the model lies at the middle of both pictures.
    EXPECT_EQ(large.at(640, 360) != large.at(2, 2),
              onScreen.at(kWidth / 2, kHeight / 2) != onScreen.at(2, 2));

    // Afterwards the view draws as before, once for each picture.
    EXPECT_EQ(window.presentCount, presents + 2);
    EXPECT_EQ(window.lastPicture.pixels, onScreen.pixels);
    EXPECT_TRUE(view->lightsOn());
    EXPECT_TRUE(view->drawPicture(0, 10).pixels.empty());
}
