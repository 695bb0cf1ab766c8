#pragma once
// Costs are added exactly: an amount is a whole number of ten-thousandths held in 128 bits.
// A cost that reads as a number is below 10^15 in magnitude (see CostReading.h), so one
// amount stays below 10^19 units and the total of every part of every system, 172 x 32767
// costs, below 6 x 10^25 units: far inside the 1.7 x 10^38 that 128 bits hold.

#include <compare>
#include <cstdint>
#include <string>

namespace bw::catalogue {

// How the user's locale writes numbers, as the application reads it from QLocale.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ","; // empty: digits are not grouped
    std::string negativeSign = "-";
};

class Amount {
public:
    static constexpr int kDecimals = 4;
    static constexpr std::int64_t kUnitsPerWhole = 10'000;
    __extension__ typedef __int128 Units;

    constexpr Amount() = default;
    static constexpr Amount fromUnits(Units units) {
        Amount amount;
        amount.units_ = units;
        return amount;
    }

    constexpr Units units() const { return units_; }

    constexpr Amount& operator+=(Amount other) {
        units_ += other.units_;
        return *this;
    }
    friend constexpr Amount operator+(Amount a, Amount b) { return a += b; }
    friend constexpr Amount operator-(Amount a) { return fromUnits(-a.units_); }
    constexpr bool operator==(const Amount&) const = default;
    constexpr auto operator<=>(const Amount&) const = default;

private:
    Units units_ = 0;
};

// The amount in the locale's way, grouped in thousands, with at least `decimals` decimals
// (0 to 4) and more where the amount has more: nothing is rounded away.
std::string formatAmount(Amount amount, int decimals, const NumberFormat& format);

} // namespace bw::catalogue
