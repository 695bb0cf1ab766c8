#include "catalogue/Amount.h"

#include <algorithm>

namespace bw::catalogue {

std::string formatAmount(Amount amount, int decimals, const NumberFormat& format) {
    const bool negative = amount.units() < 0;
    // Unsigned, so that the most negative value has a magnitude too.
    __extension__ typedef unsigned __int128 Magnitude;
    Magnitude magnitude = negative ? Magnitude{0} - static_cast<Magnitude>(amount.units())
                                   : static_cast<Magnitude>(amount.units());

    std::string fraction;
    for (int i = 0; i < Amount::kDecimals; ++i) {
        fraction.insert(fraction.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    }
    const auto shown = static_cast<std::size_t>(std::clamp(decimals, 0, Amount::kDecimals));
    const std::size_t needed = fraction.find_last_not_of('0') + 1; // 0 when all zeros
    fraction.resize(std::max(shown, needed));

    std::string whole;
    do {
        whole.insert(whole.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);

    std::string out;
    if (negative) out += format.negativeSign;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += format.groupSeparator;
        out += whole[i];
    }
    if (!fraction.empty()) out += format.decimalSeparator + fraction;
    return out;
}

} // namespace bw::catalogue
