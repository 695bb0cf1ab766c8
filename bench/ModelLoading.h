#pragma once
// Loading a model folder the three ways the benchmarks compare: the program's PcModel, our
// .x reader alone, and the Assimp library. Shared by the loading and the scaling
// benchmarks.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/ModelFolder.h"
#include "modelview/PcModel.h"

namespace bench {

// The files of a model folder as start-up reads them.
class ModelFiles {
public:
    explicit ModelFiles(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    // Every read, in load order (a file may be listed more than once).
    const std::vector<std::string>& inLoadOrder() const { return inLoadOrder_; }
    // Each file once, at its first place in the load order: what is parsed.
    const std::vector<std::string>& distinctInLoadOrder() const { return distinct_; }

private:
    std::filesystem::path folder_;
    std::vector<std::string> inLoadOrder_;
    std::vector<std::string> distinct_;
};

// Builds the whole model from folder on the reference device; the timing pauses while the
// model is counted and dropped. Returns the number of distinct meshes built.
int loadWithPcModel(const std::filesystem::path& folder, bw::modelview::PcModel::ReadAhead readAhead,
                    benchmark::State& state);

// Reads every object of each file with our reader; returns the top-level objects.
int readWithXFile(const std::vector<std::string>& files);

struct AssimpLoad {
    int meshes = 0;
    int failed = 0;
};
// Assimp's ReadFile of each file, no post-processing, one importer for all.
AssimpLoad loadWithAssimp(const std::vector<std::string>& files);

// The triangles of a built model, every mesh counted once.
std::uint64_t trianglesOf(const bw::modelview::PcModel& model);

} // namespace bench
