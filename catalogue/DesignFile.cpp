#include "catalogue/DesignFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace bw::catalogue {
namespace {

constexpr const char* kLineEnd = "\r\n";

// Integers stand between spaces; a sign takes the leading space's place.
void writeInteger(std::string& out, int value) {
    out += value < 0 ? "" : " ";
    out += std::to_string(value);
    out += ' ';
    out += kLineEnd;
}

void writeLine(std::string& out, const std::string& text) {
    out += text;
    out += kLineEnd;
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device random;
    auto name = path.filename().string() + ".saving-" + std::to_string(random() % 1000000);
    return path.parent_path() / name;
}

} // namespace

std::string designFileText(const SystemStore& store) {
    std::string out;
    const SystemNumber count = store.systemCount();
    out.reserve(static_cast<std::size_t>(count) * kLinesPerSystem * 4 + 8);
    writeInteger(out, count);
    for (int system = 1; system <= count; ++system) {
        for (const PartSlot& slot : allSlots()) {
            writeLine(out, store.isPresent(system, slot.code) ? "True" : "False");
            if (slot.hasExtraInteger) writeInteger(out, store.extraInteger(system, slot.code));
            writeLine(out, store.cost(system, slot.code).value_or(""));
            writeLine(out, store.text(system, slot.code, TextField::PartName));
            writeLine(out, store.text(system, slot.code, TextField::Manufacturer));
            writeLine(out, store.text(system, slot.code, TextField::Model));
        }
    }
    return out;
}

WriteOutcome writeDesignFile(const std::filesystem::path& path, const SystemStore& store) {
    const std::string text = designFileText(store);
    const std::filesystem::path temporary = temporaryBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return {false, std::strerror(errno)};
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = !written ? writeError : errno;
        std::remove(temporary.c_str());
        return {false, std::strerror(error)};
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        std::remove(temporary.c_str());
        return {false, renameError.message()};
    }
    return {};
}

} // namespace bw::catalogue
