#pragma once

#include <map>
#include <memory>
#include <memory_resource>
#include <string>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/xfile/XDataObject.h"
#include "scene3d/platform/xfile/XTemplate.h"
#include "scene3d/platform/xfile/XToken.h"
#include "scene3d/platform/xfile/XWarnings.h"

namespace bw {

// Limits that keep a hostile file from exhausting the stack or the time of a walk.
inline constexpr std::uint32_t maxObjectDepth = 64;
inline constexpr std::uint64_t maxExpandedObjects = std::uint64_t{1} << 20;
// Limits on what one file holds once read, so that a small file that expands (compressed,
// or of many tiny objects) cannot exhaust memory: the objects read, references not
// followed, and the bytes of their values and strings. The largest of the program's model
// files reads 23 objects holding 88 KB.
inline constexpr std::uint64_t maxObjectsPerFile = std::uint64_t{1} << 16;
inline constexpr std::uint64_t maxValueBytesPerFile = std::uint64_t{64} << 20;

// Named objects of one file that references may point to; only objects read completely
// before the reference count, so references can never form a cycle. Most files refer to
// nothing: the objects are only listed until the first reference looks for one.
class XObjectIndex {
public:
    // The list of objects not looked for yet is taken from arena (a file's objects').
    explicit XObjectIndex(std::pmr::memory_resource* arena = std::pmr::get_default_resource())
        : listed_(arena) {}

    void add(const XDataObject& object);
    const XDataObject* find(const std::string& name, const std::optional<Guid>& id);

private:
    std::pmr::vector<const XDataObject*> listed_;           // not in the maps yet
    std::map<std::string_view, const XDataObject*> byName_; // names held by the objects
    std::map<Guid, const XDataObject*> byGuid_;
};

// Reads template declarations and data objects from a token stream, the same for the
// text and the binary form. What writers commonly do besides the format is read as they
// mean it: separators left out or doubled, template names in another letter case, a
// file's own declaration of a standard template; objects of templates nobody declares are
// skipped, and bytes of padding after the last object ignored, each with a warning.
class XParser {
public:
    // Objects are made in arena, which must outlive them.
    XParser(XTokenSource& tokens, XTemplateSet& templates, XObjectIndex& index,
            std::pmr::memory_resource& arena, XWarnings* warnings = nullptr)
        : tokens_(tokens), templates_(templates), index_(index), arena_(arena), warnings_(warnings) {}

    // Registers the templates declared before the next top-level data object and returns
    // that object; nullptr at the end of the stream. Throws PlatformError on bad input, and
    // with overBudget (LoadBudget.h) past the limits above; an object skipped counts
    // against them as one read.
    XObjectPtr nextTopLevelObject();
    // What the objects read so far hold, as counted against maxValueBytesPerFile.
    std::uint64_t valueBytes() const { return valueBytes_; }

private:
    bool atTemplateKeyword();
    void parseTemplate();
    XMember parseMember(const std::vector<XMember>& earlier);
    XArrayDimension parseDimension(const std::vector<XMember>& earlier);
    void parseRestriction(XTemplate& xtemplate);
    // The object, or nullptr when its template is unknown and it was skipped.
    XObjectPtr parseObject(std::uint32_t depth);
    // Passes over an object of an unknown template up to its closing brace, nested braces
    // and all.
    void skipObject(std::string_view name, std::size_t offset, std::uint32_t depth);
    void countObject(std::size_t offset);
    void warn(const std::string& what, std::size_t offset);
    XChild parseReference();
    std::string optionalName();

    void readInstance(const XTemplate& xtemplate, XDataObject& object, std::uint32_t depth);
    // count records of FLOATs, one per member (the members of a template whose members are
    // all single FLOATs, or one FLOAT array member), as readInstance reads them, as one run
    // of numbers.
    void readFloatRecords(std::span<const XMember> recordMembers, std::uint64_t count, XDataObject& object);
    // An array of count integers of the type, runs of them at a time where the source
    // offers them.
    void readIntegerArray(PrimitiveType type, std::uint64_t count, XDataObject& object);
    // count instances of a template of the DwordRecords shape, as readInstance reads them:
    // each record that lies whole in a binary integer list is copied from it at once.
    void readDwordRecords(const XTemplate& xtemplate, std::uint64_t count, XDataObject& object,
                          std::uint32_t depth);
    // Whether values of the kind (IntegerList or FloatList) are next in a binary list: the
    // one being read, else the next token when that is a list, which is then taken.
    bool listValuesAhead(TokenKind kind);
    // Copies up to wanted values of the list being read into the object's data, FLOATs as
    // 32-bit floats and integers at size bytes; returns how many.
    std::uint64_t copyFromList(std::uint64_t wanted, std::size_t size, XDataObject& object);
    std::uint32_t readPrimitive(PrimitiveType type, XDataObject& object);
    std::uint32_t nextIntegerValue();
    double nextFloatValue();
    std::string_view nextStringValue();
    // The next number: from the binary list being read, else a number token, else the
    // first of a new list. Returns the kind it came as (a list kind for list values); any
    // other kind means no number is next, and nothing but separators was taken.
    TokenKind nextNumber(NumberValue& value);
    // Where the value that nextNumber returned as kind starts, for messages.
    std::size_t offsetOfNumber(TokenKind kind);
    void finishData();
    std::uint64_t availableValues();

    // Fails when the values read so far and more bytes would pass maxValueBytesPerFile.
    void checkValueBytes(std::uint64_t more, std::size_t offset);

    void skipSeparators();
    // The token taken, valid as next()'s is.
    const Token& expect(TokenKind kind, const char* what);
    [[noreturn]] void fail(ResultCode code, const std::string& what, std::size_t offset);

    XTokenSource& tokens_;
    XTemplateSet& templates_;
    XObjectIndex& index_;
    std::pmr::memory_resource& arena_;
    XWarnings* warnings_;
    Token pending_; // a binary list being read value by value
    std::uint32_t pendingIndex_ = 0;
    std::uint64_t objectsRead_ = 0;
    std::uint64_t valueBytes_ = 0; // of the objects completed, and of every string read
};

} // namespace bw
