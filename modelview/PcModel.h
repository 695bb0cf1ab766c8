#pragma once
// The scene graph of the PC: built once from the model files, then only switched. Every
// part frame of the frame table hangs under modelRoot, which hangs under sceneRoot.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "modelview/ModelReadAhead.h"
#include "scene3d/framework/CD3DFrame.h"

namespace bw {
class IDirect3DDevice8;
class TextureCache;
} // namespace bw

namespace bw::modelview {

class PcModel {
public:
    // Steps of the build that the owner runs: a message-pump pass between files, at most
    // once every pumpInterval (often enough to keep the splash alive; a pass costs more than
    // reading a small file), and one once the model is whole.
    using Pump = std::function<void()>;
    static constexpr std::chrono::milliseconds pumpInterval{16};

    using ReadAhead = modelview::ReadAhead;

    // A model file that was not loaded because of what it would take, and why.
    struct RefusedFile {
        std::string file; // as the frame table names it
        std::string reason;
    };

    // Fills every frame from the model folder (a missing or unreadable file leaves its frame
    // without that content), places them, chains the PCI cards and hangs the tree together.
    // Frames start switched on. Each file is held to the limits of one file, and all of
    // them together to those of the model (LoadBudget.h): a file that would pass them, or
    // that runs out of memory, is refused and adds nothing (see refusedFiles). Other errors
    // of the device or the frames reach the caller.
    void build(IDirect3DDevice8& dev, TextureCache& textures, const std::filesystem::path& modelFolder,
               const Pump& pump, ReadAhead readAhead = ReadAhead::OtherCores);
    // The same from files already being read ahead; they are all taken.
    void build(IDirect3DDevice8& dev, TextureCache& textures, ModelReadAhead& files, const Pump& pump);
    // The files the last build refused, in load order.
    const std::vector<RefusedFile>& refusedFiles() const { return refused_; }

    bool built() const { return sceneRoot_ != nullptr; }
    const FramePtr& sceneRoot() const { return sceneRoot_; }
    const FramePtr& modelRoot() const { return modelRoot_; }
    // A frame of the table by name or by its index in the table.
    const FramePtr& frame(std::string_view name) const;
    const FramePtr& frame(std::size_t index) const { return frames_.at(index); }

    // Every part frame off; the axes and the floor keep their state.
    void disableAll();
    // The frames that show the part slot on.
    void showPart(std::int16_t partCode);

    // Drops the tree (the program is ending).
    void release();

private:
    std::vector<FramePtr> frames_;
    std::vector<RefusedFile> refused_;
    FramePtr modelRoot_;
    FramePtr sceneRoot_;
    FramePtr modelHolder_;
};

} // namespace bw::modelview
