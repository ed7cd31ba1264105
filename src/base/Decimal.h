#pragma once
// Exact decimal numbers for money, quantities, unit prices and rates. Amounts are kept as text in
// the records; they are parsed into a Decimal, computed exactly and formatted back with one of the
// program's patterns. Nothing here uses binary floating point, so 0.1 + 0.2 is 0.30 and 1.005
// rounds to 1.01.
//
// A Decimal holds eight decimals in a 128-bit integer. Rounding is always half away from zero.
// Results that would leave the range (far beyond any amount a record can hold) stop at the
// largest or smallest value instead of wrapping.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace base {

class Decimal {
public:
    static constexpr int kDecimals = 8;

    constexpr Decimal() = default;
    static Decimal FromInteger(long long value);

    // Text as a user types it or a record holds it: blanks around it ignored, commas removed, an
    // optional sign, digits with at most one decimal point (at least one digit). More than eight
    // decimals are rounded. Nothing for any other text.
    static std::optional<Decimal> Parse(std::string_view text);
    // The same, with zero for text that is not a number (running totals read this way).
    static Decimal ParseOrZero(std::string_view text);

    // Formats with a pattern of the form [#][,]0[0...][.0...]: a comma asks for thousands
    // separators, the zeros before the point give the least number of integer digits and the
    // zeros after it the number of decimals ("0.00", ",0.00", "#,0.00", ",0.000", "00.000", "0").
    // A value that rounds to zero shows no minus sign.
    std::string Format(std::string_view pattern) const;

    Decimal Rounded(int decimals) const;  // 0..8 decimals, half away from zero
    long long Truncated() const;          // the whole part, toward zero (clamped to long long)

    Decimal operator-() const;
    friend Decimal operator+(Decimal a, Decimal b);
    friend Decimal operator-(Decimal a, Decimal b);
    friend Decimal operator*(Decimal a, Decimal b);  // exact product rounded to eight decimals
    Decimal& operator+=(Decimal other) { return *this = *this + other; }
    Decimal& operator-=(Decimal other) { return *this = *this - other; }
    // Quotient rounded to eight decimals; nothing when dividing by zero.
    std::optional<Decimal> DividedBy(Decimal divisor) const;

    bool IsZero() const { return units_ == 0; }
    bool IsNegative() const { return units_ < 0; }
    friend std::strong_ordering operator<=>(const Decimal&, const Decimal&) = default;
    friend bool operator==(const Decimal&, const Decimal&) = default;

private:
    using Units = __int128;
    explicit constexpr Decimal(Units units) : units_(units) {}
    static Decimal Saturated(bool negative);

    Units units_ = 0;  // value × 10^8
};

// True when the text parses as a Decimal (the windows' "is this a number" test).
bool IsNumber(std::string_view text);

// A unit price shown with thousands separators and as many decimals as it was typed with, from
// none (",0") up to four (",0.0000"); text that is not a number is returned trimmed.
std::string FormatUnitPrice(std::string_view typed);

}  // namespace base
