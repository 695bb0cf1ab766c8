#include "modelview/ModelReadAhead.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "modelview/FrameTable.h"
#include "scene3d/platform/xfile/XFileReadAhead.h"

namespace bw::modelview {

namespace {

// Parsed files waiting for the build: at most this many, holding at most this much. The
// reader keeps ahead of the build at that; files read further ahead would only add to the
// program's peak memory.
constexpr std::size_t readAheadFiles = 8;
constexpr std::uint64_t readAheadBytes = std::uint64_t{1} << 20;

} // namespace

ModelReadAhead::ModelReadAhead(std::filesystem::path modelFolder, ReadAhead mode)
    : folder_(std::move(modelFolder)) {
    const auto& table = partFrames();
    std::vector<std::string> names;
    for (const LoadStep& step : loadSequence())
        for (std::size_t f = step.first; f < step.first + step.count; ++f)
            names.push_back(table[step.frame].files[f]);
    files_ = std::make_unique<XFileReadAhead>(
        folder_, std::move(names), mode == ReadAhead::Off ? std::optional<unsigned>(0) : std::nullopt,
        readAheadFiles, readAheadBytes);
}

ModelReadAhead::~ModelReadAhead() = default;

} // namespace bw::modelview
