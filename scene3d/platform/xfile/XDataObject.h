#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene3d/platform/xfile/Guid.h"
#include "scene3d/platform/xfile/XTemplate.h"
#include "scene3d/platform/xfile/XValueBytes.h"

namespace bw {

class XDataObject;

// A file's objects live in one arena that the reading holds (XFile): an object's
// allocations are nearly free, and ending one only runs its destructor, the arena's memory
// going back at once with the file.
struct XObjectEnd {
    void operator()(XDataObject* object) const;
};
using XObjectPtr = std::unique_ptr<XDataObject, XObjectEnd>;

// A child of a data object: a data object written inside it, or a reference { Name }
// to an object written earlier in the same file.
class XChild {
public:
    static XChild dataObject(XObjectPtr object);
    static XChild reference(std::string name, const XDataObject* target);

    bool isReference() const { return !owned_; }
    // The data object, or the object a reference names; a reference that names no
    // earlier object throws PlatformError (notFound).
    const XDataObject& object() const;
    const XDataObject* target() const { return target_; }
    const std::string& referenceName() const { return referenceName_; }

private:
    XObjectPtr owned_;
    const XDataObject* target_ = nullptr;
    std::string referenceName_;
};

// One data object of a .x file. data holds the members packed little-endian in template
// order, arrays inline: integers at their declared size, FLOAT as 32-bit float (also in
// 64-bit files), DOUBLE as 64-bit, and every string as a 32-bit index into strings.
class XDataObject {
public:
    // children and the room first made for data are taken from the arena.
    explicit XDataObject(std::pmr::memory_resource* arena) : data(arena), children(arena) {}

    // "TID_D3DRMFrame" etc. for standard templates, else the template's name; held by
    // xtemplate, so that no object copies it.
    std::string_view templateName;
    std::shared_ptr<const XTemplate> xtemplate;
    std::string name; // empty for an unnamed object
    std::optional<Guid> id;
    XValueBytes data;
    std::vector<std::string> strings;
    std::pmr::vector<XChild> children;
    // Levels below and including this object, references followed; and the number of
    // objects a walk that follows references visits. Both are capped by the reader.
    std::uint32_t height = 1;
    std::uint64_t expandedCount = 1;
    // What a reader made of this object on its first walk (a mesh, say), kept for its later
    // walks: a file listed twice is read once and walked twice.
    mutable std::shared_ptr<const void> made;
};

// Reads the members of an object's data in order. Running past the end throws
// PlatformError (invalidData).
class XDataReader {
public:
    explicit XDataReader(const XDataObject& object) : object_(object) {}

    std::uint32_t dword();
    std::uint16_t word();
    float floatValue();
    // The next out.size() FLOATs at once.
    void floats(std::span<float> out);
    const std::string& string();
    void skip(std::size_t bytes);
    // The next bytes as they lie, for reading runs of values at once; rewind gives back
    // the end of what was taken and not used.
    std::span<const std::uint8_t> take(std::size_t bytes);
    void rewind(std::size_t bytes) { offset_ -= std::min(bytes, offset_); }
    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return object_.data.size() - offset_; }

private:
    const XDataObject& object_;
    std::size_t offset_ = 0;
};

} // namespace bw
