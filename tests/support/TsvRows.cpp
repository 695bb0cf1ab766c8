#include "tests/support/TsvRows.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bw::tests {

std::vector<std::string> splitCells(const std::string& text, char separator) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(text);
    while (std::getline(in, cell, separator))
        cells.push_back(cell);
    // getline drops a last empty cell.
    if (!text.empty() && text.back() == separator) cells.emplace_back();
    return cells;
}

std::vector<std::vector<std::string>> readTsvRows(const std::string& path, std::size_t columns) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        auto cells = splitCells(line, '\t');
        if (cells.size() != columns) {
            std::string message = "bad row in " + path;
            message.append(": ").append(line);
            throw std::runtime_error(message);
        }
        rows.push_back(std::move(cells));
    }
    if (rows.empty()) throw std::runtime_error("no rows in " + path);
    return rows;
}

} // namespace bw::tests
