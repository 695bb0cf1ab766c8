#pragma once
// Every system the user designs in this run, each a record per catalogue slot. Only the
// records that were ever written are kept, so an untouched system costs a few bytes and
// the full 32767 systems fit in memory.

#include <bitset>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/PartCatalogue.h"

namespace bw::catalogue {

using SystemNumber = std::int16_t;

enum class TextField { PartName, Manufacturer, Model };

// Everything the store keeps for one slot of one system.
struct PartRecord {
    bool present = false;
    std::int16_t extraInteger = 0; // see SystemStore::extraInteger
    std::optional<std::string> cost;
    std::string partName, manufacturer, model;

    bool operator==(const PartRecord&) const = default;
};

class SystemStore {
public:
    static constexpr SystemNumber kMaxSystems = 32767;

    // Appends a system with every field at its initial value and returns its number,
    // or nothing when the store is full (existing systems are left untouched).
    std::optional<SystemNumber> addSystem();
    // Empties the store; the current system index keeps its value.
    void clear();

    SystemNumber systemCount() const { return static_cast<SystemNumber>(systems_.size()); }
    SystemNumber currentSystem() const { return current_; }
    void setCurrentSystem(SystemNumber number) { current_ = number; }
    bool isValidSystem(int number) const { return number >= 1 && number <= systemCount(); }

    // Reads of a system or code outside the store give the initial value; writes are ignored.
    bool isPresent(int system, int code) const;
    void setPresent(int system, int code, bool present);

    // The extra integer of Enclosure (the enclosure type) and OperatingSystem.
    std::int16_t extraInteger(int system, int code) const;
    void setExtraInteger(int system, int code, std::int16_t value);

    // The cost as typed; nothing when never stored. Costs and texts are stored on one line
    // (see onOneLine).
    std::optional<std::string> cost(int system, int code) const;
    void setCost(int system, int code, std::string_view cost);

    std::string text(int system, int code, TextField field) const;
    void setText(int system, int code, TextField field, std::string_view value);

    PartRecord record(int system, int code) const;
    // Replaces the slot's record; a record at its initial value forgets the slot's texts.
    void setRecord(int system, int code, const PartRecord& record);

private:
    struct TextRecord {
        std::optional<std::string> cost;
        std::string partName, manufacturer, model;

        std::string& field(TextField f);
        const std::string& field(TextField f) const;
    };
    struct SystemRecord {
        std::bitset<kSlotCount> present;
        std::int16_t enclosureType = 0;
        std::int16_t osInteger = 0;
        std::map<PartCode, TextRecord> texts;
    };

    static bool isValidCode(int code) { return code >= 0 && code < kSlotCount; }
    const SystemRecord* find(int system, int code) const;
    SystemRecord* find(int system, int code);
    const TextRecord* findTexts(int system, int code) const;
    TextRecord* textsFor(int system, int code);

    std::vector<SystemRecord> systems_;
    SystemNumber current_ = 0;
};

} // namespace bw::catalogue
