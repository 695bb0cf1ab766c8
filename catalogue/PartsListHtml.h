#pragma once
// The parts list as one self-contained UTF-8 HTML page: inline style, the picture (if any)
// as a data URI, and a policy that lets the page load nothing else. Every text the user
// typed, the title included, is escaped (& < > " '); line breaks in cells become <br>,
// other control characters spaces, and bytes that are not UTF-8 U+FFFD.

#include <string>
#include <string_view>

#include "catalogue/PartsList.h"

namespace bw::catalogue {

// The page for the design named `title` ("Parts list" when blank). `png` holds the bytes of
// a PNG picture of the design, or nothing; bytes that do not start as a PNG are left out.
std::string partsListHtml(const PartsList& list, std::string_view title, std::string_view png = {});

} // namespace bw::catalogue
