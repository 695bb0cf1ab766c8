#include "scene3d/platform/xfile/XTemplate.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <utility>

namespace bw {

namespace {

struct Keyword {
    std::string_view word;
    PrimitiveType type;
};

constexpr Keyword keywords[] = {
    {"WORD", PrimitiveType::Word},      {"DWORD", PrimitiveType::Dword},  {"FLOAT", PrimitiveType::Float},
    {"DOUBLE", PrimitiveType::Double},  {"CHAR", PrimitiveType::Char},    {"UCHAR", PrimitiveType::Uchar},
    {"BYTE", PrimitiveType::Uchar},     {"SWORD", PrimitiveType::Sword},  {"SDWORD", PrimitiveType::Sdword},
    {"STRING", PrimitiveType::String},  {"LPSTR", PrimitiveType::String}, {"CSTRING", PrimitiveType::String},
    {"UNICODE", PrimitiveType::String}, {"VOID", PrimitiveType::Void},
};

std::uint64_t saturatingMultiply(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a) return UINT64_MAX;
    return a * b;
}

} // namespace

std::size_t primitiveSize(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::Char:
    case PrimitiveType::Uchar:
        return 1;
    case PrimitiveType::Word:
    case PrimitiveType::Sword:
        return 2;
    case PrimitiveType::Double:
        return 8;
    case PrimitiveType::Void:
        return 0;
    default:
        return 4;
    }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::optional<PrimitiveType> primitiveFromKeyword(std::string_view word) {
    for (const auto& k : keywords)
        if (equalsIgnoringCase(k.word, word)) return k.type;
    return std::nullopt;
}

bool isIntegerType(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::Word:
    case PrimitiveType::Dword:
    case PrimitiveType::Char:
    case PrimitiveType::Uchar:
    case PrimitiveType::Sword:
    case PrimitiveType::Sdword:
        return true;
    default:
        return false;
    }
}

std::uint64_t minimumValuesOf(const std::vector<XMember>& members) {
    std::uint64_t total = 0;
    for (const auto& m : members) {
        std::uint64_t count = 1;
        for (const auto& d : m.dimensions)
            count = saturatingMultiply(count, d.sizeMember >= 0 ? 0 : d.fixedSize);
        const std::uint64_t perElement = m.templateType ? m.templateType->minimumValues : 1;
        const std::uint64_t memberValues = saturatingMultiply(count, perElement);
        total = memberValues > UINT64_MAX - total ? UINT64_MAX : total + memberValues;
    }
    return total;
}

XValueShape valueShapeOf(const std::vector<XMember>& members) {
    if (members.empty()) return XValueShape::Mixed;
    const auto singleFloat = [](const XMember& m) {
        return m.primitive == PrimitiveType::Float && m.dimensions.empty();
    };
    const auto dword = [](const XMember& m) {
        return (m.primitive == PrimitiveType::Dword || m.primitive == PrimitiveType::Sdword) &&
               m.dimensions.size() <= 1;
    };
    if (std::all_of(members.begin(), members.end(), singleFloat)) return XValueShape::SingleFloats;
    if (std::all_of(members.begin(), members.end(), dword)) return XValueShape::DwordRecords;
    return XValueShape::Mixed;
}

bool XTemplate::allowsChild(const XTemplate& child) const {
    switch (restriction) {
    case XRestriction::Open:
        return true;
    case XRestriction::Closed:
        return false;
    case XRestriction::Restricted:
        return std::any_of(allowedChildren.begin(), allowedChildren.end(), [&](const XAllowedChild& a) {
            return a.name == child.name || (a.guid && *a.guid == child.guid) ||
                   equalsIgnoringCase(a.name, child.name);
        });
    }
    return false;
}

XTemplateSet XTemplateSet::extending(const XTemplateSet& base) {
    XTemplateSet set;
    set.base_ = &base;
    return set;
}

void XTemplateSet::add(std::shared_ptr<const XTemplate> xtemplate) {
    byGuid_[xtemplate->guid] = xtemplate;
    addExact(xtemplate);
    byName_[xtemplate->name] = std::move(xtemplate);
}

namespace {

std::size_t slotOf(std::string_view name, std::size_t slots) {
    return std::hash<std::string_view>{}(name) & (slots - 1);
}

} // namespace

void XTemplateSet::addExact(const std::shared_ptr<const XTemplate>& xtemplate) {
    if (2 * (byName_.size() + 1) > exact_.size()) {
        std::vector<ExactSlot> old =
            std::exchange(exact_, std::vector<ExactSlot>(std::max<std::size_t>(16, 2 * exact_.size())));
        for (ExactSlot& slot : old)
            if (slot.xtemplate) addExact(slot.xtemplate);
    }
    for (std::size_t i = slotOf(xtemplate->name, exact_.size());; i = (i + 1) & (exact_.size() - 1)) {
        ExactSlot& slot = exact_[i];
        if (!slot.xtemplate || slot.name == xtemplate->name) {
            slot.name = xtemplate->name;
            slot.xtemplate = xtemplate;
            return;
        }
    }
}

const std::shared_ptr<const XTemplate>* XTemplateSet::exactEntry(std::string_view name) const {
    for (const XTemplateSet* set = this; set; set = set->base_) {
        if (set->exact_.empty()) continue;
        const std::size_t mask = set->exact_.size() - 1;
        for (std::size_t i = slotOf(name, set->exact_.size()); set->exact_[i].xtemplate; i = (i + 1) & mask)
            if (set->exact_[i].name == name) return &set->exact_[i].xtemplate;
    }
    return nullptr;
}

std::shared_ptr<const XTemplate> XTemplateSet::findExact(std::string_view name) const {
    const auto* entry = exactEntry(name);
    return entry ? *entry : nullptr;
}

XTemplateMatch XTemplateSet::lookup(std::string_view name) const {
    XTemplateMatch match;
    if (const auto* entry = exactEntry(name)) {
        match.xtemplate = *entry;
        return match;
    }
    // Only a name no template has as spelled pays for the search by letter case.
    for (const XTemplateSet* set = this; !match.xtemplate && set; set = set->base_) {
        std::vector<std::shared_ptr<const XTemplate>> found;
        for (const auto& [declared, t] : set->byName_)
            if (equalsIgnoringCase(declared, name)) found.push_back(t);
        if (found.size() == 1) match.xtemplate = found.front();
        if (found.size() > 1) {
            for (const auto& t : found)
                match.candidates.push_back(t->name);
            return match;
        }
    }
    return match;
}

std::shared_ptr<const XTemplate> XTemplateSet::find(std::string_view name) const {
    return lookup(name).xtemplate;
}

std::size_t XTemplateSet::size() const {
    std::size_t count = byName_.size();
    if (base_)
        for (const auto& t : base_->all())
            if (!byName_.count(t->name)) ++count;
    return count;
}

std::vector<std::shared_ptr<const XTemplate>> XTemplateSet::all() const {
    std::map<std::string_view, std::shared_ptr<const XTemplate>> merged;
    if (base_)
        for (const auto& t : base_->all())
            merged[t->name] = t;
    for (const auto& [name, t] : byName_)
        merged[name] = t;
    std::vector<std::shared_ptr<const XTemplate>> templates;
    templates.reserve(merged.size());
    for (const auto& [name, t] : merged)
        templates.push_back(t);
    return templates;
}

std::shared_ptr<const XTemplate> XTemplateSet::findByGuid(const Guid& guid) const {
    const auto it = byGuid_.find(guid);
    if (it != byGuid_.end()) return it->second;
    return base_ ? base_->findByGuid(guid) : nullptr;
}

} // namespace bw
