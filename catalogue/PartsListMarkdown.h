#pragma once
// The parts list as a GitHub-flavoured Markdown table, the total as its last row in bold.
// User text is escaped so that it shows as typed and cannot break the table: '|' and the
// characters Markdown acts on (\ ` * _ ~ [ ] < > & $) get a backslash, line breaks become
// <br>, other control characters spaces, and bytes that are not UTF-8 U+FFFD. Any other
// text, non-Latin scripts included, is kept as it is.

#include <string>

#include "catalogue/PartsList.h"

namespace bw::catalogue {

std::string partsListMarkdown(const PartsList& list);

} // namespace bw::catalogue
