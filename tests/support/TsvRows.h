#pragma once
// Reads the tables the tests compare the code against: tab-separated text files, typed
// apart from the code, one row a line, '#' lines and empty lines skipped.

#include <string>
#include <vector>

namespace bw::tests {

std::vector<std::string> splitCells(const std::string& text, char separator);
// Every row must have `columns` cells; throws std::runtime_error otherwise or when the file
// cannot be read.
std::vector<std::vector<std::string>> readTsvRows(const std::string& path, std::size_t columns);

} // namespace bw::tests
