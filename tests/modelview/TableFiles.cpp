#include "tests/modelview/TableFiles.h"

#include "tests/support/TsvRows.h"

namespace bw::modeltest {
std::vector<FrameRow> frameRows() {
    std::vector<FrameRow> rows;
    for (const auto& cells : tests::readTsvRows(MODEL_FRAMES_TABLE, 4)) {
        FrameRow row;
        row.frame = cells[0];
        for (const std::string& file : tests::splitCells(cells[1], ','))
            if (!file.empty()) row.files.push_back(file);
        const auto xyz = tests::splitCells(cells[2], ',');
        row.position = {std::stof(xyz.at(0)), std::stof(xyz.at(1)), std::stof(xyz.at(2))};
        if (cells[3] != "-")
            for (const std::string& code : tests::splitCells(cells[3], ','))
                row.partCodes.push_back(std::stoi(code));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<IdentificationRow> identificationRows() {
    std::vector<IdentificationRow> rows;
    for (const auto& cells : tests::readTsvRows(IDENTIFICATION_TABLE, 3))
        rows.push_back(
            {cells[0], cells[1], cells[2] == "-" ? std::nullopt : std::optional<int>(std::stoi(cells[2]))});
    return rows;
}

} // namespace bw::modeltest
