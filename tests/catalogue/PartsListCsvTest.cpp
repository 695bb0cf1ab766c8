#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/PartsListCsv.h"

using namespace bw::catalogue;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads RFC 4180 text back, failing the test on anything the RFC does not allow: a quote
// inside an unquoted field, text after a closing quote, a line end other than CR LF, or a
// last line without one.
Rows readCsv(std::string_view text) {
    Rows rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const auto endField = [&] {
        row.push_back(field);
        field.clear();
    };
    const auto endOfLine = [&] { return text.substr(i, 2) == "\r\n"; };
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) {
                    ADD_FAILURE() << "unterminated quoted field";
                    return rows;
                }
                if (text[i] == '"' && text.substr(i, 2) == "\"\"") {
                    field += '"';
                    ++i;
                } else if (text[i] == '"') {
                    ++i;
                    break;
                } else {
                    field += text[i];
                }
            }
        } else {
            for (; i < text.size() && text[i] != ',' && !endOfLine(); ++i) {
                EXPECT_TRUE(text[i] != '"' && text[i] != '\r' && text[i] != '\n') << "in row " << rows.size();
                field += text[i];
            }
        }
        endField();
        if (i < text.size() && text[i] == ',') {
            ++i;
        } else if (endOfLine()) {
            i += 2;
            rows.push_back(std::move(row));
            row.clear();
        } else {
            ADD_FAILURE() << "a field ends in neither a comma nor CR LF, row " << rows.size();
            return rows;
        }
    }
    EXPECT_TRUE(row.empty()) << "the last line has no CR LF";
    return rows;
}

PartsList listOf(const std::vector<std::vector<std::string>>& parts, const NumberFormat& format) {
    PartsList list;
    list.format = format;
    for (const auto& p : parts) {
        PartsListRow row{0, p[0], p[1], p[2], p[3], p[4], readCost(p[4], format)};
        list.total.add(row.reading);
        list.rows.push_back(row);
    }
    return list;
}

const NumberFormat kEnUs{".", ",", "-"};

} // namespace

TEST(PartsListCsv, ReadsBackFieldForFieldWithAByteOrderMark) {
    const std::vector<std::vector<std::string>> parts = {
        {"Processor", "Core i7, boxed", "Intel \"Corp\"", "i7-12700K", "$ 1,034.51"},
        {"Hard Drive", "Two\r\nlines", "one\nline", "cr\ronly", "$ 200"},
        {"Other", "\u65E5\u672C\u8A9E \u00D6lwerk \U0001F5A5", "\u041A\u0438\u0440\u0438\u043B\u043B", "",
         ""},
        {"Fan", "  spaced  ", "\"", ",", "gift"},
    };
    const std::string csv = partsListCsv(listOf(parts, kEnUs));
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const Rows rows = readCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), parts.size() + 2);
    EXPECT_EQ(rows.front(), (std::vector<std::string>{"Category", "Part", "Manufacturer", "Model", "Cost"}));
    for (std::size_t i = 0; i < parts.size(); ++i)
        EXPECT_EQ(rows[i + 1], parts[i]) << i;
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"Total", "2 parts not priced", "", "", "$ 1,234.51"}));
    EXPECT_EQ(csv.substr(3, csv.find("\r\n") - 1), "Category,Part,Manufacturer,Model,Cost\r\n");

    // Bytes that are not UTF-8 do not reach the file as they are.
    const std::string repaired = partsListCsv(listOf({{"Fan", "bad \xFF\xC3", "", "", ""}}, kEnUs));
    EXPECT_NE(repaired.find("bad \uFFFD\uFFFD,"), std::string::npos);
}

TEST(PartsListCsv, FormulasAreDisarmedButNegativeCostsStayNumbers) {
    const std::vector<std::vector<std::string>> parts = {
        {"=HYPERLINK(\"http://x\",\"y\")", "+SUM(A1:A9)", "@cmd", "-2+3+cmd|' /C calc'!A0", "-5"},
        {"\t=1", "\r=1", "\uFF1D1+1", "a=1", "-12,50 \u20AC"},
        {"Fan", "-", "+", "@", "- 3"},
    };
    const Rows rows = readCsv(partsListCsv(listOf(parts, kEnUs)).substr(3));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"'=HYPERLINK(\"http://x\",\"y\")", "'+SUM(A1:A9)", "'@cmd",
                                                 "'-2+3+cmd|' /C calc'!A0", "-5"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"'\t=1", "'\r=1", "'\uFF1D1+1", "a=1", "-12,50 \u20AC"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"Fan", "'-", "'+", "'@", "- 3"}));
    EXPECT_EQ(rows[4].back(), "-20.50") << "a negative total is a number too";
}
