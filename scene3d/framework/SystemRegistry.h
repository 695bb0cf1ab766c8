#pragma once
// Machine-wide settings in the shape of the Windows registry: string values under key
// paths, read from a text file that the build and the installation write.
//
// File format (registry.ini), one entry per line:
//
//   ; a comment (also "#")
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DirectX SDK]
//   DX81SDK Samples Path=../../share/boardwright
//
// A "[...]" line opens a key; "Value Name=value" lines below it give its values, split at
// the first "=", with the spaces around name and value dropped. Key paths and value names
// compare without regard to letter case, as the registry's do; the first matching value
// wins. Lines that fit neither form are ignored.
//
// Default location: <folder of the running executable>/../share/boardwright/registry.ini.
// A path value that is relative is taken from the registry file's own folder, so an
// installation works under any prefix.
//
// A missing, unreadable or malformed file reads as an empty registry; only the first
// megabyte of a file is looked at.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// PATH_MAX of Linux.
inline constexpr std::size_t maxPathBytes = 4096;

class SystemRegistry {
public:
    explicit SystemRegistry(std::filesystem::path file);
    // The registry at the default location.
    static SystemRegistry machine();
    static std::filesystem::path defaultLocation();

    const std::filesystem::path& file() const { return file_; }

    // The value's text; empty when the file, the key or the value does not exist.
    std::string readString(std::string_view keyPath, std::string_view valueName) const;
    // The value as a path, a relative one taken from the registry file's folder; empty
    // when there is no value, or when the value or the path it makes is longer than
    // maxPathBytes (no file system takes such a path, and every file name joined to it
    // would cost as much again).
    std::string readPath(std::string_view keyPath, std::string_view valueName) const;

private:
    std::filesystem::path file_;
};

} // namespace bw
