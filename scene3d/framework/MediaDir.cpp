#include "scene3d/framework/MediaDir.h"

#include <filesystem>
#include <system_error>

namespace bw {

MediaDir::MediaDir(SystemRegistry registry) : registry_(std::move(registry)) {}

std::string MediaDir::LocateMediaFolder(const std::string& fileName, bool mediaOnly) const {
    std::error_code error;
    if (!fileName.empty() && std::filesystem::is_regular_file(fileName, error)) {
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (!error) return EnsureTrailingBackslash(current.string());
    }
    return EnsureTrailingBackslash(ReadSdkSamplesPath()) + (mediaOnly ? "media/" : "vbsamples/media/");
}

std::string MediaDir::EnsureTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '/') return path;
    return path + "/";
}

std::string MediaDir::ReadSdkSamplesPath() const {
    const std::string value =
        registry_.readPath("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DirectX SDK", "DX81SDK Samples Path");
    return value.substr(0, value.find('\0'));
}

} // namespace bw
