#pragma once
// The total of one system's costs. A present part whose cost was never typed, is blank or
// does not read as a number is not priced: there is nothing to add for it, and the total
// says how many such parts it leaves out rather than counting them as 0.

#include <optional>
#include <string>

#include "catalogue/CostReading.h"

namespace bw::catalogue {

class CostTotal {
public:
    // One present part; nothing when its cost does not read as a number.
    void add(const std::optional<Cost>& cost);

    Amount sum() const { return sum_; }
    int pricedParts() const { return priced_; }
    int notPricedParts() const { return notPriced_; }
    // The currency of every priced part, placed as the first of them placed it; nothing when
    // one carries another currency or none.
    std::optional<Currency> currency() const;
    // 2, or more when a cost was typed with more.
    int decimals() const { return decimals_; }

private:
    Amount sum_;
    int priced_ = 0;
    int notPriced_ = 0;
    int decimals_ = 2;
    std::optional<Currency> currency_;
    bool oneCurrency_ = true;
};

// The sum in the locale's way, with the shared currency where the user put it:
// "$ 1,234.50", "1.234,50 €", "-$5.00".
std::string formatTotal(const CostTotal& total, const NumberFormat& format);

// "1 part not priced", "2 parts not priced"; empty for none.
std::string notPricedNote(int parts);

// "Total $ 1,234.50", "Total 1,234.50 (2 parts not priced)".
std::string totalLabel(const CostTotal& total, const NumberFormat& format);

} // namespace bw::catalogue
