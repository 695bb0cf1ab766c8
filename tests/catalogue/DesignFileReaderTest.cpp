#include <gtest/gtest.h>

#include <random>

#include "catalogue/DesignFile.h"
#include "catalogue/DesignFileReader.h"

using namespace bw::catalogue;

namespace {

std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"Intel",    " ",    "Ölwerk", "199.99", "$",
                                                    "¥ 12 000", "a\tb", "True",   "False",  " 7 ",
                                                    "-1",       "日本", "\"q\"",  ","};
    std::string text;
    const int count = std::uniform_int_distribution(0, 4)(random);
    for (int i = 0; i < count; ++i)
        text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    return text;
}

SystemStore randomStore(std::mt19937& random, int systems) {
    SystemStore store;
    std::bernoulli_distribution often(0.3);
    for (int s = 1; s <= systems; ++s) {
        store.addSystem();
        for (const PartSlot& slot : allSlots()) {
            if (often(random)) store.setPresent(s, slot.code, true);
            if (slot.hasExtraInteger)
                store.setExtraInteger(
                    s, slot.code,
                    static_cast<std::int16_t>(std::uniform_int_distribution(-32768, 32767)(random)));
            if (often(random)) store.setCost(s, slot.code, randomText(random));
            if (often(random)) store.setText(s, slot.code, TextField::PartName, randomText(random));
            if (often(random)) store.setText(s, slot.code, TextField::Manufacturer, randomText(random));
            if (often(random)) store.setText(s, slot.code, TextField::Model, randomText(random));
        }
    }
    return store;
}

std::string withLfEnds(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

// The text with its line `number` (1-based) replaced.
std::string replacingLine(const std::string& text, int number, const std::string& replacement) {
    std::size_t start = 0;
    for (int line = 1; line < number; ++line)
        start = text.find("\r\n", start) + 2;
    const std::size_t end = text.find("\r\n", start);
    return text.substr(0, start) + replacement + text.substr(end);
}

std::string twoSystems() {
    SystemStore store;
    store.addSystem();
    store.addSystem();
    store.setPresent(1, codes::Enclosure, true);
    store.setExtraInteger(1, codes::Enclosure, enclosure::Tower);
    store.setText(2, codes::Baseboard, TextField::Manufacturer, "Asus");
    return designFileText(store);
}

} // namespace

TEST(DesignFileReader, WritingReadingAndWritingAgainGivesTheSameBytes) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 40; ++round) {
        const int systems = round == 0 ? 0 : std::uniform_int_distribution(1, round < 35 ? 3 : 60)(random);
        const std::string written = designFileText(randomStore(random, systems));
        for (const std::string& variant : {written, withLfEnds(written), "\xEF\xBB\xBF" + written}) {
            const DesignRead read = readDesignText(variant);
            ASSERT_TRUE(read.ok) << "round " << round << ": line " << read.error.line << ", "
                                 << read.error.expected;
            EXPECT_EQ(read.store.systemCount(), systems);
            EXPECT_EQ(read.store.currentSystem(), systems > 0 ? 1 : 0);
            ASSERT_EQ(designFileText(read.store), written) << "round " << round;
        }
    }
}

TEST(DesignFileReader, EmptyCostsReadAsNoCost) {
    SystemStore store;
    store.addSystem();
    store.setCost(1, codes::Baseboard, "");
    const DesignRead read = readDesignText(designFileText(store));
    ASSERT_TRUE(read.ok);
    EXPECT_FALSE(read.store.cost(1, codes::Baseboard).has_value());
}

TEST(DesignFileReader, AnythingElseIsRefusedWithTheLineAndWhatBelongedThere) {
    const std::string good = twoSystems();
    ASSERT_TRUE(readDesignText(good).ok);
    const int lastLine = 1 + 2 * kLinesPerSystem;
    struct Case {
        const char* what;
        std::string text;
        int line;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"empty file", "", 1, "number of systems"},
        {"another kind of file", "<html>\r\n", 1, "number of systems"},
        {"a count over the store's limit", " 40000 \r\n", 1, "from 0 to 32767"},
        {"a negative count", "-1 \r\n", 1, "number of systems"},
        {"a wrong flag word", replacingLine(good, 2, "Yes"), 2, "\"True\" or \"False\""},
        {"a number where a flag belongs", replacingLine(good, 8, " 1 "), 8,
         "whether Mouse (PS 2) is present"},
        {"text where the enclosure type belongs", replacingLine(good, 3, "tower"), 3, "enclosure type"},
        {"an enclosure type too large", replacingLine(good, 3, " 40000 "), 3, "enclosure type"},
        {"bytes that are not UTF-8", replacingLine(good, 6, "Asus \xC0\xAF"), 6, "UTF-8"},
        {"a surrogate in UTF-8", replacingLine(good, 6, "\xED\xA0\x80"), 6, "UTF-8"},
        {"a stray carriage return", replacingLine(good, 6, "a\rb"), 6, "on one line"},
        {"a file cut short", good.substr(0, good.size() / 2), 0, "the file ends before it"},
        {"a last line without its end", good.substr(0, good.size() - 2), lastLine, "the file ends before it"},
        {"more after the last system", good + "False\r\n", lastLine + 1, "end of the file after system 2"},
        {"a count larger than the systems", replacingLine(good, 1, " 3 "), lastLine + 1, "system 3"},
    };
    for (const Case& c : cases) {
        const DesignRead read = readDesignText(c.text);
        EXPECT_FALSE(read.ok) << c.what;
        EXPECT_EQ(read.store.systemCount(), 0) << c.what;
        if (c.line != 0) {
            EXPECT_EQ(read.error.line, c.line) << c.what;
        }
        EXPECT_NE(read.error.expected.find(c.expected), std::string::npos)
            << c.what << ": line " << read.error.line << ", " << read.error.expected;
    }
}
