// The index walk, the pro-rata of monthly percentages and the interest formulas.
#include <gtest/gtest.h>

#include <random>

#include "data/format_text.h"
#include "engine/amount_steps.h"
#include "engine/correction.h"
#include "engine/engine_dates.h"
#include "engine/interest.h"
#include "engine/text_columns.h"
#include "foxpro/codepage.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

Decimal dec(const char* text)
{
    return Decimal::parse(text);
}

// Table entries as PegaValores makes them, from the texts their lines show.
TableEntry valueEntry(const std::string& code, const std::string& date, const std::string& value, char kind,
                      const std::string& symbol = "R$", char periodicity = '2')
{
    return TableEntry{code,       engineDate(date),   dec(value.c_str()),
                      kind - '0', trimBlanks(symbol), periodicity - '0'};
}

TableEntry conversionEntry(const std::string& date, const std::string& divisor,
                           const std::string& symbol = "R$")
{
    return TableEntry{kConversionCode, engineDate(date), dec(divisor.c_str()), 0, trimBlanks(symbol), 0};
}

class WalkTest : public ::testing::Test {
protected:
    Amount walk(const CalculationTable& table, bool fullMonth, Date d0, Date d1, const char* amount)
    {
        memo.clear();
        return AplicaIndices(data, table, memo, fullMonth, d0, d1, Amount::parse(amount));
    }
    MemoryReference data;
    std::vector<std::string> memo;
};

TEST_F(WalkTest, IndexNumberStretchDividesThenMultiplies)
{
    CalculationTable t = {valueEntry("UFIR", "01/01/1995", "2,000000000", '1'),
                          valueEntry("UFIR", "01/03/1995", "3,000000000", '1')};
    EXPECT_EQ(walk(t, true, Date(1, 1, 1995), Date(31, 3, 1995), "100,00"), Amount::parse("150"));
    ASSERT_EQ(memo.size(), 3u);
    EXPECT_EQ(memo[0], "UFIR       em 01/01/1995          Divide por:     2,000000000 =   R$          50,00");
    EXPECT_EQ(memo[1], "UFIR       em 01/03/1995      Multiplica por:     3,000000000 =   R$         150,00");
    EXPECT_EQ(memo[2], "Resultado  em 31/03/1995                                      =   R$         150,00");
    for (const std::string& line : memo) EXPECT_EQ(foxpro::utf8Length(line), 83u) << line;
}

TEST_F(WalkTest, StretchLeftOpenAtTheEndIsClosedWithItsOwnValue)
{
    // One value of an index number in the period: the amount comes back as
    // money, not as a quantity of the index.
    CalculationTable t = {valueEntry("UFIR", "05/12/2000", "1,064100000", '3')};
    EXPECT_EQ(walk(t, true, Date(5, 12, 2000), Date(20, 12, 2000), "1000,00"), Amount::parse("1000"));
    ASSERT_EQ(memo.size(), 3u);
    EXPECT_EQ(memo[0], "UFIR       em 05/12/2000          Divide por:     1,064100000 =   R$         939,76");
    EXPECT_EQ(memo[1], "UFIR       em 31/12/2000      Multiplica por:     1,064100000 =   R$       1.000,00");
    EXPECT_EQ(memo[2].substr(0, 24), "Resultado  em 20/12/2000");
}

TEST(AmountSteps, WholeRangeOfAnAmountThenOverflow)
{
    EXPECT_EQ(dividedBy(Amount::parse("910000000000000"), dec("1")), Amount::parse("910000000000000"));
    EXPECT_EQ(multipliedBy(Amount::parse("900000000000000"), dec("1,02")), Amount::parse("918000000000000"));
    EXPECT_FALSE(multipliedBy(Amount::parse("900000000000000"), dec("1,03")));
    EXPECT_FALSE(dividedBy(Amount::parse("1"), dec("0,000000000")));
    // Products beyond 128 bits are still exact.
    EXPECT_EQ(multipliedBy(Amount::parse("900000000000000"), dec("1,020000000000000000000000001")),
              Amount::parse("918000000000000"));
    EXPECT_EQ(dividedBy(Amount::parse("0,0001"), dec("1234567890123456789012345678,9")), Amount());
}

TEST_F(WalkTest, PercentagesCompoundAndRoundOnce)
{
    CalculationTable t = {conversionEntry("01/01/1995", "1,000000"),
                          valueEntry("IPC", "01/02/1995", "1,000000000", '2'),
                          valueEntry("IPC", "01/03/1995", "1,000000000", '2'),
                          valueEntry("IPC", "01/04/1995", "1,000000000", '2')};
    data.addBrazilianCurrencies();
    EXPECT_EQ(walk(t, true, Date(1, 1, 1995), Date(30, 4, 1995), "1000,00"), Amount::parse("1030,301"));
    EXPECT_EQ(memo[1], "IPC        em   Fev/1995           Soma Perc.     1,000000000 =   R$       1.010,00");
    EXPECT_EQ(memo[3], "IPC        em   Abr/1995           Soma Perc.     1,000000000 =   R$       1.030,30");
}

TEST_F(WalkTest, ExactDaysProrateFirstAndLastMonth)
{
    CalculationTable t = {valueEntry("IPC", "10/03/2001", "3,100000000", '2'),
                          valueEntry("IPC", "01/04/2001", "1,000000000", '2'),
                          valueEntry("IPC", "01/05/2001", "1,000000000", '2'),
                          valueEntry("IPC", "01/06/2001", "3,000000000", '2')};
    walk(t, false, Date(10, 3, 2001), Date(20, 6, 2001), "1000,00");
    EXPECT_NE(memo[0].find("2,100000000"), std::string::npos) << memo[0];  // 3,1 × 21/31
    EXPECT_NE(memo[3].find("0,000000000"), std::string::npos) << memo[3];  // month of the calculation date
    walk(t, true, Date(10, 3, 2001), Date(20, 6, 2001), "1000,00");
    EXPECT_NE(memo[0].find("3,100000000"), std::string::npos) << memo[0];
}

// Memo lines are written piece by piece; they must read exactly as the
// layouts say, for any value, code and symbol.
TEST_F(WalkTest, MemoLinesFollowTheirLayoutsForAnyValue)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cents(-300, 400);
    CalculationTable t;
    std::vector<Decimal> values;
    for (int i = 0; i < 400; ++i) {
        const int c = i % 7 == 0 ? 123 : cents(random);  // some values repeat
        const Decimal v{c, 2};
        values.push_back(v);
        const Date d(1, 1 + i % 12, 1990 + i / 12);
        t.push_back(TableEntry{i % 2 ? "ÍNDICE" : "IGPDI", d, v, PERCENTUAL, i % 3 ? "Cr$" : "NCz$", MENSAL});
    }
    t.push_back(valueEntry("BTN", "01/06/2023", "12345,678900000", '1'));
    t.push_back(valueEntry("BTN", "01/07/2023", "12400,000000000", '1'));
    walk(t, true, Date(1, 1, 1990), Date(31, 7, 2023), "98765432,1");
    ASSERT_EQ(memo.size(), t.size() + 1);
    Amount v = Amount::parse("98765432,1");
    for (std::size_t i = 0; i < values.size(); ++i) {
        v = *withPercentage(v, values[i]);
        const Date d(1, 1 + static_cast<int>(i) % 12, 1990 + static_cast<int>(i) / 12);
        EXPECT_EQ(memo[i], formatText("%-10s em %s %20s %15.9n = %4s%15.2n",
                                      {i % 2 ? "ÍNDICE" : "IGPDI", monthLabel(d), "Soma Perc.",
                                       values[i].toLongDouble(), i % 3 ? " Cr$" : "NCz$", v}));
    }
    v = *dividedBy(v, dec("12345,6789"));
    EXPECT_EQ(memo[values.size()], formatText("%-10s em 01/06/2023 %20s %15.9n = %4s%15.2n",
                                              {"BTN", "Divide por:", 12345.6789L, "  R$", v}));
    v = *multipliedBy(v, dec("12400"));
    EXPECT_EQ(memo[values.size() + 1], formatText("%-10s em 01/07/2023 %20s %15.9n = %4s%15.2n",
                                                  {"BTN", "Multiplica por:", 12400.0L, "  R$", v}));
}

TEST(ProRata, SharesOfTheMonth)
{
    EXPECT_EQ(ProporcaoMensal(false, Date(10, 3, 2001), Date(10, 3, 2001), Date(20, 3, 2001), dec("3,1")),
              Amount::parse("1"));  // (20 − 10)/31
    EXPECT_EQ(ProporcaoMensal(true, Date(15, 6, 2001), Date(1, 5, 2001), Date(15, 7, 2001), dec("3,1")),
              Amount::parse("1,5"));  // day 15 of 31 days
    EXPECT_EQ(ProporcaoMensal(false, Date(1, 1, 2001), Date(1, 1, 2001), Date(1, 3, 2001), dec("0")),
              Amount());
    // 1,4158 × 10/31 = 0,4567...: applied as 0,45.
    EXPECT_EQ(ProporcaoMensal(false, Date(21, 3, 2001), Date(21, 3, 2001), Date(5, 5, 2001), dec("1,4158")),
              Amount::parse("0,45"));
    EXPECT_EQ(ProporcaoMensal(false, Date(20, 2, 2001), Date(1, 3, 2001), Date(5, 3, 2001), dec("3,1")),
              Amount::parse("-1,5"));  // a later month and a smaller day: negative, no wrap-around
}

TEST_F(WalkTest, ZeroIndexNumberWritesErrorLineAndGoesOn)
{
    CalculationTable t = {valueEntry("UFIR", "01/01/1995", "0,000000000", '1'),
                          valueEntry("UFIR", "01/03/1995", "3,000000000", '1')};
    Amount v = walk(t, true, Date(1, 1, 1995), Date(31, 3, 1995), "100,00");
    EXPECT_EQ(memo[0], "Erro !!!: Ao dividir um valor do indice [UFIR      ] em 01/01/1995");
    EXPECT_EQ(v, Amount::parse("300"));  // the stretch still counts as opened
}

TEST_F(WalkTest, ConversionDividesUnlessLastKindWasCurrencyUnit)
{
    data.addBrazilianCurrencies();
    CalculationTable t = {valueEntry("IPC", "01/06/1994", "10,000000000", '2', " CR$"),
                          conversionEntry("01/07/1994", "2750,000000"),
                          valueEntry("IPC", "01/08/1994", "0,000000000", '2')};
    EXPECT_EQ(walk(t, true, Date(1, 6, 1994), Date(31, 8, 1994), "2750,00"), Amount::parse("1,1"));
    EXPECT_EQ(memo[1].substr(0, 15), "CONVERSÃO  => ");
    CalculationTable moeda = {valueEntry("URV", "01/06/1994", "2,000000000", '3', " CR$"),
                              conversionEntry("01/07/1994", "2750,000000")};
    EXPECT_EQ(walk(moeda, true, Date(1, 6, 1994), Date(31, 8, 1994), "2750,00"), Amount::parse("2750"));
    ASSERT_EQ(memo.size(), 4u);
    EXPECT_TRUE(memo[1].ends_with("R$       1.375,00")) << memo[1];  // not divided

    CalculationTable zero = {valueEntry("IPC", "01/06/1994", "10,000000000", '2', " CR$"),
                             conversionEntry("01/07/1994", "0,000000")};
    EXPECT_EQ(walk(zero, true, Date(1, 6, 1994), Date(31, 8, 1994), "100,00"), Amount::parse("110"));
    EXPECT_EQ(memo[1], "Erro !!!: Ao tentar aplicar a conversão em 01/07/1994");
}

TEST_F(WalkTest, PercentageClosesAnOpenStretchWithItsOwnValue)
{
    CalculationTable t = {valueEntry("BTN", "15/01/1991", "4,000000000", '1'),
                          valueEntry("INPC", "01/02/1991", "10,000000000", '2')};
    EXPECT_EQ(walk(t, true, Date(15, 1, 1991), Date(28, 2, 1991), "100,00"), Amount::parse("110"));
    EXPECT_EQ(memo[1].substr(0, 24), "BTN        em 31/01/1991");
}

TEST_F(WalkTest, InterestRateIndexSkipsFirstLineAndLastOnTheCalculationDate)
{
    CalculationTable t = {valueEntry("SELIC", "02/01/2020", "1,000000000", '4', "  R$", '1'),
                          valueEntry("SELIC", "03/01/2020", "1,000000000", '4', "  R$", '1'),
                          valueEntry("SELIC", "06/01/2020", "1,000000000", '4', "  R$", '1')};
    EXPECT_EQ(walk(t, true, Date(2, 1, 2020), Date(6, 1, 2020), "100,00"), Amount::parse("101"));
    EXPECT_EQ(walk(t, true, Date(2, 1, 2020), Date(7, 1, 2020), "100,00"), Amount::parse("102,01"));
}

// A daily rate index is queried from the origin day: when the origin is not
// a business day, the first line is the next business day's rate, which is
// owed; on a business day it is the origin day's own rate, which is not.
TEST_F(WalkTest, DailyRateOnTheFirstLineCountsWhenTheOriginWasNoBusinessDay)
{
    CalculationTable t = {valueEntry("SELICDIA", "06/01/2020", "1,000000000", '4', "  R$", '1'),
                          valueEntry("SELICDIA", "07/01/2020", "1,000000000", '4', "  R$", '1'),
                          valueEntry("SELICDIA", "08/01/2020", "1,000000000", '4', "  R$", '1')};
    // Sunday 05/01/2020: the Monday rate enters, then Tuesday's.
    EXPECT_EQ(walk(t, true, Date(5, 1, 2020), Date(8, 1, 2020), "100,00"), Amount::parse("102,01"));
    ASSERT_EQ(memo.size(), 3u);
    EXPECT_EQ(memo[0].substr(0, 24), "SELICDIA   em   Jan/2020");
    // Monday 06/01/2020: the origin day's own rate does not.
    EXPECT_EQ(walk(t, true, Date(6, 1, 2020), Date(8, 1, 2020), "100,00"), Amount::parse("101"));
    EXPECT_EQ(memo.size(), 2u);
    // A monthly rate on the first line is the origin month's, whatever its date.
    CalculationTable monthly = {valueEntry("SELIC", "01/02/2020", "1,000000000", '4'),
                                valueEntry("SELIC", "01/03/2020", "1,000000000", '4')};
    EXPECT_EQ(walk(monthly, true, Date(15, 1, 2020), Date(15, 3, 2020), "100,00"), Amount::parse("101"));
}

TEST(Interest, CompoundAndSimpleWithBothYearLengths)
{
    MemoryReference data;
    const Amount v = Amount::parse("1000");
    const Date a(1, 1, 2001), b(31, 1, 2001);
    EXPECT_EQ(JurosCompostos(data, v, dec("12"), a, b), Amount::parse("9,9102"));
    EXPECT_EQ(JurosSimples(data, v, dec("12"), a, b), Amount::parse("9,863"));
    data.year360 = true;
    EXPECT_EQ(JurosCompostos(data, v, dec("12"), a, b), Amount::parse("10,0485"));
    EXPECT_EQ(JurosSimples(data, v, dec("12"), a, b), Amount::parse("10"));
    EXPECT_EQ(JurosSimples(data, v, dec("12"), b, a), Amount::parse("-10"));
    EXPECT_EQ(JurosCompostos(data, v, dec("12"), b, a), Amount::parse("-9,9485"));
}

}  // namespace
}  // namespace quintara
