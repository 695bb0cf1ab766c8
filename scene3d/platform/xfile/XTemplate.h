#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scene3d/platform/xfile/Guid.h"
#include "scene3d/platform/xfile/XToken.h"

namespace bw {

struct XTemplate;

// One dimension of an array member: a fixed size, or the value of an earlier integer
// member of the same template.
struct XArrayDimension {
    std::uint32_t fixedSize = 0;
    int sizeMember = -1;
};

struct XMember {
    std::string name;
    std::optional<PrimitiveType> primitive;        // set for WORD, FLOAT, STRING, ...
    std::shared_ptr<const XTemplate> templateType; // set for a member of template type
    std::vector<XArrayDimension> dimensions;       // empty for a single value
};

enum class XRestriction { Closed, Open, Restricted };

// How the values of an instance lie, for reading arrays of instances as runs of values
// rather than member by member: vectors and colours are single FLOATs only; mesh faces
// are DWORDs, some of them arrays sized by an earlier one.
enum class XValueShape : std::uint8_t { Mixed, SingleFloats, DwordRecords };

struct XAllowedChild {
    std::string name;
    std::optional<Guid> guid;
};

struct XTemplate {
    std::string name;
    Guid guid;
    // "TID_D3DRMFrame" etc. for a standard template and for a file's redeclaration of one;
    // empty for any other.
    std::string standardId;
    std::vector<XMember> members;
    XRestriction restriction = XRestriction::Closed;
    std::vector<XAllowedChild> allowedChildren; // for Restricted
    // Fewest values one instance reads; 0 means an instance reads nothing at all.
    std::uint64_t minimumValues = 0;
    XValueShape valueShape = XValueShape::Mixed;

    bool allowsChild(const XTemplate& child) const;
};

// Bytes one value of the type occupies in an object's data. Strings are a 32-bit index
// into the object's string table.
std::size_t primitiveSize(PrimitiveType type);
// The type named by a text keyword (DWORD, FLOAT, STRING, ...), case-insensitive.
std::optional<PrimitiveType> primitiveFromKeyword(std::string_view word);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool isIntegerType(PrimitiveType type);

// Fewest values an instance of a template with these members reads.
std::uint64_t minimumValuesOf(const std::vector<XMember>& members);
XValueShape valueShapeOf(const std::vector<XMember>& members);

// What a name finds in a set: the template, or none; ambiguous when no template has the
// name as spelled and several have it in other letter cases.
struct XTemplateMatch {
    std::shared_ptr<const XTemplate> xtemplate;
    std::vector<std::string> candidates; // when ambiguous, the names it could be
    bool ambiguous() const { return !candidates.empty(); }
};

// The templates known to one reader: the standard ones plus those a file declares. A
// later declaration of a name replaces the earlier one for what follows.
class XTemplateSet {
public:
    XTemplateSet() = default;
    // A set that starts with every template of base, which must outlive it, without
    // copying them: each file starts from the standard templates.
    static XTemplateSet extending(const XTemplateSet& base);

    void add(std::shared_ptr<const XTemplate> xtemplate);
    // The template of that name; failing that, the one whose name differs from it only in
    // letter case (exporters write TextureFileName for TextureFilename), this set's own
    // before those of its base.
    XTemplateMatch lookup(std::string_view name) const;
    // lookup's template; null when there is none or the name is ambiguous.
    std::shared_ptr<const XTemplate> find(std::string_view name) const;
    // The template of exactly that name.
    std::shared_ptr<const XTemplate> findExact(std::string_view name) const;
    std::shared_ptr<const XTemplate> findByGuid(const Guid& guid) const;
    std::size_t size() const;
    // Every template, by name.
    std::vector<std::shared_ptr<const XTemplate>> all() const;

private:
    // Where the set holds the template of exactly that name; null when it holds none. Looked
    // up for every object read: no reference count is touched on the way, and the names are
    // hashed into a table of a power of two slots (a search of the ordered names, or a
    // division per lookup to find the bucket, cost more than reading a small object's values).
    const std::shared_ptr<const XTemplate>* exactEntry(std::string_view name) const;
    // Adds or replaces the template of that name in the table.
    void addExact(const std::shared_ptr<const XTemplate>& xtemplate);

    struct ExactSlot {
        std::string name;
        std::shared_ptr<const XTemplate> xtemplate; // null for a free slot
    };
    std::map<std::string, std::shared_ptr<const XTemplate>, std::less<>> byName_;
    std::vector<ExactSlot> exact_; // open addressing, at most half full
    std::map<Guid, std::shared_ptr<const XTemplate>> byGuid_;
    const XTemplateSet* base_ = nullptr; // looked in after this set's own templates
};

} // namespace bw
