#include "catalogue/DesignFile.h"

#include <utility>

#include "storage/FileReplacement.h"

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
    return writeDesignFile(path, store, storage::defaultBackupFolder());
}

WriteOutcome writeDesignFile(const std::filesystem::path& path, const SystemStore& store,
                             const std::filesystem::path& backupFolder) {
    storage::Replacement written = storage::replaceFile(path, designFileText(store), backupFolder);
    return {written.ok, std::move(written.error)};
}

} // namespace bw::catalogue
