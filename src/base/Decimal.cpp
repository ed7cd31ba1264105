#include "base/Decimal.h"

#include <algorithm>
#include <limits>

#include "base/Text.h"

namespace base {

namespace {

using Units = __int128;

constexpr Units Power10(int n) {
    Units p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

constexpr Units kOne = Power10(Decimal::kDecimals);
constexpr Units kMax = std::numeric_limits<Units>::max();
// Far more integer digits than any record field holds, and few enough to never overflow.
constexpr int kMaxIntegerDigits = 18;

// Divides rounding half away from zero; `divisor` is positive.
Units DivideRounded(Units value, Units divisor) {
    const Units quotient = value / divisor;
    const Units remainder = value % divisor;
    const Units twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice >= divisor) return quotient + (value < 0 ? -1 : 1);
    return quotient;
}

std::string Digits(Units value) {  // value >= 0
    std::string out;
    do {
        out += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value > 0);
    std::reverse(out.begin(), out.end());
    return out;
}

struct Pattern {
    bool grouped = false;
    int integerDigits = 1;
    int decimals = 0;
};

Pattern ReadPattern(std::string_view text) {
    Pattern p;
    const std::size_t point = text.find('.');
    const std::string_view integerPart = text.substr(0, point);
    p.grouped = integerPart.find(',') != std::string_view::npos;
    p.integerDigits = std::max<int>(1, std::count(integerPart.begin(), integerPart.end(), '0'));
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        p.decimals =
            std::min<int>(Decimal::kDecimals, std::count(fraction.begin(), fraction.end(), '0'));
    }
    return p;
}

std::string Grouped(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

Decimal Decimal::FromInteger(long long value) {
    return Decimal(Units(value) * kOne);
}

Decimal Decimal::Saturated(bool negative) {
    return Decimal(negative ? -kMax : kMax);
}

std::optional<Decimal> Decimal::Parse(std::string_view text) {
    const std::string s = RemoveCommas(Trim(text));
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
    Units integer = 0;
    Units fraction = 0;
    int integerDigits = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool point = false;
    bool anyDigit = false;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!point) {
                if (integerDigits == kMaxIntegerDigits && integer > 0) return std::nullopt;
                integer = integer * 10 + (c - '0');
                if (integer > 0) ++integerDigits;
            } else if (fractionDigits < kDecimals) {
                fraction = fraction * 10 + (c - '0');
                ++fractionDigits;
            } else if (fractionDigits == kDecimals) {
                roundUp = c >= '5';  // the first digit beyond what is kept decides
                ++fractionDigits;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    Units units =
        integer * kOne + fraction * Power10(kDecimals - std::min(fractionDigits, kDecimals));
    if (roundUp) ++units;
    return Decimal(negative ? -units : units);
}

Decimal Decimal::ParseOrZero(std::string_view text) {
    return Parse(text).value_or(Decimal());
}

std::string Decimal::Format(std::string_view patternText) const {
    const Pattern pattern = ReadPattern(patternText);
    const Units scaled = DivideRounded(units_, Power10(kDecimals - pattern.decimals));
    const Units magnitude = scaled < 0 ? -scaled : scaled;
    const Units unit = Power10(pattern.decimals);
    std::string integer = Digits(magnitude / unit);
    if (static_cast<int>(integer.size()) < pattern.integerDigits)
        integer.insert(0, pattern.integerDigits - integer.size(), '0');
    std::string out = scaled < 0 ? "-" : "";
    out += pattern.grouped ? Grouped(integer) : integer;
    if (pattern.decimals > 0) {
        std::string fraction = Digits(magnitude % unit);
        fraction.insert(0, pattern.decimals - fraction.size(), '0');
        out += '.' + fraction;
    }
    return out;
}

Decimal Decimal::Rounded(int decimals) const {
    const Units step = Power10(kDecimals - std::clamp(decimals, 0, kDecimals));
    return Decimal(DivideRounded(units_, step) * step);
}

long long Decimal::Truncated() const {
    const Units whole = units_ / kOne;
    if (whole > std::numeric_limits<long long>::max()) return std::numeric_limits<long long>::max();
    if (whole < std::numeric_limits<long long>::min()) return std::numeric_limits<long long>::min();
    return static_cast<long long>(whole);
}

Decimal Decimal::operator-() const {
    return Decimal(-units_);
}

Decimal operator+(Decimal a, Decimal b) {
    Units sum;
    if (__builtin_add_overflow(a.units_, b.units_, &sum)) return Decimal::Saturated(a.units_ < 0);
    return Decimal(std::clamp(sum, -kMax, kMax));
}

Decimal operator-(Decimal a, Decimal b) {
    return a + (-b);
}

Decimal operator*(Decimal a, Decimal b) {
    Units product;
    if (__builtin_mul_overflow(a.units_, b.units_, &product))
        return Decimal::Saturated((a.units_ < 0) != (b.units_ < 0));
    return Decimal(DivideRounded(product, kOne));
}

std::optional<Decimal> Decimal::DividedBy(Decimal divisor) const {
    if (divisor.units_ == 0) return std::nullopt;
    Units numerator;
    if (__builtin_mul_overflow(units_, kOne, &numerator))
        return Saturated((units_ < 0) != (divisor.units_ < 0));
    const bool negativeDivisor = divisor.units_ < 0;
    const Units result =
        DivideRounded(numerator, negativeDivisor ? -divisor.units_ : divisor.units_);
    return Decimal(negativeDivisor ? -result : result);
}

bool IsNumber(std::string_view text) {
    return Decimal::Parse(text).has_value();
}

std::string FormatUnitPrice(std::string_view typed) {
    const std::string text = Trim(RemoveCommas(typed));
    const std::optional<Decimal> value = Decimal::Parse(text);
    if (!value) return Trim(typed);
    const std::size_t point = text.find('.');
    const int typedDecimals =
        point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    const int decimals = std::min(typedDecimals, 4);
    return value->Format(decimals == 0 ? ",0" : ",0." + std::string(decimals, '0'));
}

}  // namespace base
