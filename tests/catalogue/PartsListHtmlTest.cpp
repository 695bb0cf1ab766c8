#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "catalogue/Base64.h"
#include "catalogue/PartsListHtml.h"
#include "catalogue/Utf8.h"

using namespace bw::catalogue;

namespace {

const NumberFormat kDeDe{",", ".", "-"};

PartsList hostileList() {
    PartsList list;
    list.format = kDeDe;
    const auto add = [&](PartsListRow row) {
        row.reading = readCost(row.cost, kDeDe);
        list.total.add(row.reading);
        list.rows.push_back(std::move(row));
    };
    add({0,
         "Processor",
         "<script>alert('x')</script>",
         "A & B \"C\"",
         "<img src=http://e/x>",
         "1.000 \u20AC",
         {}});
    add({0, "Other", "\u65E5\u672C\u8A9E two\nlines", "bad \xC3(", "\x01", "234,50 \u20AC", {}});
    return list;
}

} // namespace

TEST(PartsListHtml, EscapesEverythingTheUserTyped) {
    const std::string page = partsListHtml(hostileList(), "Mine <b>& \"yours\"</b>\nagain");
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("<td>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>A &amp; B &quot;C&quot;</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>&lt;img src=http://e/x&gt;</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>\u65E5\u672C\u8A9E two<br>lines</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>bad \uFFFD(</td><td> </td>"), std::string::npos);
    EXPECT_EQ(utf8::repaired(page), page) << "the page is valid UTF-8";
    EXPECT_NE(page.find("<title>Mine &lt;b&gt;&amp; &quot;yours&quot;&lt;/b&gt; again</title>"),
              std::string::npos);
    EXPECT_NE(page.find("<h1>Mine &lt;b&gt;&amp; &quot;yours&quot;&lt;/b&gt; again</h1>"), std::string::npos);
    EXPECT_NE(page.find("<td>Total</td><td></td><td></td><td></td><td class=\"cost\">1.234,50 \u20AC</td>"),
              std::string::npos);
    EXPECT_NE(partsListHtml(PartsList(), " ").find("<title>Parts list</title>"), std::string::npos);

    const std::regex row("<tr>");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), row), std::sregex_iterator()), 4);
}

TEST(PartsListHtml, IsOnePageThatLoadsNothingElse) {
    const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF", 17);
    const std::string page = partsListHtml(hostileList(), "Tower", png);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<style>"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"data:image/png;base64," + base64(png) + "\" alt=\"Tower\">"),
              std::string::npos);

    // Every attribute that could load something points into the page. User text is escaped,
    // so every '<' starts markup of the page's own.
    const std::regex tag("<[^>]*>");
    const std::regex loads(R"re(\s(src|href|srcset|action|data|poster)\s*=\s*"?([^"\s>]*))re",
                           std::regex::icase);
    int sources = 0;
    for (auto t = std::sregex_iterator(page.begin(), page.end(), tag); t != std::sregex_iterator(); ++t) {
        const std::string markup = (*t)[0].str();
        for (auto it = std::sregex_iterator(markup.begin(), markup.end(), loads);
             it != std::sregex_iterator(); ++it) {
            ++sources;
            EXPECT_EQ((*it)[2].str().rfind("data:image/png;base64,", 0), 0u) << markup;
        }
    }
    EXPECT_EQ(sources, 1);
    for (const char* outside : {"url(", "@import", "<link", "<script", "<iframe", "<object"})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;

    EXPECT_EQ(partsListHtml(hostileList(), "Tower", "GIF89a....").find("<img"), std::string::npos);
    EXPECT_EQ(partsListHtml(hostileList(), "Tower").find("<img"), std::string::npos);
}
