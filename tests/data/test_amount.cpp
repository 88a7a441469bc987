#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "data/amount.h"

using quintara::Amount;

namespace {

Amount raw(std::int64_t r)
{
    return Amount::fromRaw(r);
}

}  // namespace

TEST(AmountParse, AcceptsDecimalCommaAndThousandsDots)
{
    EXPECT_EQ(Amount::parse("1.234,56").raw(), 12345600);
    EXPECT_EQ(Amount::parse("1234,56").raw(), 12345600);
    EXPECT_EQ(Amount::parse("-0,5").raw(), -5000);
    EXPECT_EQ(Amount::parse(" 12 ").raw(), 120000);
    EXPECT_EQ(Amount::parse("+3").raw(), 30000);
    EXPECT_EQ(Amount::parse("1.234.567,0001").raw(), 12345670001);
}

TEST(AmountParse, RoundsExtraDecimalsHalfToEvenOnTheExactDigits)
{
    EXPECT_EQ(Amount::parse("0,00005").raw(), 0);
    EXPECT_EQ(Amount::parse("0,00015").raw(), 2);
    EXPECT_EQ(Amount::parse("0,00025").raw(), 2);
    EXPECT_EQ(Amount::parse("0,000050001").raw(), 1);
    EXPECT_EQ(Amount::parse("0,000049999").raw(), 0);
    EXPECT_EQ(Amount::parse("-0,00015").raw(), -2);
    EXPECT_EQ(Amount::parse("-0,00025").raw(), -2);
}

TEST(AmountParse, RejectsWhatIsNotANumber)
{
    for (const char* text :
         {"", "  ", "abc", "1,2,3", "12a", "1.23,4", "1234.567,8", ".123", "1..000", "-", "1,5-"}) {
        EXPECT_THROW(Amount::parse(text), std::invalid_argument) << text;
    }
    EXPECT_THROW(Amount::parse("99999999999999999999"), std::overflow_error);
}

TEST(AmountParse, MachineTextUsesThePoint)
{
    EXPECT_EQ(Amount::parseMachine("1234.5678").raw(), 12345678);
    EXPECT_EQ(Amount::parseMachine("   -0.01").raw(), -100);
    EXPECT_EQ(Amount::parseMachine(".5").raw(), 5000);
    EXPECT_THROW(Amount::parseMachine("1,5"), std::invalid_argument);
    EXPECT_THROW(Amount::parseMachine("1.000.0"), std::invalid_argument);
    EXPECT_THROW(Amount::parseMachine(""), std::invalid_argument);
}

TEST(AmountText, MachineAndDisplayForms)
{
    EXPECT_EQ(raw(12345600).toMachineText(), "1234.5600");
    EXPECT_EQ(raw(-100).toMachineText(), "-0.0100");
    EXPECT_EQ(raw(std::numeric_limits<std::int64_t>::min()).toMachineText(), "-922337203685477.5808");
    EXPECT_EQ(raw(1250).toText(2), "0,13");
    EXPECT_EQ(raw(-1250).toText(2), "-0,13");
    EXPECT_EQ(raw(1249).toText(2), "0,12");
    EXPECT_EQ(raw(-49).toText(2), "0,00");
    EXPECT_EQ(raw(12345678).toText(4), "1234,5678");
    EXPECT_EQ(raw(15000).toText(0), "2");
    EXPECT_THROW(raw(1).toText(5), std::invalid_argument);
    EXPECT_EQ(Amount::parse(raw(-98765).toText(4)), raw(-98765));
}

TEST(AmountArithmetic, ProductsRoundHalvesToEvenOnTheExactValue)
{
    const Amount half = raw(5000);
    EXPECT_EQ((raw(1) * half).raw(), 0);  // 0,00005
    EXPECT_EQ((raw(3) * half).raw(), 2);  // 0,00015
    EXPECT_EQ((raw(5) * half).raw(), 2);  // 0,00025
    EXPECT_EQ((raw(-3) * half).raw(), -2);
    EXPECT_EQ((raw(-5) * half).raw(), -2);
    EXPECT_EQ((raw(1) * raw(5001)).raw(), 1);  // just above the half
    EXPECT_EQ((raw(1) * raw(4999)).raw(), 0);  // just below it
    EXPECT_EQ((raw(-1) * raw(5001)).raw(), -1);
    // Large operands whose product needs more than 64 bits before scaling.
    EXPECT_EQ((Amount::parse("100000000") * Amount::parse("12,3456")).raw(), 12345600000000);
}

TEST(AmountArithmetic, QuotientsRoundOnTheExactValue)
{
    EXPECT_EQ((raw(1) / raw(20000)).raw(), 0);  // 0,0001 / 2
    EXPECT_EQ((raw(3) / raw(20000)).raw(), 2);
    EXPECT_EQ((raw(-3) / raw(20000)).raw(), -2);
    EXPECT_EQ((raw(10000) / raw(30000)).raw(), 3333);
    EXPECT_EQ((raw(20000) / raw(30000)).raw(), 6667);
    EXPECT_EQ((raw(-20000) / raw(30000)).raw(), -6667);
    EXPECT_EQ((raw(20000) / raw(-30000)).raw(), -6667);
    EXPECT_THROW(raw(1) / Amount(), std::domain_error);
}

TEST(AmountArithmetic, FloatingFactorsRoundOnceHalfToEven)
{
    EXPECT_EQ((raw(3) * 0.5L).raw(), 2);
    EXPECT_EQ((raw(5) * 0.5L).raw(), 2);
    EXPECT_EQ((raw(-5) * 0.5L).raw(), -2);
    EXPECT_EQ((raw(7) / 2.0L).raw(), 4);
    EXPECT_EQ((Amount::parse("100") * 1.1L).raw(), 1100000);
    EXPECT_EQ(Amount::fromDouble(1.23456L).raw(), 12346);
    EXPECT_EQ(Amount::fromDouble(-1.23454L).raw(), -12345);
    EXPECT_THROW(raw(1) / 0.0L, std::domain_error);
    EXPECT_THROW(raw(1) * std::numeric_limits<long double>::quiet_NaN(), std::domain_error);
    EXPECT_THROW(Amount::fromDouble(std::numeric_limits<long double>::quiet_NaN()), std::domain_error);
}

TEST(AmountArithmetic, OverflowThrowsInsteadOfWrapping)
{
    const Amount max = raw(std::numeric_limits<std::int64_t>::max());
    const Amount min = raw(std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(max + raw(1), std::overflow_error);
    EXPECT_THROW(min - raw(1), std::overflow_error);
    EXPECT_THROW(-min, std::overflow_error);
    EXPECT_THROW(max * Amount::parse("2"), std::overflow_error);
    EXPECT_THROW(max / Amount::parse("0,5"), std::overflow_error);
    EXPECT_THROW(max * 2.0L, std::overflow_error);
    EXPECT_THROW(Amount::fromDouble(1e300L), std::overflow_error);
    EXPECT_THROW(Amount::fromDouble(std::numeric_limits<long double>::infinity()), std::overflow_error);
    EXPECT_EQ((max - raw(1) + raw(1)), max);
}

TEST(AmountTruncate, CutsTowardZeroToTwoDecimals)
{
    EXPECT_EQ(TruncateToCents(Amount::parse("0,8333")), Amount::parse("0,83"));
    EXPECT_EQ(TruncateToCents(Amount::parse("0,5")), Amount::parse("0,50"));
    EXPECT_EQ(TruncateToCents(Amount::parse("7")), Amount::parse("7"));
    EXPECT_EQ(TruncateToCents(Amount::parse("10,579")), Amount::parse("10,57"));
    EXPECT_EQ(TruncateToCents(Amount::parse("-10,579")), Amount::parse("-10,57"));
}

TEST(AmountArithmetic, HalvesBeyondLongDoublePrecisionAreJudgedExactly)
{
    // Products of about 9.2e22 before scaling: a long double would lose the
    // last digits and with them the difference between a half and its neighbours.
    EXPECT_EQ((raw(9223372036853) * raw(10005000)).raw(), 9227983722871426);  // exact half, even stays
    EXPECT_EQ((raw(9223372036853) * raw(10004517)).raw(), 9227538234002047);  // just above the half
    EXPECT_EQ((raw(9223372036853) * raw(10005483)).raw(), 9228429211740806);  // just below it
    EXPECT_EQ((raw(-9223372036853) * raw(10005000)).raw(), -9227983722871426);
    // Binary values just above and just below a half ten-thousandth.
    EXPECT_EQ(Amount::fromDouble(0.00005).raw(), 1);
    EXPECT_EQ(Amount::fromDouble(-0.00005).raw(), -1);
    EXPECT_EQ(Amount::fromDouble(0.00015).raw(), 1);
}
