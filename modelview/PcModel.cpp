#include "modelview/PcModel.h"

#include <new>
#include <optional>

#include "modelview/FrameTable.h"
#include "scene3d/framework/D3DUtil.h"
#include "scene3d/framework/DeviceCall.h"
#include "scene3d/platform/device/Direct3DDevice8.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/XFileReadAhead.h"

namespace bw::modelview {

namespace {

void addPosition(CD3DFrame& frame, Vector3 offset) {
    if (offset.x == 0.0f && offset.y == 0.0f && offset.z == 0.0f) return;
    frame.SetPosition(frame.GetPosition() + offset);
}

} // namespace

void PcModel::build(IDirect3DDevice8& dev, TextureCache& textures, const std::filesystem::path& modelFolder,
                    const Pump& pump, ReadAhead readAhead) {
    ModelReadAhead files(modelFolder, readAhead);
    build(dev, textures, files, pump);
}

void PcModel::build(IDirect3DDevice8& dev, TextureCache& textures, ModelReadAhead& ahead, const Pump& pump) {
    const auto& table = partFrames();
    modelRoot_ = CD3DFrame::Create();
    frames_.clear();
    for (std::size_t i = 0; i < table.size(); ++i)
        frames_.push_back(CD3DFrame::Create());

    // Reading the files is most of the work: it goes on ahead on the other cores (and on
    // this one whenever it would wait) while this thread builds the frames of the files
    // already read. A file that cannot be opened leaves its frame as it was.
    XFileReadAhead& files = ahead.files();

    const std::size_t firstCard = frameIndex("pciCardFrame1");
    std::vector<std::size_t> filesRead(table.size(), 0);
    refused_.clear();
    LoadBudget model(modelLoadLimits);
    auto lastPump = std::chrono::steady_clock::now();
    const auto pumpBetweenFiles = [&] {
        if (!pump || std::chrono::steady_clock::now() - lastPump < pumpInterval) return;
        pump();
        lastPump = std::chrono::steady_clock::now();
    };
    for (const LoadStep& step : loadSequence()) {
        CD3DFrame& target = *frames_[step.frame];
        for (std::size_t f = 0; f < step.count; ++f) {
            const std::string& name = table[step.frame].files[step.first + f];
            LoadBudget budget = model.nextFile();
            try {
                if (std::optional<XFile> file = files.take()) {
                    target.InitFromXFile(dev, textures, budget, *file);
                    model.add(budget);
                }
            } catch (const PlatformError& error) {
                if (!refusesFile(error)) throw;
                refused_.push_back({name, error.what()});
            } catch (const std::bad_alloc&) {
                refused_.push_back({name, "not enough memory to load it"});
            }
            pumpBetweenFiles();
        }
        filesRead[step.frame] += step.count;
        // A frame is placed once it is complete; every frame is still at the origin then.
        if (filesRead[step.frame] == table[step.frame].files.size())
            addPosition(target, table[step.frame].position);
        if (step.frame == firstCard) {
            // Card k holds card k - 1, so that card k draws a copy for every card below it.
            for (int k = 2; k <= kPciCardCount; ++k) {
                const std::size_t card = firstCard + static_cast<std::size_t>(k - 1);
                frames_[card]->AddChild(frames_[card - 1]);
                addPosition(*frames_[card], table[card].position);
            }
        }
    }

    throwIfFailed(dev.SetRenderState(D3DRS_AMBIENT, 0x90909090), "SetRenderState");
    sceneRoot_ = CD3DFrame::Create();
    modelHolder_ = D3DUtil::CreateFrame(sceneRoot_);
    for (const FramePtr& frame : frames_)
        modelRoot_->AddChild(frame);
    modelHolder_->AddChild(modelRoot_);
    if (pump) pump();
}

const FramePtr& PcModel::frame(std::string_view name) const { return frames_.at(frameIndex(name)); }

void PcModel::disableAll() {
    const auto& table = partFrames();
    for (std::size_t i = 0; i < frames_.size(); ++i)
        if (table[i].name != kAxesFrame && table[i].name != kBaseFrame) frames_[i]->Enabled = false;
}

void PcModel::showPart(std::int16_t partCode) {
    for (std::size_t i : framesShowing(partCode))
        frames_.at(i)->Enabled = true;
}

void PcModel::release() {
    // The tree may share frames (the PCI chain); Destroy empties the lists so that nothing
    // keeps anything alive.
    for (const FramePtr& frame : frames_)
        frame->Destroy();
    if (modelRoot_) modelRoot_->Destroy();
    if (modelHolder_) modelHolder_->Destroy();
    if (sceneRoot_) sceneRoot_->Destroy();
    frames_.clear();
    modelRoot_.reset();
    modelHolder_.reset();
    sceneRoot_.reset();
}

} // namespace bw::modelview
