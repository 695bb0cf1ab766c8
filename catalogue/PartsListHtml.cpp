#include "catalogue/PartsListHtml.h"

#include <span>

#include "catalogue/Base64.h"
#include "catalogue/Utf8.h"

namespace bw::catalogue {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

constexpr std::string_view kStyle = R"(
body { font-family: system-ui, sans-serif; margin: 2em; color: #222; background: #fff; }
h1 { font-size: 1.4em; margin: 0 0 0.8em; }
img { display: block; max-width: 100%; height: auto; margin: 0 0 1em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
thead th { background: #eee; }
tfoot th, tfoot td { font-weight: bold; border-top: 2px solid #666; }
.cost { text-align: right; white-space: nowrap; }
@media print { body { margin: 0; } }
)";

enum class Breaks { AsBreaks, AsSpaces };

std::string escaped(std::string_view text, Breaks breaks = Breaks::AsBreaks) {
    const std::string valid = utf8::repaired(text);
    std::string out;
    out.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const char c = valid[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\r':
        case '\n':
            if (c == '\r' && i + 1 < valid.size() && valid[i + 1] == '\n') ++i;
            out += breaks == Breaks::AsBreaks ? "<br>" : " ";
            break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 || c == '\x7F' ? ' ' : c;
        }
    }
    return out;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

template <typename Cell>
void appendCells(std::string& out, std::span<const Cell> cells, std::string_view tag) {
    out += "<tr>";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += '<';
        out += tag;
        out += i + 1 == cells.size() ? " class=\"cost\">" : ">";
        out += escaped(cells[i]);
        out += "</";
        out += tag;
        out += '>';
    }
    out += "</tr>\n";
}

} // namespace

std::string partsListHtml(const PartsList& list, std::string_view title, std::string_view png) {
    const std::string name = escaped(isBlank(title) ? "Parts list" : title, Breaks::AsSpaces);
    std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n";
    // Nothing outside the page is loaded, even if something slipped past the escaping.
    out += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; img-src data:; "
           "style-src 'unsafe-inline'\">\n";
    out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    out += "<title>" + name + "</title>\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    out += "<h1>" + name + "</h1>\n";
    if (png.starts_with(kPngSignature))
        out += "<img src=\"data:image/png;base64," + base64(png) + "\" alt=\"" + name + "\">\n";

    out += "<table>\n<thead>\n";
    appendCells<std::string_view>(out, kPartsListColumns, "th");
    out += "</thead>\n<tbody>\n";
    for (const PartsListRow& row : list.rows)
        appendCells<std::string_view>(out, cellsOf(row), "td");
    out += "</tbody>\n<tfoot>\n";
    appendCells<std::string>(out, totalCells(list), "td");
    out += "</tfoot>\n</table>\n</body>\n</html>\n";
    return out;
}

} // namespace bw::catalogue
