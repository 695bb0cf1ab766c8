#pragma once
// The model files of one folder, read ahead in the order a build takes them from the
// moment this is made. Start-up makes it before the toolkit and the windows, so that the
// reading (most of the model's load) runs on another core while they are built.

#include <filesystem>
#include <memory>

namespace bw {
class XFileReadAhead;
}

namespace bw::modelview {

// Whether files are read ahead on the other cores while the build goes on, or each on the
// building thread when its turn comes (no other thread works for the build then).
enum class ReadAhead { OtherCores, Off };

class ModelReadAhead {
public:
    explicit ModelReadAhead(std::filesystem::path modelFolder, ReadAhead mode = ReadAhead::OtherCores);
    ~ModelReadAhead();
    ModelReadAhead(const ModelReadAhead&) = delete;
    ModelReadAhead& operator=(const ModelReadAhead&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // The files in load order (PcModel::build takes them one by one).
    XFileReadAhead& files() { return *files_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<XFileReadAhead> files_;
};

} // namespace bw::modelview
