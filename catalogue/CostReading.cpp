#include "catalogue/CostReading.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "catalogue/Utf8.h"

namespace bw::catalogue {

namespace {

enum class Mark { Dot, Comma, Space, Apostrophe, LocaleDecimal, LocaleGroup };

// Currency names that are neither a symbol nor three capitals.
constexpr std::string_view kCurrencyWords[] = {
    "kr",  "kr.",  "Kr",   "Kr.",  "Fr",    "Fr.",   "zł",     "Zł",     "zl",      "Kč",     "Kc",  "Ft",
    "lei", "Lei",  "Rs",   "Rs.",  "R",     "RM",    "Rp",     "TL",     "лв",      "лв.",    "руб", "руб.",
    "грн", "euro", "Euro", "EURO", "euros", "Euros", "dollar", "Dollar", "dollars", "Dollars"};

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u00A0' || c == U'\u2007' || c == U'\u2009' || c == U'\u202F';
}
bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isCapital(char32_t c) { return c >= U'A' && c <= U'Z'; }

bool isCurrencySymbol(char32_t c) {
    switch (c) {
    case U'$':
    case U'\u00A2': // ¢
    case U'\u00A3': // £
    case U'\u00A4': // ¤
    case U'\u00A5': // ¥
    case U'\u058F': // ֏
    case U'\u060B': // ؋
    case U'\u09F2':
    case U'\u09F3': // ৳
    case U'\u0AF1':
    case U'\u0BF9':
    case U'\u0E3F': // ฿
    case U'\u17DB': // ៛
    case U'\uFDFC': // ﷼
    case U'\uFE69':
    case U'\uFF04':
    case U'\uFFE0':
    case U'\uFFE1':
    case U'\uFFE5':
    case U'\uFFE6':
        return true;
    default:
        return c >= U'\u20A0' && c <= U'\u20C0'; // the currency symbols block, € ₹ ₽ ₩ ...
    }
}

// Letters that may make up a currency word: Latin, Greek and Cyrillic. Enough to find where
// a word ends; only listed words count.
bool isWordLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || isCapital(c) ||
           (c >= U'\u00C0' && c <= U'\u024F' && c != U'\u00D7' && c != U'\u00F7') ||
           (c >= U'\u0370' && c <= U'\u052F');
}

std::u32string decoded(std::string_view text) {
    std::u32string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto character = utf8::decodeAt(text, at);
        if (!character) return {};
        out += character->codePoint;
        at += character->length;
    }
    return out;
}

struct Sign {
    std::size_t length = 0;
    bool negative = false;
};

// The digits and separators of one number, split: runs.size() == marks.size() + 1.
struct Digits {
    std::vector<std::string> runs;
    std::vector<Mark> marks;
    bool leadingMark = false; // ".5"
    bool dashEnding = false;  // "12,-"
};

class CostReader {
public:
    CostReader(std::string_view text, const NumberFormat& format)
        : text_(text), format_(format), decimal_(decoded(format.decimalSeparator)),
          group_(decoded(format.groupSeparator)), negative_(decoded(format.negativeSign)) {}

    std::optional<Cost> read();

private:
    char32_t at(std::size_t i) const { return i < end_ ? chars_[i] : U'\0'; }
    bool decode();
    bool startsWith(std::size_t i, const std::u32string& part) const;
    std::size_t skipSpaces(std::size_t i) const;
    Sign signAt(std::size_t i) const;
    std::size_t currencyAt(std::size_t i) const;
    std::optional<Mark> markAt(std::size_t i, std::size_t& length) const;
    std::string bytes(std::size_t from, std::size_t to) const;
    std::optional<Digits> digitsFrom(std::size_t& i) const;
    std::optional<Cost> valueOf(const Digits& digits) const;

    std::string_view text_;
    const NumberFormat& format_;
    std::u32string decimal_, group_, negative_;
    std::vector<char32_t> chars_;
    std::vector<std::size_t> offsets_; // byte offset of each character, and of the end
    std::size_t end_ = 0;
};

bool CostReader::decode() {
    for (std::size_t at = 0; at < text_.size();) {
        const auto character = utf8::decodeAt(text_, at);
        if (!character) return false;
        chars_.push_back(character->codePoint);
        offsets_.push_back(at);
        at += character->length;
    }
    offsets_.push_back(text_.size());
    return true;
}

bool CostReader::startsWith(std::size_t i, const std::u32string& part) const {
    if (part.empty() || end_ - std::min(i, end_) < part.size()) return false;
    return std::equal(part.begin(), part.end(), chars_.begin() + static_cast<std::ptrdiff_t>(i));
}

std::size_t CostReader::skipSpaces(std::size_t i) const {
    while (i < end_ && isSpace(chars_[i]))
        ++i;
    return i;
}

Sign CostReader::signAt(std::size_t i) const {
    if (at(i) == U'-' || at(i) == U'\u2212') return {1, true};
    if (at(i) == U'+') return {1, false};
    if (startsWith(i, negative_)) return {negative_.size(), true};
    return {};
}

std::size_t CostReader::currencyAt(std::size_t i) const {
    std::size_t j = i;
    while (j < end_ && j - i < 3 && isCapital(chars_[j]))
        ++j;
    if (isCurrencySymbol(at(j))) return j - i + 1;

    std::size_t k = i;
    while (k < end_ && isWordLetter(chars_[k]))
        ++k;
    if (k == i) return 0;
    if (k - i == 3 && std::all_of(chars_.begin() + static_cast<std::ptrdiff_t>(i),
                                  chars_.begin() + static_cast<std::ptrdiff_t>(k), isCapital))
        return 3;
    const auto listed = [](const std::string& word) {
        return std::find(std::begin(kCurrencyWords), std::end(kCurrencyWords), word) !=
               std::end(kCurrencyWords);
    };
    if (at(k) == U'.' && listed(bytes(i, k + 1))) return k - i + 1;
    return listed(bytes(i, k)) ? k - i : 0;
}

std::optional<Mark> CostReader::markAt(std::size_t i, std::size_t& length) const {
    length = 1;
    const char32_t c = at(i);
    if (c == U'.') return Mark::Dot;
    if (c == U',') return Mark::Comma;
    if (isSpace(c)) return Mark::Space;
    if (c == U'\'' || c == U'\u2019') return Mark::Apostrophe;
    if (startsWith(i, decimal_)) {
        length = decimal_.size();
        return Mark::LocaleDecimal;
    }
    if (startsWith(i, group_)) {
        length = group_.size();
        return Mark::LocaleGroup;
    }
    return std::nullopt;
}

std::string CostReader::bytes(std::size_t from, std::size_t to) const {
    return std::string(text_.substr(offsets_[from], offsets_[to] - offsets_[from]));
}

// Reads digits and separators from i on, leaving i after them; spaces that end them are
// left for the currency's gap.
std::optional<Digits> CostReader::digitsFrom(std::size_t& i) const {
    struct Token {
        std::size_t begin;
        std::optional<Mark> mark; // nothing for a run of digits
        std::string run;
    };
    std::vector<Token> tokens;
    while (i < end_) {
        std::size_t length = 0;
        if (isDigit(chars_[i])) {
            Token token{i, std::nullopt, {}};
            for (; i < end_ && isDigit(chars_[i]); ++i)
                token.run += static_cast<char>(chars_[i]);
            tokens.push_back(std::move(token));
        } else if (const auto mark = markAt(i, length)) {
            tokens.push_back({i, mark, {}});
            i += length;
        } else {
            break;
        }
    }
    while (!tokens.empty() && tokens.back().mark == Mark::Space) {
        i = tokens.back().begin;
        tokens.pop_back();
    }
    if (tokens.empty()) return std::nullopt;
    for (std::size_t t = 1; t < tokens.size(); ++t)
        if (tokens[t].mark && tokens[t - 1].mark) return std::nullopt; // "1,,5", "1. 5"

    Digits digits;
    digits.leadingMark = tokens.front().mark.has_value();
    if (tokens.back().mark) {
        if (at(i) != U'-' || digits.leadingMark) return std::nullopt;
        digits.dashEnding = true;
        i += at(i + 1) == U'-' ? 2 : 1;
    }
    if (digits.leadingMark) digits.runs.emplace_back();
    for (const Token& token : tokens) {
        if (token.mark)
            digits.marks.push_back(*token.mark);
        else
            digits.runs.push_back(token.run);
    }
    if (digits.dashEnding) digits.runs.emplace_back();
    return digits;
}

std::optional<Cost> CostReader::valueOf(const Digits& digits) const {
    const std::vector<Mark>& marks = digits.marks;
    const std::vector<std::string>& runs = digits.runs;
    const std::size_t last = marks.size() - 1; // used only when there are marks

    const auto count = [&](Mark kind) { return std::count(marks.begin(), marks.end(), kind); };
    const auto dots = count(Mark::Dot), commas = count(Mark::Comma);
    std::optional<std::size_t> decimal;
    if (digits.leadingMark) {
        if (marks.size() != 1) return std::nullopt;
        decimal = 0;
    } else if (digits.dashEnding || count(Mark::LocaleDecimal) > 0 || (dots > 0 && commas > 0)) {
        decimal = last;
    } else if (dots + commas == 1) {
        const auto k =
            static_cast<std::size_t>(std::find_if(marks.begin(), marks.end(),
                                                  [](Mark m) { return m == Mark::Dot || m == Mark::Comma; }) -
                                     marks.begin());
        const bool couldGroup = runs[k + 1].size() == 3 && k == 0 && runs[0].size() <= 3 && runs[0][0] != '0';
        if (k == last && !couldGroup) {
            decimal = k;
        } else if (k == last) {
            const std::string character = marks[k] == Mark::Dot ? "." : ",";
            if (format_.decimalSeparator == character)
                decimal = k;
            else if (format_.groupSeparator != character)
                return std::nullopt; // "1.500" where '.' means nothing: 1.5 or 1500?
        }
    }

    if (decimal) {
        const Mark m = marks[*decimal];
        if (*decimal != last || (m != Mark::Dot && m != Mark::Comma && m != Mark::LocaleDecimal))
            return std::nullopt;
    }
    const std::size_t groups = decimal ? *decimal : marks.size();
    for (std::size_t g = 0; g < groups; ++g)
        if (marks[g] != marks[0] || marks[g] == Mark::LocaleDecimal) return std::nullopt;
    if (groups > 0) {
        const auto sized = [&](std::size_t from, std::size_t to, std::size_t size) {
            return std::all_of(runs.begin() + static_cast<std::ptrdiff_t>(from),
                               runs.begin() + static_cast<std::ptrdiff_t>(to),
                               [size](const std::string& run) { return run.size() == size; });
        };
        const std::string& first = runs[0];
        if (first.empty() || first.size() > 3 || first[0] == '0') return std::nullopt;
        const bool thousands = sized(1, groups + 1, 3);
        const bool lakhs =
            groups >= 2 && first.size() <= 2 && sized(1, groups, 2) && runs[groups].size() == 3;
        if (!thousands && !lakhs) return std::nullopt;
    }

    std::string whole;
    for (std::size_t r = 0; r <= groups; ++r)
        whole += runs[r];
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    const std::string fraction = decimal ? runs[*decimal + 1] : std::string();
    if (whole.size() > kMostIntegerDigits || fraction.size() > Amount::kDecimals) return std::nullopt;

    Cost cost;
    cost.decimals = static_cast<int>(fraction.size());
    Amount::Units units = 0;
    for (char d : whole + fraction + std::string(Amount::kDecimals - fraction.size(), '0'))
        units = units * 10 + (d - '0');
    cost.amount = Amount::fromUnits(units);
    return cost;
}

std::optional<Cost> CostReader::read() {
    if (!decode()) return std::nullopt;
    end_ = chars_.size();
    while (end_ > 0 && isSpace(chars_[end_ - 1]))
        --end_;
    std::size_t i = skipSpaces(0);

    bool negative = false, signSeen = false;
    const auto takeSign = [&] {
        if (const Sign sign = signAt(i); sign.length > 0) {
            negative = sign.negative;
            signSeen = true;
            i = skipSpaces(i + sign.length);
        }
    };
    takeSign();
    std::optional<Currency> currency;
    if (const std::size_t length = currencyAt(i)) {
        const std::size_t number = skipSpaces(i + length);
        currency = Currency{bytes(i, i + length), true, bytes(i + length, number)};
        i = number;
        if (!signSeen) takeSign();
    }

    const auto digits = digitsFrom(i);
    if (!digits) return std::nullopt;
    auto cost = valueOf(*digits);
    if (!cost) return std::nullopt;

    if (!currency) {
        const std::size_t sign = skipSpaces(i);
        if (const std::size_t length = currencyAt(sign)) {
            currency = Currency{bytes(sign, sign + length), false, bytes(i, sign)};
            i = sign + length;
        }
    }
    if (i != end_) return std::nullopt;
    if (negative) cost->amount = -cost->amount;
    cost->currency = std::move(currency);
    return cost;
}

} // namespace

std::optional<Cost> readCost(std::string_view text, const NumberFormat& format) {
    return CostReader(text, format).read();
}

} // namespace bw::catalogue
