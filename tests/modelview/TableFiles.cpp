#include "tests/modelview/TableFiles.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bw::modeltest {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(text);
    while (std::getline(in, cell, separator))
        cells.push_back(cell);
    if (!text.empty() && text.back() == separator) cells.emplace_back();
    return cells;
}

std::vector<std::vector<std::string>> readRows(const char* path, std::size_t columns) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string("cannot open ") + path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        auto cells = split(line, '\t');
        if (cells.size() != columns)
            throw std::runtime_error("bad row in " + std::string(path) + ": " + line);
        rows.push_back(std::move(cells));
    }
    return rows;
}

} // namespace

std::vector<FrameRow> frameRows() {
    std::vector<FrameRow> rows;
    for (const auto& cells : readRows(MODEL_FRAMES_TABLE, 4)) {
        FrameRow row;
        row.frame = cells[0];
        for (const std::string& file : split(cells[1], ','))
            if (!file.empty()) row.files.push_back(file);
        const auto xyz = split(cells[2], ',');
        row.position = {std::stof(xyz.at(0)), std::stof(xyz.at(1)), std::stof(xyz.at(2))};
        if (cells[3] != "-")
            for (const std::string& code : split(cells[3], ','))
                row.partCodes.push_back(std::stoi(code));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<IdentificationRow> identificationRows() {
    std::vector<IdentificationRow> rows;
    for (const auto& cells : readRows(IDENTIFICATION_TABLE, 3))
        rows.push_back(
            {cells[0], cells[1], cells[2] == "-" ? std::nullopt : std::optional<int>(std::stoi(cells[2]))});
    return rows;
}

} // namespace bw::modeltest
