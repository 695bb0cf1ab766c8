#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "catalogue/CostTotal.h"

using namespace bw::catalogue;

namespace {

const NumberFormat kEnUs{".", ",", "-"};
const NumberFormat kDeDe{",", ".", "-"};
const NumberFormat kFrFr{",", "\u202F", "\u2212"};

CostTotal totalOf(std::initializer_list<std::optional<std::string>> costs, const NumberFormat& format) {
    CostTotal total;
    for (const auto& cost : costs)
        total.add(cost ? readCost(*cost, format) : std::nullopt);
    return total;
}

} // namespace

TEST(CostTotal, AmountsAreWrittenInTheLocaleWithoutRounding) {
    const auto units = [](long long u) { return Amount::fromUnits(u); };
    EXPECT_EQ(formatAmount(units(12'345'000), 2, kEnUs), "1,234.50");
    EXPECT_EQ(formatAmount(units(12'345'000), 2, kDeDe), "1.234,50");
    EXPECT_EQ(formatAmount(units(12'345'670'000), 2, kFrFr), "1\u202F234\u202F567,00");
    EXPECT_EQ(formatAmount(units(-9'990'000), 2, kFrFr), "\u2212999,00");
    EXPECT_EQ(formatAmount(units(0), 2, kEnUs), "0.00");
    EXPECT_EQ(formatAmount(units(1'250), 2, kEnUs), "0.125") << "a third decimal is kept";
    EXPECT_EQ(formatAmount(units(1), 0, kEnUs), "0.0001");
    EXPECT_EQ(formatAmount(units(1'234'560'000), 0, kEnUs), "123,456");
    EXPECT_EQ(formatAmount(units(1'234'560'000), 9, kEnUs), "123,456.0000");
    EXPECT_EQ(formatAmount(units(1'234'560'000), 1, {".", "", "-"}), "123456.0");
    EXPECT_EQ(formatAmount(units(999'990'000), -3, kEnUs), "99,999");
}

TEST(CostTotal, SumsPricedPartsAndCountsTheOthers) {
    // Never typed, blank and unreadable costs are all not priced; a 0 is a price.
    const CostTotal total = totalOf({"199.99", std::nullopt, "", "about 40", "0", "1 234,50", "-5"}, kEnUs);
    EXPECT_EQ(total.sum(), Amount::fromUnits(14'294'900));
    EXPECT_EQ(total.pricedParts(), 4);
    EXPECT_EQ(total.notPricedParts(), 3);
    EXPECT_EQ(totalLabel(total, kEnUs), "Total 1,429.49 (3 parts not priced)");
    EXPECT_EQ(totalLabel(totalOf({"12", "NaN"}, kEnUs), kEnUs), "Total 12.00 (1 part not priced)");
    EXPECT_EQ(totalLabel(totalOf({"12,5", "0,125"}, kDeDe), kDeDe), "Total 12,625");
    EXPECT_EQ(totalLabel(totalOf({std::nullopt, "free"}, kEnUs), kEnUs), "Total 0.00 (2 parts not priced)");
    EXPECT_EQ(totalLabel(CostTotal(), kEnUs), "Total 0.00");
    EXPECT_EQ(totalLabel(totalOf({"5", "-12.50"}, kEnUs), kEnUs), "Total -7.50");
    EXPECT_EQ(notPricedNote(0), "");
}

TEST(CostTotal, NamesTheCurrencyOnlyWhenEveryPricedPartSharesIt) {
    struct Case {
        std::initializer_list<std::optional<std::string>> costs;
        const NumberFormat& format;
        std::string label;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{"$ 199.99", "$1,034.51", std::nullopt}, kEnUs, "Total $ 1,234.50 (1 part not priced)"},
             {{"1.000 \u20AC", "234,50\u20AC"}, kDeDe, "Total 1.234,50 \u20AC"},
             {{"1 000\u00A0\u20AC", "234,5 \u20AC", "zu teuer"},
              kFrFr,
              "Total 1\u202F234,50\u00A0\u20AC (1 part not priced)"},
             {{"EUR 5", "EUR -12"}, kEnUs, "Total -EUR 7.00"},
             {{"\u22125 \u20AC"}, kFrFr, "Total \u22125,00 \u20AC"},
             {{"$ 5", "5 \u20AC"}, kEnUs, "Total 10.00"},
             {{"$ 5", "US$ 5"}, kEnUs, "Total 10.00"},
             {{"$ 5", "5"}, kEnUs, "Total 10.00"},
             {{"5", "$ 5"}, kEnUs, "Total 10.00"},
             {{"5 kr", "7kr", "kr 1"}, kEnUs, "Total 13.00 kr"},
         }) {
        EXPECT_EQ(totalLabel(totalOf(c.costs, c.format), c.format), c.label);
    }
    const CostTotal euros = totalOf({"5 \u20AC", "bald", "6\u20AC"}, kDeDe);
    ASSERT_TRUE(euros.currency());
    EXPECT_EQ(euros.currency()->sign, "\u20AC");
    EXPECT_FALSE(totalOf({"bald"}, kDeDe).currency()) << "nothing priced, no currency";
}

TEST(CostTotal, TheLargestCostsOfAFullStoreAddUpWithoutOverflow) {
    const auto largest = readCost("$ 999,999,999,999,999.9999", kEnUs);
    const auto smallest = readCost("-$ 999,999,999,999,999.9999", kEnUs);
    ASSERT_TRUE(largest && smallest);
    constexpr long long kCosts = 172LL * 32'767;
    CostTotal up, down;
    for (long long i = 0; i < kCosts; ++i) {
        up.add(largest);
        down.add(smallest);
    }
    EXPECT_TRUE(up.sum().units() == largest->amount.units() * kCosts);
    EXPECT_EQ(formatTotal(up, kEnUs), "$ 5,635,923,999,999,999,999,436.4076");
    EXPECT_EQ(formatTotal(down, kEnUs), "-$ 5,635,923,999,999,999,999,436.4076");
}
