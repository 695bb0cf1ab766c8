#pragma once
// Finds the folder that holds the model's .x files: the current folder when it has the
// file asked for, else the media folder below the SDK samples path of the system registry.
// Folders are returned with "/" separators and a trailing "/".

#include <string>

#include "scene3d/framework/SystemRegistry.h"

namespace bw {

class MediaDir {
public:
    explicit MediaDir(SystemRegistry registry = SystemRegistry::machine());

    // The current folder when fileName exists there; otherwise the samples path followed by
    // "media/" (mediaOnly) or "vbsamples/media/".
    std::string LocateMediaFolder(const std::string& fileName, bool mediaOnly) const;
    // The path with "/" appended unless it already ends in one.
    static std::string EnsureTrailingBackslash(const std::string& path);
    // "DX81SDK Samples Path" under "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DirectX SDK", up
    // to its first NUL; empty when not found.
    std::string ReadSdkSamplesPath() const;

private:
    SystemRegistry registry_;
};

} // namespace bw
