#pragma once
// The transcribed tables the model tests compare against: the part frames with their
// files, positions and part codes, and the identification table's established rows.

#include <optional>
#include <string>
#include <vector>

#include "scene3d/math/Vector3.h"

namespace bw::modeltest {

struct FrameRow {
    std::string frame;
    std::vector<std::string> files;
    Vector3 position;
    std::vector<int> partCodes;
};

struct IdentificationRow {
    std::string frameName;
    std::string caption;
    std::optional<int> partCode;
};

std::vector<FrameRow> frameRows();
std::vector<IdentificationRow> identificationRows();

} // namespace bw::modeltest
