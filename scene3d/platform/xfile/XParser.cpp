#include "scene3d/platform/xfile/XParser.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/StandardTemplates.h"

namespace bw {

namespace {

bool isWord(const Token& t, std::string_view lowerCaseWord) {
    if (t.kind != TokenKind::Name || t.text.size() != lowerCaseWord.size()) return false;
    return std::equal(t.text.begin(), t.text.end(), lowerCaseWord.begin(),
                      [](char a, char b) { return (a | 0x20) == b; });
}

void storeLittleEndian(std::uint8_t* out, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void appendLittleEndian(XValueBytes& out, std::uint64_t value, std::size_t bytes) {
    // Room for a small object's members at once, not grown a value at a time.
    if (out.capacity() == 0) out.reserve(64);
    storeLittleEndian(out.grow(bytes), value, bytes);
}

std::uint32_t floatBits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// Room beyond an array for the single values that commonly follow it (the face count
// after a mesh's vertices), so that they do not move the whole array.
constexpr std::uint64_t reserveSlack = 64;

// Room for an array's values up front, four bytes each (most members take that): growing
// value by value copied the data over and over. Never below doubling, so that many small
// arrays in a row cost no more than appending; bounded, as the count was checked against
// the rest of the file.
void reserveForValues(XValueBytes& data, std::uint64_t values) {
    const std::uint64_t needed = data.size() + values * 4;
    if (needed > data.capacity())
        data.reserve(static_cast<std::size_t>(
            std::max<std::uint64_t>(needed + reserveSlack, std::uint64_t{data.capacity()} * 2)));
}

// Values beyond the float range become infinities rather than undefined conversions.
float toFloat(double value) {
    if (value > FLT_MAX) return INFINITY;
    if (value < -FLT_MAX) return -INFINITY;
    return static_cast<float>(value);
}

std::uint64_t saturatingMultiply(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a) return UINT64_MAX;
    return a * b;
}

// A name from the file for a message: binary names may be long and hold anything.
std::string quoted(std::string_view name) {
    constexpr std::size_t longest = 64;
    std::string text = "'";
    for (const char c : name.substr(0, longest))
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    return text + (name.size() > longest ? "...'" : "'");
}

// The standard template a declaration declares again: of that name (as spelled, else in
// another letter case), else of that GUID; null for any other declaration.
std::shared_ptr<const XTemplate> standardDeclaration(const XTemplateSet& known, const XTemplate& declared) {
    std::shared_ptr<const XTemplate> earlier = known.find(declared.name);
    if (!earlier && declared.guid != Guid{}) earlier = known.findByGuid(declared.guid);
    return earlier && !earlier->standardId.empty() ? earlier : nullptr;
}

// Exporters declare the standard templates again, not always with the children they allow:
// the declaration still allows what the standard one did.
void keepAllowedChildren(XTemplate& declared, const XTemplate& standard) {
    if (declared.restriction == XRestriction::Open || standard.restriction == XRestriction::Closed) return;
    if (standard.restriction == XRestriction::Open) {
        declared.restriction = XRestriction::Open;
        declared.allowedChildren.clear();
        return;
    }
    declared.restriction = XRestriction::Restricted;
    for (const XAllowedChild& allowed : standard.allowedChildren) {
        const bool listed = std::any_of(declared.allowedChildren.begin(), declared.allowedChildren.end(),
                                        [&](const XAllowedChild& a) { return a.name == allowed.name; });
        if (!listed) declared.allowedChildren.push_back(allowed);
    }
}

} // namespace

void XObjectIndex::add(const XDataObject& object) {
    if (object.name.empty() && !object.id) return;
    // Room for the named objects of a small file at once.
    if (listed_.empty()) listed_.reserve(16);
    listed_.push_back(&object);
}

const XDataObject* XObjectIndex::find(const std::string& name, const std::optional<Guid>& id) {
    // In the order listed: the first object of a name or GUID is the one found.
    for (const XDataObject* object : listed_) {
        if (!object->name.empty()) byName_.emplace(object->name, object);
        if (object->id) byGuid_.emplace(*object->id, object);
    }
    listed_.clear();
    if (!name.empty()) {
        const auto it = byName_.find(name);
        if (it != byName_.end()) return it->second;
    }
    if (id) {
        const auto it = byGuid_.find(*id);
        if (it != byGuid_.end()) return it->second;
    }
    return nullptr;
}

void XParser::fail(ResultCode code, const std::string& what, std::size_t offset) {
    throw PlatformError(code, ".x file: " + what + " at byte " + std::to_string(offset));
}

const Token& XParser::expect(TokenKind kind, const char* what) {
    const Token& t = tokens_.next();
    if (t.kind != kind) fail(result::parseError, std::string("expected ") + what, t.offset);
    return t;
}

void XParser::checkValueBytes(std::uint64_t more, std::size_t offset) {
    if (more > maxValueBytesPerFile - std::min(valueBytes_, maxValueBytesPerFile))
        fail(overBudget, "values of more than " + std::to_string(maxValueBytesPerFile >> 20) + " MiB",
             offset);
}

void XParser::skipSeparators() {
    while (tokens_.peek().kind == TokenKind::Comma || tokens_.peek().kind == TokenKind::Semicolon)
        tokens_.next();
}

bool XParser::atTemplateKeyword() {
    const Token& t = tokens_.peek();
    return t.kind == TokenKind::Template || isWord(t, "template");
}

XObjectPtr XParser::nextTopLevelObject() {
    for (;;) {
        if (const XTokenSource::Filler filler = tokens_.takeFillerToEnd(); filler.size > 0) {
            warn("ignored " + std::to_string(filler.size) + " bytes of padding after the last object",
                 filler.offset);
            return nullptr;
        }
        const Token& t = tokens_.peek();
        if (t.kind == TokenKind::End) return nullptr;
        if (t.kind == TokenKind::Comma || t.kind == TokenKind::Semicolon) {
            tokens_.next();
            continue;
        }
        if (atTemplateKeyword()) {
            parseTemplate();
            continue;
        }
        if (t.kind != TokenKind::Name)
            fail(result::parseError, "expected a template or a data object", t.offset);
        if (XObjectPtr object = parseObject(0)) return object;
    }
}

// ---- template declarations ----

void XParser::parseTemplate() {
    tokens_.next(); // the keyword
    auto xtemplate = std::make_shared<XTemplate>();
    xtemplate->name = std::string(expect(TokenKind::Name, "a template name").text);
    expect(TokenKind::OBrace, "'{' after the template name");
    if (tokens_.peek().kind == TokenKind::Guid) xtemplate->guid = tokens_.next().guid;
    for (;;) {
        const Token& t = tokens_.peek();
        if (t.kind == TokenKind::CBrace) {
            tokens_.next();
            break;
        }
        if (t.kind == TokenKind::End) fail(result::parseError, "unterminated template", t.offset);
        if (t.kind == TokenKind::OBracket) {
            parseRestriction(*xtemplate);
            expect(TokenKind::CBrace, "'}' after the restriction");
            break;
        }
        xtemplate->members.push_back(parseMember(xtemplate->members));
    }
    xtemplate->minimumValues = minimumValuesOf(xtemplate->members);
    xtemplate->valueShape = valueShapeOf(xtemplate->members);
    if (const auto standard = standardDeclaration(templates_, *xtemplate)) {
        keepAllowedChildren(*xtemplate, *standard);
        xtemplate->standardId = standard->standardId;
    } else {
        xtemplate->standardId = std::string(standardTemplateId(xtemplate->name));
    }
    templates_.add(std::move(xtemplate));
}

XMember XParser::parseMember(const std::vector<XMember>& earlier) {
    XMember member;
    const bool isArray = tokens_.peek().kind == TokenKind::Array || isWord(tokens_.peek(), "array");
    if (isArray) tokens_.next();
    const Token type = tokens_.next();
    if (type.kind == TokenKind::Primitive) {
        member.primitive = type.primitive;
    } else if (type.kind == TokenKind::Name) {
        member.primitive = primitiveFromKeyword(type.text);
        if (!member.primitive) {
            member.templateType = templates_.find(type.text);
            if (!member.templateType)
                fail(result::noTemplate, "unknown member type '" + std::string(type.text) + "'", type.offset);
        }
    } else {
        fail(result::parseError, "expected a member type", type.offset);
    }
    if (member.primitive == PrimitiveType::Void) fail(result::badType, "VOID member", type.offset);
    if (tokens_.peek().kind == TokenKind::Name) member.name = std::string(tokens_.next().text);
    // Only arrays have dimensions: after another member, '[' starts the restriction even
    // where the member's ';' was left out.
    while (isArray && tokens_.peek().kind == TokenKind::OBracket)
        member.dimensions.push_back(parseDimension(earlier));
    if (isArray && member.dimensions.empty())
        fail(result::parseError, "array members need dimensions", type.offset);
    if (tokens_.peek().kind == TokenKind::Semicolon) tokens_.next();
    return member;
}

XArrayDimension XParser::parseDimension(const std::vector<XMember>& earlier) {
    expect(TokenKind::OBracket, "'['");
    XArrayDimension dimension;
    const Token size = tokens_.next();
    if (size.kind == TokenKind::Integer) {
        dimension.fixedSize = size.integer;
    } else if (size.kind == TokenKind::Name) {
        const auto it = std::find_if(earlier.begin(), earlier.end(), [&](const XMember& m) {
            return m.name == size.text && m.primitive && isIntegerType(*m.primitive) && m.dimensions.empty();
        });
        if (it == earlier.end())
            fail(result::parseError,
                 "array size '" + std::string(size.text) + "' is no earlier integer member", size.offset);
        dimension.sizeMember = static_cast<int>(it - earlier.begin());
    } else {
        fail(result::parseError, "expected an array size", size.offset);
    }
    expect(TokenKind::CBracket, "']'");
    return dimension;
}

void XParser::parseRestriction(XTemplate& xtemplate) {
    expect(TokenKind::OBracket, "'['");
    if (tokens_.peek().kind == TokenKind::Ellipsis || tokens_.peek().kind == TokenKind::Dot) {
        const int dots = tokens_.next().kind == TokenKind::Ellipsis ? 3 : 1;
        for (int i = dots; i < 3; ++i)
            expect(TokenKind::Dot, "'...'");
        xtemplate.restriction = XRestriction::Open;
        expect(TokenKind::CBracket, "']'");
        return;
    }
    xtemplate.restriction = XRestriction::Restricted;
    // Names apart by ',' or ';', with or without one after the last.
    for (;;) {
        skipSeparators();
        if (tokens_.peek().kind == TokenKind::CBracket && !xtemplate.allowedChildren.empty()) {
            tokens_.next();
            return;
        }
        XAllowedChild allowed;
        allowed.name = std::string(expect(TokenKind::Name, "a template name in the restriction").text);
        if (tokens_.peek().kind == TokenKind::Guid) allowed.guid = tokens_.next().guid;
        xtemplate.allowedChildren.push_back(std::move(allowed));
        const TokenKind next = tokens_.peek().kind;
        if (next != TokenKind::CBracket && next != TokenKind::Comma && next != TokenKind::Semicolon)
            fail(result::parseError, "expected ',' or ']' in the restriction", tokens_.peek().offset);
    }
}

// ---- data objects ----

std::string XParser::optionalName() {
    const Token& t = tokens_.peek();
    // Text names may look like numbers ("Frame 1 {"); binary numbers carry no spelling.
    const bool spelledNumber =
        (t.kind == TokenKind::Integer || t.kind == TokenKind::Float) && !t.text.empty();
    if (t.kind == TokenKind::Name || spelledNumber) return std::string(tokens_.next().text);
    return {};
}

void XParser::countObject(std::size_t offset) {
    if (++objectsRead_ > maxObjectsPerFile)
        fail(overBudget, "more than " + std::to_string(maxObjectsPerFile) + " objects", offset);
}

void XParser::warn(const std::string& what, std::size_t offset) {
    if (warnings_) warnings_->add(what + " at byte " + std::to_string(offset));
}

void XParser::skipObject(std::string_view name, std::size_t offset, std::uint32_t depth) {
    countObject(offset);
    optionalName();
    if (tokens_.peek().kind == TokenKind::Guid) tokens_.next();
    expect(TokenKind::OBrace, "'{' to open the object");
    // Its children and references each count as an object, and nest as deep as others may.
    std::uint32_t open = 1;
    while (open > 0) {
        const Token t = tokens_.next();
        if (t.kind == TokenKind::End) fail(result::parseError, "unterminated object", t.offset);
        if (t.kind == TokenKind::CBrace) --open;
        if (t.kind != TokenKind::OBrace) continue;
        if (depth + open >= maxObjectDepth) fail(result::parseError, "objects nested too deeply", t.offset);
        countObject(t.offset);
        ++open;
    }
    warn("skipped an object of the unknown template " + quoted(name), offset);
}

XObjectPtr XParser::parseObject(std::uint32_t depth) {
    // The name and where it starts, not the whole token: they are all that is kept of it.
    const Token& headToken = expect(TokenKind::Name, "a template name");
    const std::string_view headName = headToken.text;
    const std::size_t headOffset = headToken.offset;
    if (depth >= maxObjectDepth) fail(result::parseError, "objects nested too deeply", headOffset);
    XTemplateMatch match = templates_.lookup(headName);
    if (match.ambiguous()) {
        std::string names;
        for (const std::string& candidate : match.candidates)
            names += (names.empty() ? "" : ", ") + quoted(candidate);
        fail(result::noTemplate, "template " + quoted(headName) + " could be any of " + names, headOffset);
    }
    if (!match.xtemplate) {
        skipObject(headName, headOffset, depth);
        return nullptr;
    }
    countObject(headOffset);

    XObjectPtr object(new (arena_.allocate(sizeof(XDataObject), alignof(XDataObject))) XDataObject(&arena_));
    // The object's hold on its template is the match's, moved: each copy of the pointer is
    // an atomic count up and down, and there is one per object.
    object->xtemplate = std::move(match.xtemplate);
    const XTemplate* const xtemplate = object->xtemplate.get();
    object->templateName = xtemplate->standardId.empty() ? xtemplate->name : xtemplate->standardId;
    object->name = optionalName();
    if (tokens_.peek().kind == TokenKind::Guid) object->id = tokens_.next().guid;
    expect(TokenKind::OBrace, "'{' to open the object");

    // Room for the values at once where the source can tell how much (growing the data
    // copied it again at every array), never beyond what the values may still take.
    if (const std::uint64_t ahead = tokens_.valueBytesAhead(); ahead > 0)
        object->data.reserve(static_cast<std::size_t>(
            std::min(ahead, maxValueBytesPerFile - std::min(valueBytes_, maxValueBytesPerFile))));
    readInstance(*xtemplate, *object, 0);
    finishData();
    checkValueBytes(sizeof(XDataObject) + object->data.size(), headOffset);
    valueBytes_ += sizeof(XDataObject) + object->data.size();

    for (;;) {
        skipSeparators();
        const Token& t = tokens_.peek();
        if (t.kind == TokenKind::CBrace) {
            tokens_.next();
            break;
        }
        if (t.kind == TokenKind::End) fail(result::parseError, "unterminated object", t.offset);
        const std::size_t childOffset = t.offset;
        XChild child;
        if (t.kind == TokenKind::OBrace) {
            child = parseReference();
        } else if (XObjectPtr inner = parseObject(depth + 1)) {
            child = XChild::dataObject(std::move(inner));
        } else {
            continue; // skipped
        }
        if (!child.isReference() && !xtemplate->allowsChild(*child.target()->xtemplate))
            fail(result::badObject,
                 "'" + child.target()->xtemplate->name + "' may not appear inside '" + xtemplate->name + "'",
                 childOffset);
        if (const XDataObject* target = child.target()) {
            object->height = std::max(object->height, target->height + 1);
            object->expandedCount =
                std::min(maxExpandedObjects + 1, object->expandedCount + target->expandedCount);
        }
        // Room for a few at once: most objects that have children have several.
        if (object->children.empty()) object->children.reserve(4);
        object->children.push_back(std::move(child));
        if (object->height > maxObjectDepth)
            fail(result::parseError, "objects nested too deeply through references", childOffset);
        if (object->expandedCount > maxExpandedObjects)
            fail(result::parseError, "references expand to too many objects", childOffset);
    }
    index_.add(*object);
    return object;
}

XChild XParser::parseReference() {
    const Token open = expect(TokenKind::OBrace, "'{'");
    std::string name = optionalName();
    std::optional<Guid> id;
    if (tokens_.peek().kind == TokenKind::Guid) id = tokens_.next().guid;
    expect(TokenKind::CBrace, "'}' to close the reference");
    if (name.empty() && !id) fail(result::badDataReference, "empty reference", open.offset);
    const XDataObject* target = index_.find(name, id);
    return XChild::reference(std::move(name), target);
}

// ---- member values ----

std::uint64_t XParser::availableValues() {
    const std::uint64_t pendingLeft = pending_.listCount - pendingIndex_;
    const Token& next = tokens_.peek(); // already taken from the remaining bytes
    std::uint64_t inNext = 1;
    if (next.kind == TokenKind::IntegerList || next.kind == TokenKind::FloatList) inNext = next.listCount;
    if (next.kind == TokenKind::End) inNext = 0;
    return tokens_.remainingBytes() + pendingLeft + inNext;
}

void XParser::readInstance(const XTemplate& xtemplate, XDataObject& object, std::uint32_t depth) {
    if (depth >= maxObjectDepth)
        fail(result::parseError, "templates nested too deeply", tokens_.peek().offset);
    // Instances of small templates (a vector, a face) are read by the hundred thousand:
    // their member values stay off the heap.
    constexpr std::size_t inlineMembers = 16;
    std::array<std::uint32_t, inlineMembers> inlineValues{};
    std::vector<std::uint32_t> heapValues;
    std::uint32_t* singleValues = inlineValues.data();
    if (xtemplate.members.size() > inlineMembers) {
        heapValues.assign(xtemplate.members.size(), 0);
        singleValues = heapValues.data();
    }
    for (std::size_t i = 0; i < xtemplate.members.size(); ++i) {
        const XMember& member = xtemplate.members[i];
        std::uint64_t count = 1;
        for (const auto& d : member.dimensions)
            count = saturatingMultiply(count, d.sizeMember >= 0 ? singleValues[d.sizeMember] : d.fixedSize);
        const std::uint64_t valuesEach = member.primitive ? 1 : member.templateType->minimumValues;
        if (valuesEach == 0) continue; // reads nothing, however many
        // Every value still to come takes at least one byte of the file.
        if (const std::uint64_t needed = saturatingMultiply(count, valuesEach);
            needed > tokens_.remainingBytes() && needed > availableValues())
            fail(result::badArraySize, "array '" + member.name + "' larger than the rest of the file",
                 tokens_.peek().offset);
        if (count > 1) {
            checkValueBytes(saturatingMultiply(saturatingMultiply(count, valuesEach), 4) + object.data.size(),
                            tokens_.peek().offset);
            reserveForValues(object.data, saturatingMultiply(count, valuesEach));
        }
        // Vectors, colours and faces: their arrays are most of a model file.
        if (!member.primitive && depth + 1 < maxObjectDepth) {
            if (member.templateType->valueShape == XValueShape::SingleFloats) {
                readFloatRecords(member.templateType->members, count, object);
                continue;
            }
            if (member.templateType->valueShape == XValueShape::DwordRecords && count > 1) {
                readDwordRecords(*member.templateType, count, object, depth + 1);
                continue;
            }
        }
        // A matrix's FLOATs.
        if (member.primitive == PrimitiveType::Float && !member.dimensions.empty()) {
            readFloatRecords(std::span(&member, 1), count, object);
            continue;
        }
        if (member.primitive && isIntegerType(*member.primitive) && !member.dimensions.empty()) {
            readIntegerArray(*member.primitive, count, object);
            continue;
        }
        for (std::uint64_t k = 0; k < count; ++k) {
            if (member.primitive) {
                const std::uint32_t value = readPrimitive(*member.primitive, object);
                if (member.dimensions.empty()) singleValues[i] = value;
            } else {
                readInstance(*member.templateType, object, depth + 1);
            }
        }
    }
}

void XParser::readFloatRecords(std::span<const XMember> recordMembers, std::uint64_t count,
                               XDataObject& object) {
    const std::size_t members = recordMembers.size();
    const std::uint64_t values = count * members; // the array check bounds it by the file size
    std::array<double, 256> numbers;
    std::uint64_t done = 0;
    // Runs of numbers as they come; the first value that is not one is read alone, by
    // the member's usual reading, which reports it.
    while (done < values) {
        if (listValuesAhead(TokenKind::FloatList)) {
            done += copyFromList(values - done, 4, object);
            continue;
        }
        std::size_t taken = 0;
        if (pendingIndex_ >= pending_.listCount) {
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(values - done, numbers.size()));
            taken = tokens_.takeNumbers(std::span(numbers.data(), wanted));
            std::uint8_t* const to = object.data.grow(taken * 4);
            for (std::size_t i = 0; i < taken; ++i)
                storeLittleEndian(to + i * 4, floatBits(toFloat(numbers[i])), 4);
            done += taken;
        }
        if (taken == 0 && done < values) {
            const XMember& member = recordMembers[done % members];
            // The check readInstance makes before every member.
            if (tokens_.remainingBytes() == 0 && availableValues() < 1)
                fail(result::badArraySize, "array '" + member.name + "' larger than the rest of the file",
                     tokens_.peek().offset);
            readPrimitive(PrimitiveType::Float, object);
            ++done;
        }
    }
}

void XParser::readIntegerArray(PrimitiveType type, std::uint64_t count, XDataObject& object) {
    const std::size_t size = primitiveSize(type);
    std::array<std::uint32_t, 256> integers;
    std::uint64_t done = 0;
    while (done < count) {
        if (listValuesAhead(TokenKind::IntegerList)) {
            done += copyFromList(count - done, size, object);
            continue;
        }
        std::size_t taken = 0;
        if (pendingIndex_ >= pending_.listCount) {
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(count - done, integers.size()));
            taken = tokens_.takeIntegers(std::span(integers.data(), wanted));
            std::uint8_t* const to = object.data.grow(taken * size);
            for (std::size_t i = 0; i < taken; ++i)
                storeLittleEndian(to + i * size, integers[i], size);
            done += taken;
        }
        if (taken == 0 && done < count) {
            readPrimitive(type, object);
            ++done;
        }
    }
}

void XParser::readDwordRecords(const XTemplate& xtemplate, std::uint64_t count, XDataObject& object,
                               std::uint32_t depth) {
    const std::size_t members = xtemplate.members.size();
    constexpr std::size_t inlineMembers = 16;
    std::array<std::uint32_t, inlineMembers> singleValues{};
    const bool countedList = members == 2 && xtemplate.members[0].dimensions.empty() &&
                             xtemplate.members[1].dimensions.size() == 1 &&
                             xtemplate.members[1].dimensions[0].sizeMember == 0;
    std::uint64_t k = 0;
    while (k < count) {
        // Where the next record will not lie whole in one list (text, a token per value, a
        // list ending inside it, a template too wide), it is read member by member.
        if (members > inlineMembers || !listValuesAhead(TokenKind::IntegerList)) {
            readInstance(xtemplate, object, depth);
            ++k;
            continue;
        }
        // The records that lie whole in the list, copied at once.
        const std::uint8_t* values = pending_.list.data() + std::size_t{pendingIndex_} * 4;
        const std::uint64_t left = pending_.listCount - pendingIndex_;
        if (countedList && k == 0 && left > 0) {
            // Room for all the records if they are like the first, as a mesh's faces are:
            // one allocation, not a doubling per face count; bounded by the list.
            std::uint32_t n;
            std::memcpy(&n, values, 4);
            const std::uint64_t words = std::min(left, saturatingMultiply(count, std::uint64_t{n} + 1));
            if (const std::size_t needed = object.data.size() + static_cast<std::size_t>(words) * 4;
                needed > object.data.capacity())
                object.data.reserve(needed + reserveSlack);
        }
        std::uint64_t whole = 0;
        // A count and that many values, as a face is: walked without the members. Runs of
        // triangles, most faces of most meshes, four at a time: their counts lie at known
        // places, not each where the one before says.
        for (; countedList && count - k >= 4 && left - whole >= 16; k += 4) {
            std::uint32_t n[13];
            std::memcpy(n, values + whole * 4, sizeof n);
            if ((n[0] ^ 3) | (n[4] ^ 3) | (n[8] ^ 3) | (n[12] ^ 3)) break;
            whole += 16;
        }
        for (; countedList && k < count && whole < left; ++k) {
            std::uint32_t n;
            std::memcpy(&n, values + whole * 4, 4);
            if (n >= left - whole) break;
            whole += 1 + std::uint64_t{n};
        }
        for (; !countedList && k < count; ++k) {
            std::uint64_t used = whole;
            for (std::size_t i = 0; i < members && used <= left; ++i) {
                const XMember& member = xtemplate.members[i];
                if (member.dimensions.empty()) {
                    if (used < left) std::memcpy(&singleValues[i], values + used * 4, 4);
                    ++used;
                } else {
                    const XArrayDimension& d = member.dimensions.front();
                    used += d.sizeMember >= 0 ? singleValues[d.sizeMember] : d.fixedSize;
                }
            }
            if (used > left) break;
            whole = used;
        }
        if (whole > 0) {
            checkValueBytes(whole * 4 + object.data.size(), pending_.offset);
            object.data.append(values, whole * 4);
            pendingIndex_ += static_cast<std::uint32_t>(whole);
        }
        if (k < count) {
            readInstance(xtemplate, object, depth);
            ++k;
        }
    }
}

bool XParser::listValuesAhead(TokenKind kind) {
    if (pendingIndex_ >= pending_.listCount) {
        if (!tokens_.takeList(pending_)) return false;
        pendingIndex_ = 0;
    }
    return pending_.kind == kind;
}

std::uint64_t XParser::copyFromList(std::uint64_t wanted, std::size_t size, XDataObject& object) {
    const std::uint64_t n = std::min<std::uint64_t>(wanted, pending_.listCount - pendingIndex_);
    const std::size_t elementSize = pending_.listElementSize;
    const std::uint8_t* from = pending_.list.data() + std::size_t{pendingIndex_} * elementSize;
    if (elementSize == size) {
        // 32-bit floats and DWORDs as the file has them.
        object.data.append(from, n * size);
        pendingIndex_ += static_cast<std::uint32_t>(n);
        return n;
    }
    std::uint8_t* const to = object.data.grow(n * size);
    if (pending_.kind == TokenKind::FloatList) {
        for (std::size_t i = 0; i < n; ++i) {
            double d;
            std::memcpy(&d, from + i * 8, 8);
            storeLittleEndian(to + i * 4, floatBits(toFloat(d)), 4);
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            std::uint32_t v;
            std::memcpy(&v, from + i * 4, 4);
            storeLittleEndian(to + i * size, v, size);
        }
    }
    pendingIndex_ += static_cast<std::uint32_t>(n);
    return n;
}

std::uint32_t XParser::readPrimitive(PrimitiveType type, XDataObject& object) {
    switch (type) {
    case PrimitiveType::Float:
        appendLittleEndian(object.data, floatBits(toFloat(nextFloatValue())), 4);
        return 0;
    case PrimitiveType::Double: {
        const double d = nextFloatValue();
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        appendLittleEndian(object.data, bits, 8);
        return 0;
    }
    case PrimitiveType::String: {
        const auto index = static_cast<std::uint32_t>(object.strings.size());
        const std::string_view text = nextStringValue();
        checkValueBytes(sizeof(std::string) + text.size(), tokens_.peek().offset);
        valueBytes_ += sizeof(std::string) + text.size();
        object.strings.emplace_back(text);
        appendLittleEndian(object.data, index, 4);
        return index;
    }
    default: {
        const std::uint32_t value = nextIntegerValue();
        appendLittleEndian(object.data, value, primitiveSize(type));
        return value;
    }
    }
}

TokenKind XParser::nextNumber(NumberValue& value) {
    for (;;) {
        if (pendingIndex_ < pending_.listCount) {
            const std::uint8_t* p =
                pending_.list.data() + std::size_t{pendingIndex_} * pending_.listElementSize;
            ++pendingIndex_;
            if (pending_.kind == TokenKind::IntegerList) {
                std::memcpy(&value.integer, p, 4);
            } else if (pending_.listElementSize == 8) {
                std::memcpy(&value.number, p, 8);
            } else {
                float f;
                std::memcpy(&f, p, 4);
                value.number = f;
            }
            return pending_.kind;
        }
        const TokenKind kind = tokens_.takeNumber(value);
        if (kind != TokenKind::IntegerList && kind != TokenKind::FloatList) return kind;
        pending_ = tokens_.next();
        pendingIndex_ = 0;
    }
}

std::size_t XParser::offsetOfNumber(TokenKind kind) {
    return kind == TokenKind::IntegerList || kind == TokenKind::FloatList ? pending_.offset
                                                                          : tokens_.peek().offset;
}

std::uint32_t XParser::nextIntegerValue() {
    NumberValue value;
    const TokenKind kind = nextNumber(value);
    if (kind != TokenKind::Integer && kind != TokenKind::IntegerList)
        fail(result::badValue, "expected an integer", offsetOfNumber(kind));
    return value.integer;
}

double XParser::nextFloatValue() {
    NumberValue value;
    const TokenKind kind = nextNumber(value);
    if (kind != TokenKind::Float && kind != TokenKind::Integer && kind != TokenKind::FloatList)
        fail(result::badValue, "expected a number", offsetOfNumber(kind));
    return value.number;
}

std::string_view XParser::nextStringValue() {
    if (pendingIndex_ < pending_.listCount) fail(result::badValue, "expected a string", pending_.offset);
    skipSeparators();
    const Token& t = tokens_.next();
    if (t.kind != TokenKind::String) fail(result::badValue, "expected a string", t.offset);
    return t.text;
}

void XParser::finishData() {
    if (pendingIndex_ < pending_.listCount)
        fail(result::badArraySize, "more values than the template holds", pending_.offset);
    skipSeparators();
    const TokenKind next = tokens_.peek().kind;
    if (next == TokenKind::IntegerList || next == TokenKind::FloatList || next == TokenKind::Integer ||
        next == TokenKind::Float || next == TokenKind::String)
        fail(result::badArraySize, "more values than the template holds", tokens_.peek().offset);
    pending_.listCount = 0;
    pendingIndex_ = 0;
}

} // namespace bw
