#pragma once
// The parts list as CSV for spreadsheets, after RFC 4180: comma-separated, CR LF line ends,
// a field quoted when it holds a comma, a quote, CR or LF, its quotes doubled.
//  - UTF-8 with a byte-order mark: without one, common spreadsheets read the file in the
//    system's legacy code page and garble every non-ASCII name. Bytes that are not UTF-8
//    become U+FFFD.
//  - A header row, one row per part with the cost as typed, and a total row: "Total", the
//    parts not priced, two empty cells, the total as the label shows it.
//  - A field that starts with '=', '+', '-', '@', a tab or CR (or their full-width forms)
//    gets a leading apostrophe, so that a spreadsheet does not run it as a formula. A field
//    that reads as a cost ("-5", "-12,50 €") is left as it is: it cannot hold a call.

#include <string>

#include "catalogue/PartsList.h"

namespace bw::catalogue {

std::string partsListCsv(const PartsList& list);

} // namespace bw::catalogue
