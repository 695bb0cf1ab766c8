#pragma once
// The fixed catalogue of part slots a system is designed from. Compiled in; no file
// supplies it. Every other subsystem addresses a slot by its part code.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/PartCodes.h"

namespace bw::catalogue {

inline constexpr int kSlotCount = 172;
inline constexpr PartCode kNoPart = 0;

// Codes that the details editor may select; 0 (Enclosure) is never selectable.
constexpr bool isSelectableCode(int code) { return code >= 1 && code < kSlotCount; }

struct PartSlot {
    PartCode code = 0;
    std::string slotName;
    std::string categoryKey; // empty for slots shown only in the model
    std::string itemKey;     // empty where the key depends on a choice (Enclosure, OperatingSystem)
    std::string itemText;
    std::string imageKey;
    std::string defaultPartName; // empty for Enclosure and OperatingSystem (chosen at add time)
    bool hasExtraInteger = false;

    bool hasItemNode() const { return !categoryKey.empty(); }
};

struct Category {
    std::string_view key;
    std::string_view text;
    std::string_view image; // empty for the enclosure category: see categoryImage()
};

struct EnclosureItem {
    std::int16_t type; // 1 tower, 2 desktop, 3 laptop
    std::string_view itemKey;
    std::string_view itemText;
    std::string_view image;
};

struct OsVersion {
    std::string_view menuName;
    std::string_view itemKey;
    std::string_view text; // item text and default part name
};

struct Family {
    std::string_view name;
    PartCode first;
    int size;

    bool contains(PartCode code) const { return code >= first && code < first + size; }
};

namespace enclosure {
inline constexpr std::int16_t None = 0;
inline constexpr std::int16_t Tower = 1;
inline constexpr std::int16_t Desktop = 2;
inline constexpr std::int16_t Laptop = 3;
} // namespace enclosure

// All slots in part-code order.
std::span<const PartSlot> allSlots();
const PartSlot& slotAt(PartCode code); // code must be 0..171
const PartSlot* findSlot(std::string_view slotName);

// Categories in the order the inventory tree creates them.
std::span<const Category> categories();
const Category* findCategory(std::string_view key);
inline constexpr std::string_view kEnclosureCategoryKey = "37 node";
// The enclosure category's image for an enclosure type; empty when the category is absent.
std::string_view categoryImage(const Category& category, std::int16_t enclosureType);

std::span<const EnclosureItem> enclosureItems();
const EnclosureItem* findEnclosureItem(std::int16_t type);

std::span<const OsVersion> osVersions();

std::span<const Family> families();
const Family* findFamily(std::string_view name);

} // namespace bw::catalogue
