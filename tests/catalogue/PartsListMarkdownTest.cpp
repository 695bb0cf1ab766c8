#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/PartsListMarkdown.h"

using namespace bw::catalogue;

namespace {

const NumberFormat kEnUs{".", ",", "-"};

// The cells of a table line, split at pipes without a backslash and unescaped again.
std::vector<std::string> cellsOfLine(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    EXPECT_TRUE(line.size() >= 2 && line.front() == '|' && line.back() == '|') << line;
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        if (line[i] == '\\' && i + 2 < line.size()) {
            cell += line[++i];
        } else if (line.compare(i, 4, "<br>") == 0) {
            cell += '\n';
            i += 3;
        } else if (line[i] == '|') {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    cells.push_back(cell);
    for (std::string& c : cells) {
        EXPECT_TRUE(c.size() >= 2 && c.front() == ' ' && c.back() == ' ') << "'" << c << "' in " << line;
        c = c.substr(1, c.size() - 2);
    }
    return cells;
}

} // namespace

TEST(PartsListMarkdown, UserTextKeepsTheTableAndShowsAsTyped) {
    const std::vector<std::vector<std::string>> parts = {
        {"Processor", "a|b", "back\\slash\\|", "*b* _i_ `c` ~~s~~", "$ 12"},
        {"Video Controller", "[link](http://x) ![img](y)", "<b>html</b> &amp; &#124;", "$x$", "$ 3.50"},
        {"Other", "\u65E5\u672C\u8A9E \u00D6lwerk", "two\nlines", "cr\r\nlf", "unknown"},
    };
    PartsList list;
    list.format = kEnUs;
    for (const auto& p : parts) {
        PartsListRow row{0, p[0], p[1], p[2], p[3], p[4], readCost(p[4], kEnUs)};
        list.total.add(row.reading);
        list.rows.push_back(row);
    }
    const std::string markdown = partsListMarkdown(list);
    std::vector<std::string> lines;
    std::istringstream stream(markdown);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), parts.size() + 3);
    EXPECT_EQ(lines[0], "| Category | Part | Manufacturer | Model | Cost |");
    EXPECT_EQ(lines[1], "| --- | --- | --- | --- | ---: |");
    auto expected = parts;
    expected[2][3] = "cr\nlf"; // one break, however it was written
    for (std::size_t i = 0; i < parts.size(); ++i)
        EXPECT_EQ(cellsOfLine(lines[i + 2]), expected[i]) << lines[i + 2];
    EXPECT_EQ(lines.back(), "| **Total** | **1 part not priced** |  |  | **\\$ 15.50** |");

    // Nothing Markdown would act on is left bare, but the breaks.
    for (std::size_t i = 2; i < lines.size(); ++i) {
        for (std::size_t at = 0; at < lines[i].size(); ++at) {
            if (lines[i][at] == '\\')
                ++at;
            else if (lines[i].compare(at, 4, "<br>") == 0)
                at += 3;
            else
                EXPECT_EQ(std::string_view("`_~[]<>&$").find(lines[i][at]), std::string_view::npos)
                    << lines[i] << " at " << at;
        }
    }

    PartsList odd;
    odd.rows.push_back({0, "Fan", "bell\a tab\t bad\xFF", "", "", "", std::nullopt});
    EXPECT_NE(partsListMarkdown(odd).find("| bell  tab  bad\uFFFD |"), std::string::npos);
}
