#pragma once
// Text kept in a design has no line breaks: the design file holds one value a line, so a
// break pasted into a value would shift every value after it.

#include <string>
#include <string_view>

namespace bw::catalogue {

// The text with each line break (CR LF, CR, LF, VT, FF, NEL, LS, PS) replaced by one space.
std::string onOneLine(std::string_view text);

} // namespace bw::catalogue
