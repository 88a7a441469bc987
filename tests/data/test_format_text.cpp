#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "data/decimal_digits.h"
#include "data/format_text.h"

using quintara::Amount;
using quintara::DecimalDigits;
using quintara::formatText;

TEST(FormatTextNumbers, FixedAndGroupedWithWidthAndPrecision)
{
    EXPECT_EQ(formatText("%15.2n", {1234567.891}), "   1.234.567,89");
    EXPECT_EQ(formatText("%-6.2n|", {12}), "12,00 |");
    EXPECT_EQ(formatText("%10.9n", {1234.5}), "1.234,500000000");
    EXPECT_EQ(formatText("%15.9f", {1.5}), "    1,500000000");
    EXPECT_EQ(formatText("%19.2f", {Amount::parse("-1234,5")}), "           -1234,50");
    EXPECT_EQ(formatText("%n", {Amount::parse("-1234567,5")}), "-1.234.567,50");
    EXPECT_EQ(formatText("%.2n %.2n %.0n", {999, 1000, 123456789LL}), "999,00 1.000,00 123.456.789");
    EXPECT_EQ(formatText("%f", {2}), "2,00");
}

TEST(FormatTextNumbers, ZeroBeforeTheWidthIsNoPadFlag)
{
    EXPECT_EQ(formatText("%09.6n", {1.5}), " 1,500000");
    EXPECT_EQ(formatText("%05d", {42}), "   42");
}

TEST(FormatTextNumbers, RoundsHalfAwayFromZeroOnTheExactValue)
{
    EXPECT_EQ(formatText("%.2f", {Amount::parse("0,125")}), "0,13");
    EXPECT_EQ(formatText("%.2f", {Amount::parse("-0,125")}), "-0,13");
    EXPECT_EQ(formatText("%.2f", {Amount::parse("0,1249")}), "0,12");
    EXPECT_EQ(formatText("%.2f", {0.125}), "0,13");  // exact in binary
    EXPECT_EQ(formatText("%.2f", {2.675}), "2,67");  // binary value lies just below the half
    EXPECT_EQ(formatText("%.2f", {1.005}), "1,00");
    EXPECT_EQ(formatText("%.0f", {2.5}), "3");
    EXPECT_EQ(formatText("%.0f", {-2.5}), "-3");
    EXPECT_EQ(formatText("%.2f", {9.996}), "10,00");
    EXPECT_EQ(formatText("%.2n", {999999.996}), "1.000.000,00");
    EXPECT_EQ(formatText("%.2f", {-0.001}), "0,00");
}

// The short rounding path must agree with rounding the full exact expansion,
// on exact halves (k/2^n) as well as on arbitrary binary values.
TEST(FormatTextNumbers, ShortRoundingAgreesWithTheFullExpansion)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> scale(-30, 30), places(0, 12), halves(1, 4000);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = places(random);
        long double value = (i % 2) ? std::ldexp(static_cast<long double>(unit(random)), scale(random))
                                    : static_cast<long double>(halves(random)) / std::pow(10.0L, decimals) +
                                          std::ldexp(1.0L, -decimals - 1) * ((i % 4) == 0 ? 0 : 1);
        if (i % 3 == 0) value = std::ldexp(static_cast<long double>(halves(random)), -scale(random) / 3 - 1);
        const DecimalDigits full = DecimalDigits::of(value);
        EXPECT_EQ(DecimalDigits::ofRounded(value, decimals).fixed(decimals, true), full.fixed(decimals, true))
            << static_cast<double>(value) << " with " << decimals;
    }
    // Values next to a half of the last place, where the product with the
    // power of ten is closest to its rounding boundary.
    std::uniform_int_distribution<long long> whole(0, 999999999);
    for (int i = 0; i < 5000; ++i) {
        const int decimals = places(random);
        const long double half = (static_cast<long double>(whole(random)) + 0.5L) / std::pow(10.0L, decimals);
        for (long double value : {half, std::nextafter(half, 0.0L), std::nextafter(half, 1e30L), -half}) {
            EXPECT_EQ(DecimalDigits::ofRounded(value, decimals).fixed(decimals, false),
                      DecimalDigits::of(value).fixed(decimals, false))
                << static_cast<double>(value) << " with " << decimals;
        }
    }
    // formatText's own path against the full expansion, numbers and amounts.
    std::uniform_int_distribution<std::int64_t> raw(-99999999999999, 99999999999999);
    for (int i = 0; i < 5000; ++i) {
        const int decimals = places(random) % 7;
        const std::string pattern = "%." + std::to_string(decimals) + (i % 2 ? "n" : "f");
        const long double value = std::ldexp(static_cast<long double>(unit(random)), scale(random));
        EXPECT_EQ(formatText(pattern, {value}), DecimalDigits::of(value).fixed(decimals, i % 2 == 1))
            << pattern;
        const Amount amount = Amount::fromRaw(raw(random) >> (i % 40));
        EXPECT_EQ(formatText(pattern, {amount}), DecimalDigits::of(amount).fixed(decimals, i % 2 == 1))
            << pattern;
    }
    EXPECT_EQ(formatText("%.1f", {0.25}), "0,3");
    EXPECT_EQ(formatText("%.2f", {-2.675}), "-2,67");  // binary value lies below the half
    EXPECT_EQ(formatText("%.0f", {2.5}), "3");
}

TEST(FormatTextNumbers, GeneralAndScientificForms)
{
    EXPECT_EQ(formatText("%10g", {30.0}), "        30");
    EXPECT_EQ(formatText("%g", {0.1}), "0,1");
    EXPECT_EQ(formatText("%g", {1234.5}), "1234,5");
    EXPECT_EQ(formatText("%g", {-0.00001}), "-0,00001");
    EXPECT_EQ(formatText("%g", {0.0}), "0");
    EXPECT_EQ(formatText("%g", {Amount::parse("1,5")}), "1,5");
    EXPECT_EQ(formatText("%g", {1e20}), "1E+020");
    EXPECT_EQ(formatText("%g", {1.5e-7}), "1,5E-007");
    EXPECT_EQ(formatText("%g", {123456789012345678.0}), "1,23456789012346E+017");
    EXPECT_EQ(formatText("%g", {999999999999999.9}), "1E+015");
    EXPECT_EQ(formatText("%.3g", {1234.5}), "1,23E+003");
    EXPECT_EQ(formatText("%e", {1234.5}), "1,23450000000000E+003");
    EXPECT_EQ(formatText("%.3e", {-0.0012345}), "-1,23E-003");
    EXPECT_EQ(formatText("%.3e", {0.0}), "0,00E+000");
}

TEST(FormatTextOther, IntegersTextsAndLiterals)
{
    EXPECT_EQ(formatText("%d|%5d|%-5d|%.3d", {42, -7, 8, 7}), "42|   -7|8    |007");
    EXPECT_EQ(formatText("100%% de %s", {"juros"}), "100% de juros");
    EXPECT_EQ(formatText("[%-6s][%6s][%.3s]", {"Ação", "Ação", "Ação"}), "[Ação  ][  Ação][Açã]");
    EXPECT_EQ(formatText("%s", {std::string("a%b")}), "a%b");
    EXPECT_EQ(formatText("%d", {std::size_t{12}}), "12");
    EXPECT_THROW(formatText("%d", {~0ULL}), std::overflow_error);
}

TEST(FormatTextOther, MemoLineKeepsItsWidth)
{
    const std::string line =
        formatText("%-20s=%1s%-6.2na.a. em %10g dias [%-8s]= %4s%15.2n",
                   {"Juros Ordinários", "%", 12.0, 30.0, "SIMPLES", "R$", Amount::parse("1234,5")});
    EXPECT_EQ(line, "Juros Ordinários    =%12,00 a.a. em         30 dias [SIMPLES ]=   R$       1.234,50");
}

TEST(FormatTextOther, WrongArgumentsAndPatternsThrow)
{
    EXPECT_THROW(formatText("%d", {1.5}), std::invalid_argument);
    EXPECT_THROW(formatText("%d", {Amount::parse("1")}), std::invalid_argument);
    EXPECT_THROW(formatText("%s", {1}), std::invalid_argument);
    EXPECT_THROW(formatText("%f", {"1,5"}), std::invalid_argument);
    EXPECT_THROW(formatText("%s %s", {"a"}), std::invalid_argument);
    EXPECT_THROW(formatText("%5", {1}), std::invalid_argument);
    EXPECT_THROW(formatText("%x", {1}), std::invalid_argument);
    EXPECT_THROW(formatText("%f", {std::numeric_limits<double>::infinity()}), std::invalid_argument);
}
