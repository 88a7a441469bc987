// The calculation table: value and conversion lines, and reading them back.
#include <gtest/gtest.h>

#include "engine/calculation_table.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

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
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0], "UFIR      01/01/1995    2,0000000001  R$2");
    EXPECT_EQ(t.lines[1], "UFIR      01/03/1995    3,0000000001  R$2");
    EXPECT_EQ(t.lines[0].size(), 41u);
    EXPECT_EQ(t.moedaAtual, "R$");

    TableResult single = PegaValores(data, {"UFIR      01/02/199528/02/1995"}, Date(1, 2, 1995), true);
    EXPECT_EQ(single.lines.size(), 1u);
}

TEST_F(TableTest, StartMonthValueEntersAtTheOriginDate)
{
    data.addIndex("INPC", "2", "2");
    data.addValue("INPC", "01/05/2000", 0.5);
    data.addValue("INPC", "01/06/2000", 0.2);
    TableResult t = PegaValores(data, {"INPC      20/05/200030/06/2000"}, Date(20, 5, 2000), false);
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0].substr(10, 10), "20/05/2000");
    EXPECT_EQ(t.lines[1].substr(10, 10), "01/06/2000");
}

TEST_F(TableTest, DailyIndexStartsAtTheOriginDay)
{
    data.addIndex("SELICDIA", "4", "1");
    for (const char* day : {"01/12/2025", "26/12/2025", "29/12/2025", "30/12/2025"})
        data.addValue("SELICDIA", day, 0.055131);
    TableResult t = PegaValores(data, {"SELICDIA  28/12/202530/12/2025"}, Date(28, 12, 2025), false);
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0], "SELICDIA  29/12/2025    0,0551310004  R$1");
    EXPECT_EQ(t.lines[1].substr(10, 10), "30/12/2025");
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
    ASSERT_EQ(on.lines.size(), 4u);
    EXPECT_EQ(on.lines[1], "**CONVERS*01/07/1994    2750,0000000  R$0");
    EXPECT_EQ(on.lines[2].substr(0, 4), "INPC");
    TableResult off = PegaValores(data, s, Date(1, 6, 1994), false);
    EXPECT_EQ(off.lines[1], "**CONVERS*01/07/1994       1,0000000  R$0");
}

TEST_F(TableTest, MissingIndexEndsTheTableAndInterruptStopsIt)
{
    data.addIndex("INPC", "2", "2");
    data.addValue("INPC", "01/06/1995", 1.0);
    Sequence s = {"INPC      01/06/199530/06/1995", "NOPE      01/07/199531/07/1995",
                  "INPC      01/08/199531/08/1995"};
    EXPECT_EQ(PegaValores(data, s, Date(1, 6, 1995), true).lines.size(), 1u);
    TableHooks hooks;
    hooks.interrupted = [] { return true; };
    EXPECT_TRUE(PegaValores(data, s, Date(1, 6, 1995), true, hooks).lines.empty());
}

TEST_F(TableTest, OtherKindCodesAddNoValueLines)
{
    data.addIndex("ODD", "7", "2");
    data.addValue("ODD", "01/06/1995", 1.0);
    EXPECT_TRUE(PegaValores(data, {"ODD       01/06/199530/06/1995"}, Date(1, 6, 1995), true).lines.empty());
    data.addIndex("BLANK", "", "2");
    data.addValue("BLANK", "01/06/1995", 1.0);
    EXPECT_THROW(PegaValores(data, {"BLANK     01/06/199530/06/1995"}, Date(1, 6, 1995), true),
                 std::invalid_argument);
}

TEST(TableLine, ReadsFieldsByPositionAndWideValuesFromTheEnd)
{
    TableLine l = SeparaLinhaTabela("UFIR      01/03/1995    3,0000000001  R$2");
    EXPECT_EQ(l.code, "UFIR      ");
    EXPECT_EQ(l.date, "01/03/1995");
    EXPECT_EQ(parseTableNumber(l.value).units, 3000000000);
    EXPECT_EQ(parseTableNumber(l.value).scale, 9);
    EXPECT_EQ(l.kind, "1");
    EXPECT_EQ(l.symbol, "  R$");
    EXPECT_EQ(l.periodicity, "2");
    TableLine wide = SeparaLinhaTabela("IGP       01/03/19951234567,0000000001 Cr$2");
    EXPECT_EQ(parseTableNumber(wide.value).units, Decimal::Units(1234567) * 1000000000);
    EXPECT_EQ(wide.kind, "1");
    EXPECT_EQ(wide.symbol, " Cr$");
    EXPECT_THROW(parseTableNumber("1.5"), std::invalid_argument);
    EXPECT_THROW(parseTableNumber(""), std::invalid_argument);
}

}  // namespace
}  // namespace quintara
