// The quick calculation's branches and the data of the two charts.
#include <gtest/gtest.h>

#include "engine/chart_data.h"
#include "engine/quick_calculation.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

class QuickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.addBrazilianCurrencies();
        data.addIndex("IPC", "2", "2");
        data.addValue("IPC", "01/01/1995", 1.0);
        data.addValue("IPC", "01/02/1995", 1.0);
        data.addForm("001", "IPC", "00/00/0000:00/00/0000");
        in.origin = Date(1, 1, 1995);
        in.amount = Amount::parse("1000");
        in.formCode = "001";
        in.formText = "IPC";
        in.originCurrency = "R$";
        in.amountInWords = "um mil reais";
        in.fullMonth = true;
        in.ordinaryStart = in.compensatoryStart = in.origin;
    }
    MemoryReference data;
    QuickInput in;
};

TEST_F(QuickTest, NoCorrectionComputesInterestOnTheAmount)
{
    in.correctionApplied = false;
    in.ordinaryRate = Decimal::parse("12");
    QuickResult r = Executarcalculo(data, in, Date(31, 1, 1995));
    EXPECT_EQ(r.panel[2], "Correção Monetária não será aplicada!");
    ASSERT_GE(r.calculationLines.size(), 3u);
    EXPECT_EQ(r.calculationLines[0],
              std::string("Cálculo da Correção Monetária não foi aplicado!") + std::string(36, ' '));
    EXPECT_EQ(r.results.corrected, Amount::parse("1000"));
    EXPECT_EQ(r.results.ordinary, Amount::parse("9,863"));
    EXPECT_EQ(r.calculationLines[1],
              "Juros Ordinários   = %12,000000  a.a.        30 dias [SIMPLES ]=    "
              "           9,86");
    // The window's panel: the summary, then every calculation line.
    const std::vector<std::string> shown = r.panelLines();
    ASSERT_EQ(shown.size(), r.panel.size() + r.calculationLines.size());
    EXPECT_EQ(shown[r.panel.size()], r.calculationLines[0]);
    EXPECT_EQ(shown.back(), r.calculationLines.back());
}

TEST_F(QuickTest, FailedStageGoesToThePanelAndKeepsThePrincipal)
{
    in.formCode = "999";
    QuickResult r = Executarcalculo(data, in, Date(28, 2, 1995));
    EXPECT_EQ(r.error, "Erro !!!. Ao montar sequência Original.");
    EXPECT_EQ(r.panel.back(), r.error);
    EXPECT_EQ(r.panelLines().back(), r.error);
    EXPECT_TRUE(r.calculationLines.empty());
    EXPECT_EQ(r.results.principal, Amount::parse("1000"));
}

TEST_F(QuickTest, PanelSummaryAndNoFeesInTheTotal)
{
    in.description = "Aluguel";
    in.fineRate = Decimal::parse("2");
    in.fineOnInterest = true;
    std::vector<std::string> statuses;
    QuickHooks hooks;
    hooks.status = [&statuses](const std::string& s) { statuses.push_back(s); };
    QuickResult r = Executarcalculo(data, in, Date(28, 2, 1995), hooks);
    EXPECT_EQ(r.panel[2], "Aluguel");
    EXPECT_EQ(r.panel[3], "Forma de Correção:");
    EXPECT_EQ(r.panel[6], "Valor Original em R$ 1.000,00");
    EXPECT_EQ(r.panel[7], "(um mil reais)");
    EXPECT_EQ(r.panel[8], "Multa (Perc.)   2,000000");
    EXPECT_EQ(r.panel[9], "# Calcular Multa Sobre Juros");
    EXPECT_EQ(r.results.fees, Amount());
    EXPECT_EQ(r.calculationLines.back().substr(0, 19), "TOTAL DO CÁLCULO =");
    EXPECT_EQ(statuses.back(), "Cálculo finalizado !");
}

TEST(TotalsChart, SlicesOnlyForPartsAboveZero)
{
    TotalsChartInput in{Date(1, 1, 1995),
                        Date(1, 1, 2000),
                        "R$",
                        "R$",
                        Amount::parse("100"),
                        Amount::parse("100"),
                        Amount::parse("50"),
                        {},
                        {},
                        {},
                        {}};
    TotalsChart c = totalsChart(in);
    EXPECT_EQ(c.slices.size(), 2u);
    EXPECT_EQ(c.titleLines.size(), 3u);
    EXPECT_EQ(c.titleLines[1], "Valor Original   R$           100,00");
    in.fees = Amount::parse("15");
    in.fine = Amount::parse("1");
    c = totalsChart(in);
    EXPECT_EQ(c.slices.size(), 4u);
    EXPECT_EQ(c.titleLines.back(), "Total Cálculo    R$           166,00");
}

TEST(CorrectionChart, PrincipalFollowsConversionsAndUnreadableLinesAreSkipped)
{
    CorrectionChartInput in;
    in.origin = Date(1, 6, 1994);
    in.calculation = Date(31, 8, 1994);
    in.original = Amount::parse("2750");
    in.calculationLines = {
        "IPC        em   Jun/1994           Soma Perc.    10,000000000 =  CR$       3.025,00",
        "CONVERSÃO  => Cruzeiro Real/2.750,0000 = Real                 =   R$           1,10",
        "IPC        em   Jul/1994           Soma Perc.    10,000000000 =   R$           1,21",
        "Cálculo da Correção Monetária não foi aplicado!",
        "Resultado  em 31/08/1994                                      =   R$           1,21"};
    CorrectionChart c = correctionChart(in);
    ASSERT_EQ(c.corrected.points.size(), 3u);
    EXPECT_EQ(c.corrected.points[1].label, "  Jun/1994");
    EXPECT_EQ(c.corrected.points[1].value, Amount::parse("3025"));
    ASSERT_EQ(c.principal.points.size(), 5u);
    EXPECT_EQ(c.principal.points[1].value, Amount::parse("2750"));
    EXPECT_EQ(c.principal.points[2].value, Amount::parse("1,1"));
    EXPECT_EQ(c.principal.points[2].label, "");
    EXPECT_EQ(c.principal.points[3].value, Amount::parse("1,1"));
}

}  // namespace
}  // namespace quintara
