#pragma once
// Costs are free text, read leniently in the user's locale. A cost that is not one number
// with at most a currency is not a number; it never counts as 0.
//
// After surrounding spaces, a number is:
//  - an optional sign ('-', '+', U+2212 or the locale's negative sign), before the digits or
//    before a currency written first: "-5", "−5", "-$5", "$ -5", "- 5 €";
//  - at most one currency, before or after the digits, with or without spaces between:
//    a currency symbol ($ € £ ¥ ₹ ₽ ...), also after up to three capitals (US$, R$, HK$);
//    three capitals (EUR, USD, CHF); or one of a few local words (kr, Fr., zł, Kč, Ft, lei,
//    Rs, R, euro, dollar, ...);
//  - ASCII digits with separators. Spaces (no-break and thin ones too) and apostrophes
//    (' and ’) only group thousands. A '.' or ',' groups or is the decimal separator:
//      * when both appear, the last one is the decimal separator: "1.234,50", "1,234.50";
//      * one kind appearing more than once groups: "1,234,567";
//      * a single one is the decimal separator unless exactly three digits follow it; with
//        three digits it still is when other groups or more than three digits or a leading
//        0 precede it ("1 234.567", "1234,567", "0,500"). Otherwise the locale decides:
//        its group separator groups ("1,234" is 1234 in en_US, "1.234" in de_DE) and its
//        decimal separator does not ("1.500" is 1.5 in en_US); in a locale that uses the
//        character for neither ("1.500" in fr_FR) the text is ambiguous and not a number.
//    A first group has one to three digits and the rest three (or Indian lakhs: 1,23,45,678);
//    one number groups with one kind of separator. The locale's own separators are also
//    understood when they are none of these characters.
//  - at most 4 decimals and 15 integer digits, leading zeros aside; ",-" or ",--" in place
//    of decimals ("12,-") means none.
// Words, ranges, several numbers, exponents, other digits, control characters and text that
// is not valid UTF-8 are not a number.

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Amount.h"

namespace bw::catalogue {

inline constexpr int kMostIntegerDigits = 15;

// The currency as the user wrote it, kept for display.
struct Currency {
    std::string sign;    // "$", "€", "US$", "EUR", "kr."
    bool before = false; // written before the number
    std::string gap;     // what stood between them: "", " ", a no-break space...

    bool operator==(const Currency&) const = default;
};

struct Cost {
    Amount amount;
    int decimals = 0; // as many as were typed
    std::optional<Currency> currency;
};

std::optional<Cost> readCost(std::string_view text, const NumberFormat& format);

} // namespace bw::catalogue
