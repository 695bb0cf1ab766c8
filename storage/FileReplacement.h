#pragma once
// Replaces a file's whole content so that a failure at any point leaves what the user had:
// the old file as it was, no half-written file and no temporary beside it.

#include <filesystem>
#include <string>
#include <string_view>

namespace bw::storage {

struct Replacement {
    bool ok = true;
    std::string error; // why the file could not be written, in strerror's words
};

// The system's temporary folder: writable, and emptied by the system if a copy outlives a crash.
std::filesystem::path defaultBackupFolder();

// Gives `path` the content `bytes`. A link is followed, to the end of a chain and to a file
// that does not exist yet; the link itself stays. The new content is written to
// NAME.saving-NNNNNN beside the file, flushed to the disk and renamed over it, carrying the
// old file's permission bits (a new file gets 0666 less the umask). Stale temporaries of an
// earlier save of the same file that was cut short are removed first.
//
// When the folder cannot be written but the file can, the file is rewritten in place instead,
// after its old content has been copied to `backupFolder` (created when missing; empty means
// defaultBackupFolder()). A failed rewrite puts the old content back; the copy is removed
// unless that too failed, in which case the error names where it is kept.
Replacement replaceFile(const std::filesystem::path& path, std::string_view bytes,
                        const std::filesystem::path& backupFolder = {});

} // namespace bw::storage
