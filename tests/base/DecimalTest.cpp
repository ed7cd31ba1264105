#include "base/Decimal.h"

#include <gtest/gtest.h>

namespace base {
namespace {

Decimal D(const char* text) {
    return Decimal::Parse(text).value();
}

TEST(Decimal, ParsesTypedTextWithCommasSignAndDecimals) {
    EXPECT_EQ(D("1,500.00"), Decimal::FromInteger(1500));
    EXPECT_EQ(D(" -2.5 "), -D("2.5"));
    EXPECT_EQ(D("+.5"), D("0.5"));
    EXPECT_EQ(D("7."), Decimal::FromInteger(7));
    EXPECT_EQ(D("0.123456785"), D("0.12345679"));  // beyond eight decimals: half away from zero
    for (const char* bad : {"", " ", ".", "-", "1.2.3", "1e3", "12a", "--1", "1 2", "$5"})
        EXPECT_FALSE(Decimal::Parse(bad)) << bad;
    EXPECT_FALSE(IsNumber("abc"));
    EXPECT_TRUE(IsNumber("1,2,3"));  // commas are removed before any conversion
    EXPECT_EQ(Decimal::ParseOrZero("BAD"), Decimal());
}

TEST(Decimal, ArithmeticIsExactAndRoundsHalfAwayFromZero) {
    EXPECT_EQ((D("2.5") * D("0.25")).Format("0.00"), "0.63");
    EXPECT_EQ((D("-2.5") * D("0.25")).Format("0.00"), "-0.63");
    EXPECT_EQ(D("1.005").Format("0.00"), "1.01");
    EXPECT_EQ((D("0.1") + D("0.2")).Format("0.00"), "0.30");
    EXPECT_EQ(D("10") - D("10.01"), D("-0.01"));
    EXPECT_EQ(D("2.675").Rounded(2), D("2.68"));
    EXPECT_EQ(D("-2.675").Rounded(2), D("-2.68"));
    EXPECT_EQ(D("1234.5678").Truncated(), 1234);
    EXPECT_EQ(D("-1234.5678").Truncated(), -1234);
    EXPECT_EQ(D("1").DividedBy(D("3"))->Format("0.00000000"), "0.33333333");
    EXPECT_EQ(D("-2").DividedBy(D("3"))->Format("0.00000000"), "-0.66666667");
    EXPECT_EQ(D("8.125").DividedBy(D("-100")), D("-0.08125"));
    EXPECT_FALSE(D("1").DividedBy(Decimal()));
    EXPECT_TRUE(D("-0.00").IsZero());
}

TEST(Decimal, HugeResultsStopAtTheEndsOfTheRangeInsteadOfWrapping) {
    const Decimal big = D("999999999999999999");
    Decimal product = big * big * big;
    EXPECT_FALSE(product.IsNegative());
    EXPECT_GT(product, big);
    Decimal negative = -(big * big * big);
    EXPECT_TRUE(negative.IsNegative());
    EXPECT_TRUE((negative * big).IsNegative());
    EXPECT_GT(product + product, big);
    EXPECT_FALSE(Decimal::Parse("1234567890123456789"));  // nineteen integer digits
}

TEST(Decimal, FormatsWithEachPattern) {
    const Decimal v = D("-1234567.891");
    EXPECT_EQ(v.Format("0.00"), "-1234567.89");
    EXPECT_EQ(v.Format(",0.00"), "-1,234,567.89");
    EXPECT_EQ(v.Format("#,0.00"), "-1,234,567.89");
    EXPECT_EQ(v.Format(",0.000"), "-1,234,567.891");
    EXPECT_EQ(v.Format("0"), "-1234568");
    EXPECT_EQ(D("1.5").Format("00.000"), "01.500");
    EXPECT_EQ(D("123.4567").Format("00.000"), "123.457");
    EXPECT_EQ(D("999.995").Format(",0.00"), "1,000.00");
    EXPECT_EQ(D("-0.004").Format("0.00"), "0.00");  // no minus on a value shown as zero
    EXPECT_EQ(Decimal().Format(",0.00"), "0.00");
}

TEST(Decimal, UnitPricesKeepTheDecimalsTheyWereTypedWith) {
    EXPECT_EQ(FormatUnitPrice("1500"), "1,500");
    EXPECT_EQ(FormatUnitPrice("1,500.5"), "1,500.5");
    EXPECT_EQ(FormatUnitPrice("2.50"), "2.50");
    EXPECT_EQ(FormatUnitPrice("0.1234"), "0.1234");
    EXPECT_EQ(FormatUnitPrice("0.12345"), "0.1235");  // at most four
    EXPECT_EQ(FormatUnitPrice("12."), "12");
    EXPECT_EQ(FormatUnitPrice(" n/a "), "n/a");
}

}  // namespace
}  // namespace base
