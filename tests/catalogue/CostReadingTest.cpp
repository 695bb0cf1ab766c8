#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>

#include "catalogue/CostReading.h"

using namespace bw::catalogue;

namespace {

const NumberFormat kEnUs{".", ",", "-"};
const NumberFormat kDeDe{",", ".", "-"};
const NumberFormat kFrFr{",", "\u202F", "-"};
const NumberFormat kDeCh{".", "\u2019", "-"};
const NumberFormat kLocales[] = {kEnUs, kDeDe, kFrFr, kDeCh, {",", "\u00A0", "-"}};
const NumberFormat kPlain{".", "", "-"};

// The cost in ten-thousandths, so that expectations stay short.
std::optional<std::int64_t> units(std::string_view text, const NumberFormat& format) {
    const auto cost = readCost(text, format);
    if (!cost) return std::nullopt;
    return static_cast<std::int64_t>(cost->amount.units());
}

} // namespace

TEST(CostReading, ReadsNumbersAsPeopleWriteThemInEveryLocale) {
    // Each text and its reading, written with as many decimals as were typed.
    const std::pair<std::string_view, std::string_view> cases[] = {{"199.99", "199.99"},
                                                                   {"199,99", "199.99"},
                                                                   {"1234", "1234"},
                                                                   {"  42\t", "42"},

                                                                   {"1,234.50", "1234.50"},
                                                                   {"1.234,50", "1234.50"},
                                                                   {"1 234,50", "1234.50"},
                                                                   {"1\u202F234,50", "1234.50"},
                                                                   {"1\u00A0234.5", "1234.5"},
                                                                   {"1'234.50", "1234.50"},
                                                                   {"1\u2019234.50", "1234.50"},
                                                                   {"1,234,567", "1234567"},
                                                                   {"1.234.567,8", "1234567.8"},
                                                                   {"1 234 567", "1234567"},
                                                                   {"1,23,45,678.9", "12345678.9"},
                                                                   {"0,500", "0.500"},
                                                                   {"1234,567", "1234.567"},
                                                                   {"1 234.567", "1234.567"},
                                                                   {"0.0001", "0.0001"},
                                                                   {".5", "0.5"},

                                                                   {"12,-", "12"},

                                                                   {"1.234,-", "1234"},
                                                                   {"-5", "-5"},
                                                                   {"\u22125", "-5"},
                                                                   {"- 5", "-5"},
                                                                   {"+5", "5"},
                                                                   {"-0", "0"},
                                                                   {"000000000000000000001", "1"}};
    for (const NumberFormat& locale : kLocales) {
        for (const auto& [text, expected] : cases) {
            const auto cost = readCost(text, locale);
            ASSERT_TRUE(cost) << text << " in " << locale.decimalSeparator;
            EXPECT_EQ(formatAmount(cost->amount, cost->decimals, kPlain), expected) << text;
            EXPECT_FALSE(cost->currency) << text;
        }
    }

    // A single separator before exactly three digits: the locale decides.
    EXPECT_EQ(units("1,234", kEnUs), 12'340'000);
    EXPECT_EQ(units("1.234", kEnUs), 12'340);
    EXPECT_EQ(units("1.234", kDeDe), 12'340'000);
    EXPECT_EQ(units("1,234", kDeDe), 12'340);
    EXPECT_EQ(units("1,500", kFrFr), 15'000);
    EXPECT_EQ(units("1.500", kFrFr), std::nullopt) << "1.5 or 1500: neither is French";
    EXPECT_EQ(units("1.500", kDeCh), 15'000);
    EXPECT_EQ(units("1,500", kDeCh), std::nullopt);
    EXPECT_EQ(units("-12.000", kDeDe), -120'000'000);

    // A locale's own separators and sign, where they are none of the usual characters.
    const NumberFormat arabic{"\u066B", "\u066C", "\u061C-"};
    EXPECT_EQ(units("1\u066C234\u066B5", arabic), 12'345'000);
    EXPECT_EQ(units("\u061C-5", arabic), -50'000);
    EXPECT_EQ(units("1\u066B2\u066B3", arabic), std::nullopt);
}

TEST(CostReading, KeepsTheCurrencyAsAndWhereItWasTyped) {
    struct Case {
        std::string_view text;
        std::int64_t units;
        std::string_view sign;
        bool before;
        std::string_view gap;
    };
    for (const Case& c : std::initializer_list<Case>{{"$ 199.99", 1'999'900, "$", true, " "},
                                                     {"$199.99", 1'999'900, "$", true, ""},
                                                     {"1,234.50 EUR", 12'345'000, "EUR", false, " "},
                                                     {"USD5", 50'000, "USD", true, ""},
                                                     {"\u20AC12", 120'000, "\u20AC", true, ""},
                                                     {"12 \u20AC", 120'000, "\u20AC", false, " "},
                                                     {"12\u00A0\u20AC", 120'000, "\u20AC", false, "\u00A0"},
                                                     {"1 234,50  \u20AC", 12'345'000, "\u20AC", false, "  "},
                                                     {"\u00A3 40", 400'000, "\u00A3", true, " "},
                                                     {"40 kr", 400'000, "kr", false, " "},
                                                     {"kr. 40", 400'000, "kr.", true, " "},
                                                     {"1 234,50 z\u0142", 12'345'000, "z\u0142", false, " "},
                                                     {"US$5", 50'000, "US$", true, ""},
                                                     {"\u00A51,000", 10'000'000, "\u00A5", true, ""},
                                                     {"5 euros", 50'000, "euros", false, " "},
                                                     {"-$5", -50'000, "$", true, ""},
                                                     {"$ -5", -50'000, "$", true, " "},
                                                     {"\u2212 5 \u20AC", -50'000, "\u20AC", false, " "}}) {
        const auto cost = readCost(c.text, kEnUs);
        ASSERT_TRUE(cost) << c.text;
        EXPECT_EQ(static_cast<std::int64_t>(cost->amount.units()), c.units) << c.text;
        ASSERT_TRUE(cost->currency) << c.text;
        EXPECT_EQ(cost->currency->sign, c.sign) << c.text;
        EXPECT_EQ(cost->currency->before, c.before) << c.text;
        EXPECT_EQ(cost->currency->gap, c.gap) << c.text;
    }
}

TEST(CostReading, AnythingButOneNumberWithAtMostACurrencyIsNotANumber) {
    for (const NumberFormat& locale : kLocales) {
        for (std::string_view text :
             {"", "   ", "about 40", "ca. 40", "40 or so", "12-15", "12 - 15", "12 15", "12 \u2013 15",
              "free", "twelve", "1.2.3", "1,2,3", "\u221E", "NaN", "nan", "inf", "INF", "1e9", "1E9", "0x10",
              "$", "EUR", "-", "--5", "-$-5", "+-5", "$ 5 USD", "5 $ 6", "$$5", "1,,234", "1..5", "1.", "5 .",
              "1. 5", "12,34,56", "1,2345,678", "1.234,567.89", "1,234.567,89", "1 234.5 678", "0,123,456",
              "1 234,567 8", "1'234,567'8", "12.34567", "1234567890123456", "1,234,567,890,123,456", "(5)",
              "5%", "5/2", "\u00BD", "12 pcs", "12 Pcs.", "5 EURO2", ",-", "12,-15", "12,---", "5-", "5 -",
              // Arabic-Indic and full-width digits, a zero-width space between digits
              "\u0663", "\uFF11\uFF12", "1\u200B2"})
            EXPECT_EQ(units(text, locale), std::nullopt) << "'" << text << "' in " << locale.groupSeparator;
    }
}

TEST(CostReading, BoundsTheMagnitudeAtFifteenIntegerDigits) {
    const auto largest = readCost("-999 999 999 999 999.9999", kFrFr);
    ASSERT_TRUE(largest);
    const Amount::Units expected = -(static_cast<Amount::Units>(999'999'999'999'999) * 10'000 + 9'999);
    EXPECT_TRUE(largest->amount.units() == expected);
    EXPECT_FALSE(readCost("1 000 000 000 000 000", kFrFr));
    EXPECT_FALSE(readCost("0.00001", kEnUs)) << "a fifth decimal would have to be rounded away";
}

TEST(CostReading, HostileTextIsNotANumberAndReadingItIsSafe) {
    using namespace std::string_literals;
    // Control characters; a euro sign cut short, an overlong '$' and ',', a surrogate, bytes
    // that start nothing, a value past U+10FFFF; long runs.
    for (const std::string& text :
         {"12\x01"s, "1\0"s, "\0"s + "5", "12\x7F"s, "12\u0085"s, "12\n"s, "\r5"s, "12 \xE2\x82"s,
          "\xC0\xA4"s + "5", "\xE0\x81\xAC"s, "5\xED\xA0\x80"s, "\xFF"s + "5", "5\x80"s,
          "\xF4\x90\x80\x80"s + "5", std::string(1'000'000, '9'), std::string(1'000'000, ','),
          std::string(1'000'000, '\xE2'), "1" + std::string(500'000, ',') + "0"})
        EXPECT_FALSE(readCost(text, kEnUs)) << text.substr(0, 20);

    // Padding and leading zeros are not digits that count.
    EXPECT_EQ(units(std::string(100'000, ' ') + "7" + std::string(100'000, ' '), kEnUs), 70'000);
    EXPECT_EQ(units(std::string(100'000, '0') + "7", kEnUs), 70'000);
    std::string grouped = "1";
    for (int i = 0; i < 1'000; ++i)
        grouped += ",000";
    EXPECT_FALSE(readCost(grouped, kEnUs));

    // Whatever random text of these pieces reads as, it stays in bounds.
    const std::string pieces[] = {"1",      "23", "456", ".",      ",",    " ",
                                  "\u00A0", "'",  "-",   "\u2212", "$",    "\u20AC",
                                  "EUR",    "kr", "e",   "\xE2",   "\x82", std::string(1, '\0'),
                                  "\t",     "0"};
    std::mt19937 random(20240611);
    const Amount::Units bound = static_cast<Amount::Units>(1'000'000'000'000'000) * Amount::kUnitsPerWhole;
    int read = 0;
    for (int n = 0; n < 20'000; ++n) {
        std::string text;
        const int count = std::uniform_int_distribution(0, 8)(random);
        for (int i = 0; i < count; ++i)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
        if (const auto cost = readCost(text, kLocales[n % std::size(kLocales)])) {
            ++read;
            EXPECT_TRUE(cost->amount.units() < bound && cost->amount.units() > -bound) << text;
            EXPECT_TRUE(cost->decimals >= 0 && cost->decimals <= Amount::kDecimals) << text;
        }
    }
    EXPECT_GT(read, 100) << "the pieces should make numbers now and then";
}
