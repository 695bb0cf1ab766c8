#pragma once
// What a click on the model names: the inner frame name of the picked mesh, looked up
// here, gives the caption for the status label and, for most names, the part code of
// the part slot the frame belongs to.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "catalogue/PartCodes.h"

namespace bw::modelview {

struct Identification {
    std::string_view frameName;
    std::string_view caption;
    std::optional<catalogue::PartCode> partCode; // empty: the caption changes, the part code stays
};

// Every entry, in table order.
std::span<const Identification> identifications();

// The entry whose frame name equals `frameName` exactly (case matters), or nullptr.
const Identification* findIdentification(std::string_view frameName);

} // namespace bw::modelview
