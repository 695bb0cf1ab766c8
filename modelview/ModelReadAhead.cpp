#include "modelview/ModelReadAhead.h"

#include <optional>
#include <string>
#include <vector>

#include "modelview/FrameTable.h"
#include "scene3d/platform/xfile/XFileReadAhead.h"

namespace bw::modelview {

ModelReadAhead::ModelReadAhead(std::filesystem::path modelFolder, ReadAhead mode)
    : folder_(std::move(modelFolder)) {
    const auto& table = partFrames();
    std::vector<std::string> names;
    for (const LoadStep& step : loadSequence())
        for (std::size_t f = step.first; f < step.first + step.count; ++f)
            names.push_back(table[step.frame].files[f]);
    files_ = std::make_unique<XFileReadAhead>(
        folder_, std::move(names), mode == ReadAhead::Off ? std::optional<unsigned>(0) : std::nullopt);
}

ModelReadAhead::~ModelReadAhead() = default;

} // namespace bw::modelview
