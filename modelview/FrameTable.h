#pragma once
// The fixed layout of the PC model: every part frame, the model files that fill it, its
// position and the part slots whose presence it shows, and the order the files load in.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/PartCodes.h"
#include "scene3d/math/Vector3.h"

namespace bw::modelview {

struct PartFrame {
    std::string name;                           // "hardDiskFrame2", "boardFrame", ...
    std::vector<std::string> files;             // in load order
    Vector3 position;                           // added to the frame's position once it is filled
    std::vector<catalogue::PartCode> partCodes; // the slots it shows; empty for the axes and the floor
};

// A run of one frame's files in the load sequence: `count` files from `first`.
struct LoadStep {
    std::size_t frame; // index into partFrames()
    std::size_t first;
    std::size_t count;
};

// Every frame in table order: the part frames, then axesFrame and baseFrame.
const std::vector<PartFrame>& partFrames();
// The index of a frame by name; throws std::out_of_range for an unknown one.
std::size_t frameIndex(std::string_view name);
// The files of all frames in the order start-up reads them.
const std::vector<LoadStep>& loadSequence();
// The frames that show a part slot, in table order (USB keyboard k and mouse k share
// their plug frame).
std::vector<std::size_t> framesShowing(catalogue::PartCode partCode);

inline constexpr std::string_view kAxesFrame = "axesFrame";
inline constexpr std::string_view kBaseFrame = "baseFrame";
// The PCI card frames form a chain: card frame k holds card frame k - 1.
inline constexpr int kPciCardCount = 7;

} // namespace bw::modelview
