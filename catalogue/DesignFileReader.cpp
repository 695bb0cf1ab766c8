#include "catalogue/DesignFileReader.h"

#include <charconv>
#include <limits>
#include <optional>

namespace bw::catalogue {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Bytes that form UTF-8 as the standard allows it: no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool isUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF; // bounds of the second byte, which rule out the bad forms
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        if (byte(i + 1) < low || byte(i + 1) > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((byte(i + k) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// A break the writer never leaves inside a value (see onOneLine).
bool holdsLineBreak(std::string_view line) {
    for (const std::string_view separator : {"\r", "\v", "\f", "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"})
        if (line.find(separator) != std::string_view::npos) return true;
    return false;
}

std::string_view trimmedSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The integer as the writer puts it (" 5 ", "-3 "): a sign or a space, digits, a space.
std::optional<long> integerIn(std::string_view line, long lowest, long highest) {
    const std::string_view digits = trimmedSpaces(line);
    if (digits.empty()) return std::nullopt;
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    int lineNumber() const { return line_; }
    bool atEnd() const { return rest_.empty(); }

    // The next line without its end; nothing when the file has ended, or when its last line
    // has no line end (a file cut short).
    std::optional<std::string_view> next() {
        ++line_;
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }

private:
    std::string_view rest_;
    int line_ = 0;
};

// What a line holds, put in words only when it is wrong: a file has millions of lines.
struct Expectation {
    enum class Kind { Count, Flag, ExtraInteger, Cost, Text, End } kind = Kind::Count;
    int system = 0;
    const PartSlot* slot = nullptr;
    TextField field = TextField::PartName;

    std::string describe() const {
        const std::string part = slot ? (slot->itemText.empty() ? slot->slotName : slot->itemText) : "";
        const std::string inSystem = " in system " + std::to_string(system);
        switch (kind) {
        case Kind::Count:
            return "the number of systems, a whole number from 0 to 32767";
        case Kind::Flag:
            return "\"True\" or \"False\": whether " + part + " is present" + inSystem;
        case Kind::ExtraInteger:
            return (slot->code == codes::Enclosure ? "the enclosure type of " : "the system number of ") +
                   part + inSystem + ", a whole number from -32768 to 32767";
        case Kind::Cost:
            return "the cost of " + part + inSystem;
        case Kind::Text:
            return (field == TextField::PartName       ? "the part name of "
                    : field == TextField::Manufacturer ? "the manufacturer of "
                                                       : "the model of ") +
                   part + inSystem;
        case Kind::End:
            break;
        }
        return "the end of the file after system " + std::to_string(system);
    }
};

enum class LineFault { None, Missing, NotOneLineOfUtf8, Wrong };

class Reader {
public:
    explicit Reader(std::string_view text) : lines_(text) {}

    DesignRead read() {
        const auto count = integer({}, 0, SystemStore::kMaxSystems);
        if (!count) return fail();
        for (int system = 1; system <= *count; ++system)
            if (!readSystem(system)) return fail();
        if (!lines_.atEnd()) {
            lines_.next();
            expected_ = {Expectation::Kind::End, static_cast<int>(*count)};
            fault_ = LineFault::Wrong;
            return fail();
        }
        if (store_.systemCount() > 0) store_.setCurrentSystem(1);
        DesignRead result;
        result.ok = true;
        result.store = std::move(store_);
        return result;
    }

private:
    DesignRead fail() const {
        std::string expected = expected_.describe();
        if (fault_ == LineFault::Missing) expected += " (the file ends before it)";
        if (fault_ == LineFault::NotOneLineOfUtf8) expected += ", as UTF-8 text on one line";
        DesignRead result;
        result.error = {lines_.lineNumber(), std::move(expected)};
        return result;
    }

    std::optional<std::string_view> line(const Expectation& what) {
        expected_ = what;
        const std::optional<std::string_view> text = lines_.next();
        fault_ = !text                                     ? LineFault::Missing
                 : !isUtf8(*text) || holdsLineBreak(*text) ? LineFault::NotOneLineOfUtf8
                                                           : LineFault::None;
        if (fault_ != LineFault::None) return std::nullopt;
        fault_ = LineFault::Wrong; // until the caller has accepted the value
        return text;
    }

    std::optional<int> integer(const Expectation& what, int lowest, int highest) {
        const std::optional<std::string_view> text = line(what);
        if (!text) return std::nullopt;
        const std::optional<long> value = integerIn(*text, lowest, highest);
        if (!value) return std::nullopt;
        return static_cast<int>(*value);
    }

    bool readSystem(int system) {
        using Kind = Expectation::Kind;
        store_.addSystem();
        for (const PartSlot& slot : allSlots()) {
            const auto flag = line({Kind::Flag, system, &slot});
            if (!flag || (*flag != "True" && *flag != "False")) return false;
            store_.setPresent(system, slot.code, *flag == "True");
            if (slot.hasExtraInteger) {
                const auto value =
                    integer({Kind::ExtraInteger, system, &slot}, std::numeric_limits<std::int16_t>::min(),
                            std::numeric_limits<std::int16_t>::max());
                if (!value) return false;
                store_.setExtraInteger(system, slot.code, static_cast<std::int16_t>(*value));
            }
            const auto cost = line({Kind::Cost, system, &slot});
            if (!cost) return false;
            if (!cost->empty()) store_.setCost(system, slot.code, *cost);
            for (const TextField field : {TextField::PartName, TextField::Manufacturer, TextField::Model}) {
                const auto value = line({Kind::Text, system, &slot, field});
                if (!value) return false;
                if (!value->empty()) store_.setText(system, slot.code, field, *value);
            }
        }
        return true;
    }

    LineReader lines_;
    SystemStore store_;
    Expectation expected_;
    LineFault fault_ = LineFault::None;
};

} // namespace

DesignRead readDesignText(std::string_view text) {
    if (text.size() > kLargestDesignFile) {
        DesignRead refused;
        refused.error.expected =
            "a design file of at most " + std::to_string(kLargestDesignFile >> 20) + " MB";
        return refused;
    }
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    return Reader(text).read();
}

} // namespace bw::catalogue
