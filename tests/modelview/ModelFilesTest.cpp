#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "modelview/IdentificationTable.h"
#include "scene3d/math/Transforms.h"
#include "scene3d/math/VectorTransform.h"
#include "tests/modelview/ModelScene.h"
#include "tests/modelview/TableFiles.h"
#include "tools/modelgen/Layout.h"
#include "tools/modelgen/ModelBuilder.h"

namespace fs = std::filesystem;
using namespace bw;
using namespace bw::modeltest;

namespace {

struct Box {
    Vector3 lo{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
               std::numeric_limits<float>::max()};
    Vector3 hi{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
               -std::numeric_limits<float>::max()};

    void add(Vector3 p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    void add(const Box& b) {
        add(b.lo);
        add(b.hi);
    }
    Vector3 centre() const { return (lo + hi) * 0.5f; }
    bool contains(Vector3 p, float margin) const {
        return p.x >= lo.x - margin && p.x <= hi.x + margin && p.y >= lo.y - margin && p.y <= hi.y + margin &&
               p.z >= lo.z - margin && p.z <= hi.z + margin;
    }
    bool overlaps(const Box& b) const {
        return lo.x < b.hi.x && b.lo.x < hi.x && lo.y < b.hi.y && b.lo.y < hi.y && lo.z < b.hi.z &&
               b.lo.z < hi.z;
    }
};

void addFrameToBox(Box& box, const SceneFrame& frame, const Matrix& parent, const std::string& only,
                   bool inside) {
    const Matrix world = frame.matrix * parent;
    const bool counted = inside || only.empty() || frame.name == only;
    if (counted)
        for (const SceneMesh& mesh : frame.meshes)
            for (const Vector3& p : mesh.positions)
                box.add(transformCoord(p, world));
    for (const SceneFrame& child : frame.frames)
        addFrameToBox(box, child, world, only, counted && !only.empty());
}

// Where a file's content lands in the room when its part frame sits at `offset`.
Box roomBox(const SceneFile& file, Vector3 offset, const std::string& only = {}) {
    Box box;
    for (const SceneFrame& frame : file.frames)
        addFrameToBox(box, frame, translationMatrix(offset.x, offset.y, offset.z), only, false);
    return box;
}

void collectNames(const SceneFrame& frame, std::set<std::string>& meshFrames) {
    if (!frame.meshes.empty()) meshFrames.insert(frame.name);
    for (const SceneFrame& child : frame.frames)
        collectNames(child, meshFrames);
}

// The part frames' family: the frame name without its member number.
std::string familyOf(const std::string& frame) {
    return frame.substr(0, frame.find_last_not_of("0123456789") + 1);
}

class GeneratedModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("boardwright-models-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        modelgen::writeModelFiles(folder_);
        for (const auto& entry : fs::directory_iterator(folder_))
            sizes_[entry.path().filename().string()] = entry.file_size();
        for (const FrameRow& row : frameRows())
            rows_.push_back(row);
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // Read with the program's own reader, once per file.
    static const SceneFile& file(const std::string& name) {
        auto found = scenes_.find(name);
        if (found == scenes_.end()) found = scenes_.emplace(name, loadSceneFile(folder_ / name)).first;
        return found->second;
    }
    static const FrameRow& row(const std::string& frame) {
        return *std::find_if(rows_.begin(), rows_.end(), [&](const FrameRow& r) { return r.frame == frame; });
    }

    static fs::path folder_;
    static std::map<std::string, std::uintmax_t> sizes_;
    static std::map<std::string, SceneFile> scenes_;
    static std::vector<FrameRow> rows_;
};

fs::path GeneratedModel::folder_;
std::map<std::string, std::uintmax_t> GeneratedModel::sizes_;
std::map<std::string, SceneFile> GeneratedModel::scenes_;
std::vector<FrameRow> GeneratedModel::rows_;

TEST_F(GeneratedModel, WritesExactlyTheFilesOfTheFrameTable) {
    std::set<std::string> expected;
    for (const FrameRow& r : rows_)
        expected.insert(r.files.begin(), r.files.end());
    std::set<std::string> written;
    for (const auto& [name, size] : sizes_)
        written.insert(name);
    EXPECT_EQ(expected.size(), 291u);
    std::vector<std::string> missing, extra;
    std::set_difference(expected.begin(), expected.end(), written.begin(), written.end(),
                        std::back_inserter(missing));
    std::set_difference(written.begin(), written.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << "missing: " << ::testing::PrintToString(missing);
    EXPECT_TRUE(extra.empty()) << "extra: " << ::testing::PrintToString(extra);
}

TEST_F(GeneratedModel, EveryFileLoadsWithTheProgramsReader) {
    for (const auto& [name, size] : sizes_) {
        SCOPED_TRACE(name);
        EXPECT_LT(size, 400u * 1024u) << "a model file should stay small";
        const SceneFile* scene = nullptr;
        ASSERT_NO_THROW(scene = &file(name));
        // Every mesh sits in a named inner frame, so that a click on it is reported.
        EXPECT_EQ(scene->topLevelMeshes, 0u);
        ASSERT_FALSE(scene->frames.empty());
        std::size_t faces = 0;
        for (const SceneFrame& top : scene->frames) {
            EXPECT_TRUE(top.meshes.empty());
            for (const SceneFrame& inner : top.frames) {
                EXPECT_FALSE(inner.name.empty());
                for (const SceneMesh& mesh : inner.meshes) {
                    EXPECT_GT(mesh.faces.size(), 0u) << inner.name;
                    faces += mesh.faces.size();
                    for (const Vector3& n : mesh.normals)
                        EXPECT_NEAR(length(n), 1.0f, 1e-3f);
                    for (float alpha : mesh.faceAlpha) {
                        EXPECT_GT(alpha, 0.0f);
                        EXPECT_LE(alpha, 1.0f);
                    }
                }
            }
        }
        EXPECT_GT(faces, 0u);
    }
}

TEST_F(GeneratedModel, TrianglesAreWoundTowardsTheirNormals) {
    for (const auto& [name, size] : sizes_) {
        SCOPED_TRACE(name);
        std::vector<const SceneFrame*> pending;
        for (const SceneFrame& top : file(name).frames)
            pending.push_back(&top);
        while (!pending.empty()) {
            const SceneFrame* frame = pending.back();
            pending.pop_back();
            for (const SceneFrame& child : frame->frames)
                pending.push_back(&child);
            for (const SceneMesh& mesh : frame->meshes) {
                for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
                    const auto& f = mesh.faces[i];
                    const Vector3 turning = cross(mesh.positions[f[1]] - mesh.positions[f[0]],
                                                  mesh.positions[f[2]] - mesh.positions[f[0]]);
                    if (length(turning) < 1e-9f) continue;
                    const Vector3 normal = mesh.normals[f[0]] + mesh.normals[f[1]] + mesh.normals[f[2]];
                    ASSERT_GT(dot(turning, normal), 0.0f) << "face " << i << " in " << frame->name;
                }
            }
        }
    }
}

TEST_F(GeneratedModel, SeeThroughPartsUseTransparentMaterials) {
    for (const std::string name : {"vm905.x", "mn1.x", "vm970.x"}) {
        bool transparent = false;
        for (const SceneFrame& top : file(name).frames)
            for (const SceneFrame& inner : top.frames)
                for (const SceneMesh& mesh : inner.meshes)
                    for (float alpha : mesh.faceAlpha)
                        transparent = transparent || alpha < 1.0f;
        EXPECT_TRUE(transparent) << name;
    }
}

TEST_F(GeneratedModel, EveryNameLivesInTheFilesOfItsPart) {
    // Which files hold each mesh frame name, and which part frames load those files.
    std::map<std::string, std::set<std::string>> filesOfName;
    for (const auto& [name, size] : sizes_) {
        std::set<std::string> names;
        for (const SceneFrame& top : file(name).frames)
            collectNames(top, names);
        for (const std::string& frameName : names)
            filesOfName[frameName].insert(name);
    }
    std::map<std::string, std::vector<const FrameRow*>> framesOfFile;
    for (const FrameRow& r : rows_)
        for (const std::string& f : r.files)
            framesOfFile[f].push_back(&r);

    for (const auto& [frameName, files] : filesOfName) {
        SCOPED_TRACE(frameName);
        const auto* entry = modelview::findIdentification(frameName);
        ASSERT_NE(entry, nullptr) << "a click on it would name nothing";
        std::set<std::string> families;
        for (const std::string& f : files) {
            for (const FrameRow* r : framesOfFile[f]) {
                families.insert(familyOf(r->frame));
                if (entry->partCode) {
                    EXPECT_TRUE(std::count(r->partCodes.begin(), r->partCodes.end(), *entry->partCode) == 1)
                        << f << " is loaded by " << r->frame << ", which does not show part "
                        << *entry->partCode;
                }
            }
        }
        EXPECT_EQ(families.size(), 1u) << "in files of different parts: " << ::testing::PrintToString(files);
    }
    for (const auto& entry : modelview::identifications())
        EXPECT_EQ(filesOfName.count(std::string(entry.frameName)), 1u)
            << "no mesh frame named " << entry.frameName;

    const std::map<std::string, std::set<std::string>> examples{
        {"Frame5Cube_12", {"vm_usb1.x"}}, {"Frame0Cube", {"vm1.x"}},         {"Frame11Cube_20", {"vm23.x"}},
        {"Frame1Cube_22", {"vm24.x"}},    {"Frame0Cube_13b3", {"vm1045.x"}}, {"Frame44Cube_20", {"vm280.x"}},
        {"Frame2Cube_22", {"vm_nb.x"}},   {"Cylinder-1j", {"vm905.x"}},
    };
    for (const auto& [frameName, files] : examples)
        EXPECT_EQ(filesOfName[frameName], files) << frameName;
}

TEST_F(GeneratedModel, DrivesLineUpWithTheFilesTheyShare) {
    for (const std::string family : {"hardDiskFrame", "opticalDriveFrame"}) {
        std::vector<Box> members;
        for (int k = 1; k <= 3; ++k) {
            const FrameRow& member = row(family + std::to_string(k));
            Box shared, whole;
            std::vector<std::string> own;
            for (const std::string& f : member.files) {
                const bool everywhere = std::all_of(rows_.begin(), rows_.end(), [&](const FrameRow& r) {
                    return familyOf(r.frame) != family || std::count(r.files.begin(), r.files.end(), f) == 1;
                });
                const Box box = roomBox(file(f), member.position);
                whole.add(box);
                if (everywhere)
                    shared.add(box);
                else
                    own.push_back(f);
            }
            ASSERT_EQ(own.size(), 2u) << member.frame;
            for (const std::string& f : own)
                EXPECT_TRUE(shared.contains(roomBox(file(f), member.position).centre(), 0.05f))
                    << f << " does not sit on the parts " << member.frame << " shares";
            for (const Box& other : members)
                EXPECT_FALSE(whole.overlaps(other)) << member.frame;
            members.push_back(whole);
        }
    }
}

TEST_F(GeneratedModel, MemoryModulesStandInTheirOwnSlots) {
    const auto roomToBoard = *inverse(modelgen::boardToRoom());
    const char* modules[] = {"vm140a.x", "vm140b.x", "vm140c.x", "vm140d.x"};
    for (int k = 1; k <= 4; ++k) {
        const FrameRow& member = row("memoryCardFrame" + std::to_string(k));
        const Vector3 centre =
            transformCoord(roomBox(file(modules[k - 1]), member.position).centre(), roomToBoard);
        EXPECT_NEAR(centre.x, modelgen::kMemorySlotX, 0.01f) << k;
        EXPECT_NEAR(centre.z, modelgen::memorySlotZ(k), 0.01f) << k;
        // What the four modules share slides a little with the module's own offset, but stays near.
        const Vector3 contacts = roomBox(file("vm901.x"), member.position).centre();
        const Vector3 bottom = transformCoord(Vector3{centre.x, 0.1f, centre.z}, modelgen::boardToRoom());
        EXPECT_LT(length(contacts - bottom), 0.4f) << k;
    }
}

TEST_F(GeneratedModel, PciCardCopiesStandInThePciSlots) {
    // Card frame k holds card frame k - 1, so copy j is moved by the positions of frames 2 to j.
    Vector3 chain{};
    for (int j = 1; j <= 7; ++j) {
        if (j > 1) chain = chain + row("pciCardFrame" + std::to_string(j)).position;
        const float card = roomBox(file("vm280.x"), chain, "Frame45Cube_20").centre().x;
        const float slot = roomBox(file(row("pciSlotFrame" + std::to_string(j)).files.at(0)), {}).centre().x;
        EXPECT_NEAR(card, slot, 0.01f) << "card " << j;
    }
}

} // namespace
