#include "catalogue/PartsListMarkdown.h"

#include <span>
#include <string_view>

#include "catalogue/Utf8.h"

namespace bw::catalogue {

namespace {

std::string escaped(std::string_view text) {
    const std::string valid = utf8::repaired(text);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const char c = valid[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < valid.size() && valid[i + 1] == '\n') ++i;
            out += "<br>";
        } else if (std::string_view("\\|`*_~[]<>&$").find(c) != std::string_view::npos) {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string bold(std::string_view text) { return text.empty() ? std::string() : "**" + escaped(text) + "**"; }

template <typename Cell> void appendRow(std::string& out, std::span<const Cell> cells, bool strong) {
    out += '|';
    for (const Cell& cell : cells)
        out += ' ' + (strong ? bold(cell) : escaped(cell)) + " |";
    out += '\n';
}

} // namespace

std::string partsListMarkdown(const PartsList& list) {
    std::string out;
    appendRow<std::string_view>(out, kPartsListColumns, false);
    out += '|';
    for (std::size_t i = 0; i < kPartsListColumns.size(); ++i)
        out += i + 1 < kPartsListColumns.size() ? " --- |" : " ---: |"; // costs align right
    out += '\n';
    for (const PartsListRow& row : list.rows)
        appendRow<std::string_view>(out, cellsOf(row), false);
    appendRow<std::string>(out, totalCells(list), true);
    return out;
}

} // namespace bw::catalogue
