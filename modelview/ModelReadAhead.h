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

class ModelReadAhead {
public:
    explicit ModelReadAhead(std::filesystem::path modelFolder);
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
