#pragma once
// Reads back what the design file writer produces, and nothing looser: one value a line,
// each where the layout puts it. CR LF and LF line ends and a leading UTF-8 byte-order mark
// are accepted; anything else is refused with the line and what belonged there.

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/SystemStore.h"

namespace bw::catalogue {

// Larger than the largest store the writer can produce with ordinary details; a file past it
// is refused before it is read.
inline constexpr std::size_t kLargestDesignFile = std::size_t{256} << 20;

struct DesignReadError {
    int line = 0;         // 1 for the first line; 0 when the file as a whole is refused
    std::string expected; // what belonged there, in words for the user
};

struct DesignRead {
    bool ok = false;
    SystemStore store; // every system of the file, the first one current; empty on failure
    DesignReadError error;
};

DesignRead readDesignText(std::string_view text);

} // namespace bw::catalogue
