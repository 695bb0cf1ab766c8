#pragma once
// The design file: every system of the store, every part record in part-code order, one
// value per line, CR LF line ends. Written only; nothing reads it back.

#include <filesystem>
#include <string>

#include "catalogue/SystemStore.h"

namespace bw::catalogue {

inline constexpr int kLinesPerSystem = 862;

std::string designFileText(const SystemStore& store);

struct WriteOutcome {
    bool ok = true;
    std::string error; // why the file could not be written
};

// Replaces the file at `path` as storage::replaceFile does, so a failure leaves any earlier
// file as it was.
WriteOutcome writeDesignFile(const std::filesystem::path& path, const SystemStore& store);
// The same; `backupFolder` keeps the old file while one in a read-only folder is rewritten
// in place.
WriteOutcome writeDesignFile(const std::filesystem::path& path, const SystemStore& store,
                             const std::filesystem::path& backupFolder);

} // namespace bw::catalogue
