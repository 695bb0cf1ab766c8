#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scene3d/platform/common/RegularFile.h"
#include "scene3d/platform/xfile/XDataObject.h"
#include "scene3d/platform/xfile/XTemplate.h"
#include "scene3d/platform/xfile/XWarnings.h"

namespace bw {

enum class XEncoding { Text, Binary };

// The 16 bytes every .x file starts with: "xof 0302txt 0032".
struct XFileHeader {
    int majorVersion = 3;
    int minorVersion = 2;
    XEncoding encoding = XEncoding::Text;
    bool compressed = false;
    int floatBits = 32;
};

// Throws PlatformError: badFile when fewer than 16 bytes, badFileType (magic or format
// code), badFileVersion or badFileFloatSize for a header it does not accept. Any minor
// version of 3 is read, as files of 03.02 and 03.03 differ only in the templates they use.
XFileHeader parseXFileHeader(std::span<const std::uint8_t> bytes);

// An open .x file whose top-level data objects are read one at a time, with the standard
// templates and those the file declares. Messages name the byte where something went
// wrong, counted from the start of the file (of the expanded file for a compressed one).
class XFile {
public:
    // Throws PlatformError: fileNotFound when the file cannot be read, or as
    // parseXFileHeader, or badFile when the compressed payload is corrupt, or overBudget
    // (LoadBudget.h) for a file larger than maxExpandedXFileSize or a compressed one that
    // would expand beyond the limits of Mszip.h.
    static XFile open(const std::filesystem::path& path);
    // The same for a file of a folder held open (path as the folder's path and a name).
    static XFile open(const OpenFolder& folder, const std::string& name);
    // open, then readRemaining, the file's bytes read into buffer and handed back there
    // once every object is read: the objects hold their own values, and a buffer passed
    // from file to file is allocated once. If opening throws, buffer may be left empty.
    static XFile readWhole(const OpenFolder& folder, const std::string& name, FileBytes& buffer);
    static XFile fromBytes(std::vector<std::uint8_t> bytes);

    XFile(XFile&&) noexcept;
    XFile& operator=(XFile&&) noexcept;
    ~XFile();

    const XFileHeader& header() const;

    // The next top-level data object, or nullptr when none is left. An object that cannot
    // be read throws PlatformError once; the walk has then ended, later calls return
    // nullptr, and the objects returned before stay valid as long as this XFile.
    const XDataObject* nextObject();
    // Reads every object not yet read now, so that the walk can go on elsewhere (another
    // thread) without parsing. nextObject then hands them out in order as before, and a
    // failure met here is thrown where the walk reaches it.
    void readRemaining();
    // Another walk over a file read to its end without a failure, from its first object:
    // the same objects, not read again. Nothing for a file not read so.
    std::optional<XFile> walkAgain() const;

    const XTemplateSet& templates() const;
    // What the reading has passed over so far in a file that reads: objects of templates
    // nobody declares, padding after the last object.
    const XWarnings& warnings() const;
    // The bytes this reading holds: the file, its expansion and the values read; 0 for
    // another walk (walkAgain), which holds nothing of its own.
    std::uint64_t heldBytes() const;

private:
    struct State;
    explicit XFile(std::unique_ptr<State> state);
    static XFile fromFile(RegularFile file, const std::filesystem::path& path);
    static XFile fromFolder(const OpenFolder& folder, const std::string& name, FileBytes reuse);
    // Reads the header of state->all and sets up the reading of the rest.
    static XFile fromState(std::unique_ptr<State> state);
    // Parses the next top-level object into the list; false at the end.
    bool readOne();
    std::unique_ptr<State> state_;
};

} // namespace bw
