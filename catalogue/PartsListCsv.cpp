#include "catalogue/PartsListCsv.h"

#include <span>
#include <string_view>

#include "catalogue/Utf8.h"

namespace bw::catalogue {

namespace {

bool startsAsFormula(std::string_view field) {
    if (field.empty()) return false;
    switch (field.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        break;
    }
    const auto first = utf8::decodeAt(field, 0);
    return first && (first->codePoint == U'\uFF1D' || first->codePoint == U'\uFF0B' ||
                     first->codePoint == U'\uFF0D' || first->codePoint == U'\uFF20');
}

void appendField(std::string& out, std::string_view text, const NumberFormat& format) {
    std::string field = utf8::repaired(text);
    if (startsAsFormula(field) && !readCost(field, format)) field.insert(field.begin(), '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

template <typename Cell>
void appendRow(std::string& out, std::span<const Cell> cells, const NumberFormat& format) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        appendField(out, cells[i], format);
    }
    out += "\r\n";
}

} // namespace

std::string partsListCsv(const PartsList& list) {
    std::string out = "\xEF\xBB\xBF";
    appendRow<std::string_view>(out, kPartsListColumns, list.format);
    for (const PartsListRow& row : list.rows)
        appendRow<std::string_view>(out, cellsOf(row), list.format);
    appendRow<std::string>(out, totalCells(list), list.format);
    return out;
}

} // namespace bw::catalogue
