#include "scene3d/platform/xfile/XFile.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <memory_resource>
#include <optional>
#include <string_view>
#include <utility>

#include "scene3d/platform/common/PlatformError.h"
#include "scene3d/platform/common/RegularFile.h"
#include "scene3d/platform/xfile/LoadBudget.h"
#include "scene3d/platform/xfile/Mszip.h"
#include "scene3d/platform/xfile/StandardTemplates.h"
#include "scene3d/platform/xfile/XBinaryLexer.h"
#include "scene3d/platform/xfile/XParser.h"
#include "scene3d/platform/xfile/XTextLexer.h"

namespace bw {

namespace {

constexpr std::size_t headerSize = 16;
// As large as a compressed file may expand to (Mszip.h): 170 times the program's largest
// model file.
constexpr std::uintmax_t maxFileSize = maxExpandedXFileSize;

struct FormatCode {
    std::string_view code;
    XEncoding encoding;
    bool compressed;
};

constexpr FormatCode formatCodes[] = {
    {"txt ", XEncoding::Text, false},
    {"bin ", XEncoding::Binary, false},
    {"tzip", XEncoding::Text, true},
    {"bzip", XEncoding::Binary, true},
};

std::string_view field(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t length) {
    return {reinterpret_cast<const char*>(bytes.data()) + at, length};
}

int twoDigits(std::string_view text) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return -1;
    return (text[0] - '0') * 10 + (text[1] - '0');
}

} // namespace

XFileHeader parseXFileHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < headerSize)
        throw PlatformError(result::badFile,
                            ".x file shorter than its header: ends at byte " + std::to_string(bytes.size()));
    if (field(bytes, 0, 4) != "xof ")
        throw PlatformError(result::badFileType, "not a .x file: no \"xof \" at byte 0");
    XFileHeader header;
    header.majorVersion = twoDigits(field(bytes, 4, 2));
    header.minorVersion = twoDigits(field(bytes, 6, 2));
    if (header.majorVersion != 3 || header.minorVersion < 0)
        throw PlatformError(result::badFileVersion, ".x file of an unknown version at byte 4");
    const std::string_view format = field(bytes, 8, 4);
    bool known = false;
    for (const auto& f : formatCodes) {
        if (f.code == format) {
            header.encoding = f.encoding;
            header.compressed = f.compressed;
            known = true;
        }
    }
    if (!known) throw PlatformError(result::badFileType, ".x file of an unknown format at byte 8");
    const std::string_view floatSize = field(bytes, 12, 4);
    if (floatSize == "0032") {
        header.floatBits = 32;
    } else if (floatSize == "0064") {
        header.floatBits = 64;
    } else {
        throw PlatformError(result::badFileFloatSize, ".x file with an unknown float size at byte 12");
    }
    return header;
}

namespace {

// The objects read, and the arena they live in (declared first, so that it ends last).
struct ReadObjects {
    // Room for the objects and the values of a file of the program's model (about as many
    // bytes as the file for the values, as many again for the objects, which are a few
    // hundred bytes each), growing beyond.
    explicit ReadObjects(std::size_t fileSize) : arena(std::clamp(2 * fileSize, smallest, largest)) {}

    static constexpr std::size_t smallest = 4096;
    static constexpr std::size_t largest = 1 << 20;
    std::pmr::monotonic_buffer_resource arena;
    std::pmr::vector<XObjectPtr> list{&arena};
};

} // namespace

struct XFile::State {
    XFileHeader header;
    std::vector<std::uint8_t> bytes;    // given to fromBytes
    FileBytes fileBytes;                // read by open
    std::span<const std::uint8_t> all;  // either
    std::vector<std::uint8_t> expanded; // compressed files only
    // The reading's parts, in place rather than each on the heap.
    std::optional<XTextLexer> textTokens;
    std::optional<XBinaryLexer> binaryTokens;
    XTokenSource* tokens = nullptr; // either
    XTemplateSet templates = XTemplateSet::extending(standardTemplates());
    // Shared by the walks of a file read once (walkAgain). Before the index, whose list
    // lives in its arena.
    std::shared_ptr<ReadObjects> objects;
    std::optional<XObjectIndex> index;
    XWarnings warnings;
    std::optional<XParser> parser;
    std::uint64_t valueBytes = 0;   // the parser's count, once it is gone
    std::size_t handedOut = 0;      // objects nextObject has returned
    std::exception_ptr readFailure; // met by readRemaining, thrown when the walk gets there
    bool ended = false;             // the parser has nothing more to give
};

XFile::XFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
XFile::XFile(XFile&&) noexcept = default;
XFile& XFile::operator=(XFile&&) noexcept = default;
XFile::~XFile() = default;

XFile XFile::open(const std::filesystem::path& path) {
    return fromFile(readRegularFile(path, maxFileSize), path);
}

XFile XFile::open(const OpenFolder& folder, const std::string& name) { return fromFolder(folder, name, {}); }

XFile XFile::fromFolder(const OpenFolder& folder, const std::string& name, FileBytes reuse) {
    RegularFile file = folder.read(name, maxFileSize, std::move(reuse));
    // The whole path only for a message.
    const std::filesystem::path path =
        file.outcome == FileRead::Ok ? std::filesystem::path() : folder.path() / name;
    return fromFile(std::move(file), path);
}

XFile XFile::readWhole(const OpenFolder& folder, const std::string& name, FileBytes& buffer) {
    XFile file = fromFolder(folder, name, std::move(buffer));
    file.readRemaining();
    State& s = *file.state_;
    // Nothing reads the bytes any more: the parse has ended, its failure kept for the walk.
    s.valueBytes = s.parser->valueBytes();
    s.parser.reset();
    s.tokens = nullptr;
    s.textTokens.reset();
    s.binaryTokens.reset();
    s.all = {};
    s.expanded = {};
    buffer = std::move(s.fileBytes);
    return file;
}

XFile XFile::fromFile(RegularFile file, const std::filesystem::path& path) {
    switch (file.outcome) {
    case FileRead::Ok:
        break;
    case FileRead::TooLarge:
        throw PlatformError(overBudget,
                            path.string() + " is larger than " + std::to_string(maxFileSize >> 20) + " MiB");
    case FileRead::NotRegular:
        throw PlatformError(result::fileNotFound, path.string() + " is not a file");
    default:
        throw PlatformError(result::fileNotFound, "cannot open " + path.string());
    }
    auto state = std::make_unique<State>();
    state->fileBytes = std::move(file.bytes);
    state->all = {reinterpret_cast<const std::uint8_t*>(state->fileBytes.data()), state->fileBytes.size()};
    return fromState(std::move(state));
}

XFile XFile::fromBytes(std::vector<std::uint8_t> bytes) {
    auto state = std::make_unique<State>();
    state->bytes = std::move(bytes);
    state->all = state->bytes;
    return fromState(std::move(state));
}

XFile XFile::fromState(std::unique_ptr<State> state) {
    state->header = parseXFileHeader(state->all);
    std::span<const std::uint8_t> body = state->all.subspan(headerSize);
    if (state->header.compressed) {
        std::size_t trailing = 0;
        state->expanded = expandMszip(body, &trailing);
        if (trailing > 0)
            state->warnings.add("ignored " + std::to_string(trailing) +
                                " bytes after the last compressed block at byte " +
                                std::to_string(state->all.size() - trailing));
        body = state->expanded;
    }
    // Token offsets count from the start of the file, header included.
    if (state->header.encoding == XEncoding::Text) {
        state->tokens = &state->textTokens.emplace(body, headerSize);
    } else {
        state->tokens = &state->binaryTokens.emplace(body, state->header.floatBits / 8, headerSize);
    }
    state->objects = std::make_shared<ReadObjects>(body.size());
    state->index.emplace(&state->objects->arena);
    state->parser.emplace(*state->tokens, state->templates, *state->index, state->objects->arena,
                          &state->warnings);
    return XFile(std::move(state));
}

const XFileHeader& XFile::header() const { return state_->header; }

const XTemplateSet& XFile::templates() const { return state_->templates; }

const XWarnings& XFile::warnings() const { return state_->warnings; }

std::uint64_t XFile::heldBytes() const {
    const State& s = *state_;
    return s.all.size() + s.expanded.size() + (s.parser ? s.parser->valueBytes() : s.valueBytes);
}

bool XFile::readOne() {
    XObjectPtr object;
    try {
        object = state_->parser->nextTopLevelObject();
    } catch (const PlatformError& error) {
        state_->ended = true;
        if (!state_->header.compressed) throw;
        throw PlatformError(error.code(), std::string(error.what()) + " of the expanded file");
    } catch (...) {
        state_->ended = true;
        throw;
    }
    if (!object) {
        state_->ended = true;
        return false;
    }
    state_->objects->list.push_back(std::move(object));
    return true;
}

const XDataObject* XFile::nextObject() {
    State& s = *state_;
    if (s.handedOut < s.objects->list.size()) return s.objects->list[s.handedOut++].get();
    if (s.readFailure) {
        std::exception_ptr failure = std::exchange(s.readFailure, nullptr);
        std::rethrow_exception(failure);
    }
    if (s.ended || !readOne()) return nullptr;
    return s.objects->list[s.handedOut++].get();
}

std::optional<XFile> XFile::walkAgain() const {
    const State& s = *state_;
    if (!s.ended || s.readFailure) return std::nullopt;
    auto again = std::make_unique<State>();
    again->header = s.header;
    again->templates = s.templates;
    again->warnings = s.warnings;
    again->objects = s.objects;
    again->ended = true;
    return XFile(std::move(again));
}

void XFile::readRemaining() {
    try {
        while (!state_->ended && readOne()) {
        }
    } catch (...) {
        state_->readFailure = std::current_exception();
    }
}

} // namespace bw
