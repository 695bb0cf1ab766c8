#include "scene3d/framework/SystemRegistry.h"

#include <algorithm>
#include <system_error>

#include "scene3d/platform/common/RegularFile.h"

namespace bw {
namespace {

constexpr std::size_t maxRegistryBytes = 1 << 20;

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string readHead(const std::filesystem::path& file) {
    const RegularFile head = readRegularFile(file, maxRegistryBytes, true);
    return std::string(head.bytes.begin(), head.bytes.end());
}

} // namespace

SystemRegistry::SystemRegistry(std::filesystem::path file) : file_(std::move(file)) {}

SystemRegistry SystemRegistry::machine() { return SystemRegistry(defaultLocation()); }

std::filesystem::path SystemRegistry::defaultLocation() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    // Without /proc the current folder stands in for the executable's.
    const std::filesystem::path folder =
        error ? std::filesystem::current_path(error) : executable.parent_path();
    return (folder / ".." / "share" / "boardwright" / "registry.ini").lexically_normal();
}

std::string SystemRegistry::readString(std::string_view keyPath, std::string_view valueName) const {
    const std::string text = readHead(file_);
    std::string_view rest = text;
    bool inKey = false;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            inKey = line.back() == ']' && equalIgnoringCase(trim(line.substr(1, line.size() - 2)), keyPath);
            continue;
        }
        const auto equals = line.find('=');
        if (!inKey || equals == std::string_view::npos) continue;
        if (equalIgnoringCase(trim(line.substr(0, equals)), valueName))
            return std::string(trim(line.substr(equals + 1)));
    }
    return {};
}

std::string SystemRegistry::readPath(std::string_view keyPath, std::string_view valueName) const {
    std::string value = readString(keyPath, valueName);
    if (value.empty() || value.size() > maxPathBytes) return {};
    const std::filesystem::path path(value);
    if (path.is_absolute()) return value;
    std::string resolved = (file_.parent_path() / path).lexically_normal().string();
    if (resolved.size() > maxPathBytes) return {};
    return resolved;
}

} // namespace bw
