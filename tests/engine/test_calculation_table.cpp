// The calculation table: its typed entries and the lines they write.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "data/format_text.h"
#include "engine/calculation_table.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

std::vector<std::string> lines(const TableResult& t)
{
    return tableLines(t.entries);
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { data.addBrazilianCurrencies(); }
    MemoryReference data;
};

TEST_F(TableTest, IndexNumbersEnterWithFirstAndLastValueOnly)
{
    data.addIndex("UFIR", "1", "2");
    data.addValue("UFIR", "01/01/1995", 2.0);
    data.addValue("UFIR", "01/02/1995", 2.5);
    data.addValue("UFIR", "01/03/1995", 3.0);
    TableResult t = PegaValores(data, {"UFIR      01/01/199531/03/1995"}, Date(1, 1, 1995), true);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(lines(t)[0], "UFIR      01/01/1995    2,0000000001  R$2");
    EXPECT_EQ(lines(t)[1], "UFIR      01/03/1995    3,0000000001  R$2");
    EXPECT_EQ(lines(t)[0].size(), 41u);
    EXPECT_EQ(t.moedaAtual, "R$");

    TableResult single = PegaValores(data, {"UFIR      01/02/199528/02/1995"}, Date(1, 2, 1995), true);
    EXPECT_EQ(single.entries.size(), 1u);
}

TEST_F(TableTest, StartMonthValueEntersAtTheOriginDate)
{
    data.addIndex("INPC", "2", "2");
    data.addValue("INPC", "01/05/2000", 0.5);
    data.addValue("INPC", "01/06/2000", 0.2);
    TableResult t = PegaValores(data, {"INPC      20/05/200030/06/2000"}, Date(20, 5, 2000), false);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(lines(t)[0].substr(10, 10), "20/05/2000");
    EXPECT_EQ(lines(t)[1].substr(10, 10), "01/06/2000");
}

TEST_F(TableTest, DailyIndexStartsAtTheOriginDay)
{
    data.addIndex("SELICDIA", "4", "1");
    for (const char* day : {"01/12/2025", "26/12/2025", "29/12/2025", "30/12/2025"})
        data.addValue("SELICDIA", day, 0.055131);
    TableResult t = PegaValores(data, {"SELICDIA  28/12/202530/12/2025"}, Date(28, 12, 2025), false);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(lines(t)[0], "SELICDIA  29/12/2025    0,0551310004  R$1");
    EXPECT_EQ(lines(t)[1].substr(10, 10), "30/12/2025");
}

TEST_F(TableTest, CurrencyChangeIsNoticedAtTheNextValueOnce)
{
    data.addIndex("INPC", "2", "2");
    data.addIndex("IPCA", "2", "2");
    data.addValue("INPC", "01/06/1994", 48.24);
    data.addValue("INPC", "01/07/1994", 7.75);
    data.addValue("IPCA", "01/08/1994", 1.86);
    Sequence s = {"INPC      01/06/199431/07/1994", "IPCA      01/08/199431/08/1994"};
    TableResult on = PegaValores(data, s, Date(1, 6, 1994), true);
    ASSERT_EQ(on.entries.size(), 4u);
    EXPECT_EQ(lines(on)[1], "**CONVERS*01/07/1994    2750,0000000  R$0");
    EXPECT_EQ(lines(on)[2].substr(0, 4), "INPC");
    TableResult off = PegaValores(data, s, Date(1, 6, 1994), false);
    EXPECT_EQ(lines(off)[1], "**CONVERS*01/07/1994       1,0000000  R$0");
}

TEST_F(TableTest, MissingIndexEndsTheTableAndInterruptStopsIt)
{
    data.addIndex("INPC", "2", "2");
    data.addValue("INPC", "01/06/1995", 1.0);
    Sequence s = {"INPC      01/06/199530/06/1995", "NOPE      01/07/199531/07/1995",
                  "INPC      01/08/199531/08/1995"};
    EXPECT_EQ(PegaValores(data, s, Date(1, 6, 1995), true).entries.size(), 1u);
    TableHooks hooks;
    hooks.interrupted = [] { return true; };
    EXPECT_TRUE(PegaValores(data, s, Date(1, 6, 1995), true, hooks).entries.empty());
}

TEST_F(TableTest, OtherKindCodesAddNoValueLines)
{
    data.addIndex("ODD", "7", "2");
    data.addValue("ODD", "01/06/1995", 1.0);
    EXPECT_TRUE(
        PegaValores(data, {"ODD       01/06/199530/06/1995"}, Date(1, 6, 1995), true).entries.empty());
    data.addIndex("BLANK", "", "2");
    data.addValue("BLANK", "01/06/1995", 1.0);
    EXPECT_THROW(PegaValores(data, {"BLANK     01/06/199530/06/1995"}, Date(1, 6, 1995), true),
                 std::invalid_argument);
}

TEST_F(TableTest, EntriesHoldTheDecimalsTheirLinesShow)
{
    data.addIndex("UFIR", "3", "2");
    data.addValue("UFIR", "01/01/1995", 0.1);
    data.addValue("UFIR", "01/02/1995", 0.66109999999999999);
    TableResult t = PegaValores(data, {"UFIR      01/01/199528/02/1995"}, Date(1, 1, 1995), true);
    ASSERT_EQ(t.entries.size(), 2u);
    const TableEntry& first = t.entries[0];
    EXPECT_EQ(first.code, "UFIR");
    EXPECT_EQ(first.date, Date(1, 1, 1995));
    EXPECT_EQ(first.value.units, 100000000);  // 0,100000000, not the binary 0.1
    EXPECT_EQ(first.value.scale, 9);
    EXPECT_EQ(first.kind, MOEDA);
    EXPECT_EQ(first.periodicity, MENSAL);
    EXPECT_EQ(first.symbol, "R$");
    EXPECT_EQ(t.entries[1].value.units, 661100000);
}

// Each entry writes the line the table has always shown: the value as
// "%15.9f" (divisors "%15.6f") of the stored number, whatever its size or sign.
TEST(TableEntryLine, WritesTheValueAsTheFixedTextOfTheNumber)
{
    std::mt19937_64 rng(41);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 10);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        const bool conversion = i % 3 == 0;
        const std::string text = formatText(conversion ? "%15.6f" : "%15.9f", {v});
        TableEntry e{conversion ? kConversionCode : "IGPDI",
                     Date(31, 12, 2024),
                     Decimal::parse(text),
                     conversion ? 0 : PERCENTUAL,
                     "Cr$",
                     conversion ? 0 : MENSAL};
        const std::string line = e.line();
        ASSERT_EQ(line.substr(20, line.size() - 26), text) << v;
        ASSERT_EQ(line.substr(0, 20), (conversion ? "**CONVERS*" : "IGPDI     ") + std::string("31/12/2024"));
        ASSERT_EQ(line.substr(line.size() - 6), conversion ? "0 Cr$0" : "2 Cr$2");
    }
    TableEntry wide{"IGP", Date(1, 3, 1995), Decimal::parse("12345678901,5"), MULTIPLICADOR, "R$", MENSAL};
    EXPECT_EQ(wide.line(), "IGP       01/03/199512345678901,5000000001  R$2");
    TableEntry finer{"IGP", Date(1, 3, 1995), Decimal::parse("-0,00000000050001"), PERCENTUAL, "R$", MENSAL};
    EXPECT_EQ(finer.line(), "IGP       01/03/1995   -0,0000000012  R$2");
    EXPECT_THROW(parseTableNumber("1.5"), std::invalid_argument);
    EXPECT_THROW(parseTableNumber(""), std::invalid_argument);
}

}  // namespace
}  // namespace quintara
