#include "catalogue/CostTotal.h"

#include <algorithm>

namespace bw::catalogue {

void CostTotal::add(const std::optional<Cost>& cost) {
    if (!cost) {
        ++notPriced_;
        return;
    }
    if (priced_ == 0)
        currency_ = cost->currency;
    else if (currency_.has_value() != cost->currency.has_value() ||
             (currency_ && currency_->sign != cost->currency->sign))
        oneCurrency_ = false;
    ++priced_;
    sum_ += cost->amount;
    decimals_ = std::max(decimals_, cost->decimals);
}

std::optional<Currency> CostTotal::currency() const { return oneCurrency_ ? currency_ : std::nullopt; }

std::string formatTotal(const CostTotal& total, const NumberFormat& format) {
    const auto currency = total.currency();
    if (!currency) return formatAmount(total.sum(), total.decimals(), format);
    const bool negative = total.sum() < Amount();
    const std::string digits = formatAmount(negative ? -total.sum() : total.sum(), total.decimals(), format);
    const std::string sign = negative ? format.negativeSign : std::string();
    if (currency->before) return sign + currency->sign + currency->gap + digits;
    return sign + digits + currency->gap + currency->sign;
}

std::string notPricedNote(int parts) {
    if (parts <= 0) return {};
    return std::to_string(parts) + (parts == 1 ? " part" : " parts") + " not priced";
}

std::string totalLabel(const CostTotal& total, const NumberFormat& format) {
    std::string label = "Total " + formatTotal(total, format);
    if (total.notPricedParts() > 0) label += " (" + notPricedNote(total.notPricedParts()) + ")";
    return label;
}

} // namespace bw::catalogue
