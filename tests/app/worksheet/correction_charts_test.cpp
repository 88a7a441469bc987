// The two correction chart windows: what they draw from the inputs they are
// given, lines that carry no amount left out, and the print preview.
#include <QChart>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrintPreviewDialog>
#include <QPushButton>

#include "../app_fixture.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"

namespace quintara {
namespace {

GraficoComparativoInput totals()
{
    GraficoComparativoInput in;
    in.origin = Date(15, 3, 2020);
    in.calculation = Date(15, 3, 2024);
    in.originSymbol = "R$";
    in.calculationSymbol = "R$";
    in.original = Amount::parse("1000");
    in.principal = Amount::parse("1000");
    in.correction = Amount::parse("250");
    return in;
}

QStringList sliceLabels(QPieSeries* pie)
{
    QStringList labels;
    for (QPieSlice* slice : pie->slices()) labels << slice->label().section(QLatin1Char(' '), 0, -2);
    return labels;
}

TEST(TotalsChartWindow, PieHasOnlyTheNonZeroPartsAndFeesAddTitleLines)
{
    test::application();
    TFrmGraficoComparativo plain(totals());
    plain.show();
    EXPECT_EQ(plain.windowTitle(), "Gráfico dos Totais");
    ASSERT_NE(plain.pie(), nullptr);
    EXPECT_EQ(sliceLabels(plain.pie()), QStringList({"Valor Principal", "Correção Monetária"}));
    EXPECT_EQ(plain.titleLines().size(), 3);
    EXPECT_EQ(plain.pie()->slices()[1]->label(), "Correção Monetária 20,0%");

    GraficoComparativoInput in = totals();
    in.ordinary = Amount::parse("10");
    in.fine = Amount::parse("5");
    in.fees = Amount::parse("126,5");
    TFrmGraficoComparativo full(in);
    full.show();
    EXPECT_EQ(sliceLabels(full.pie()), QStringList({"Valor Principal", "Correção Monetária",
                                                    "Juros Ordinários", "Multa", "Honorários"}));
    ASSERT_EQ(full.titleLines().size(), 5);
    EXPECT_EQ(full.titleLines()[2], "Total Corrigido  R$         1.265,00");
    EXPECT_EQ(full.titleLines()[4], "Total Cálculo    R$         1.391,50");
}

TEST(TotalsChartWindow, NegativeCorrectionDoesNotBreakThePie)
{
    test::application();
    GraficoComparativoInput in = totals();
    in.correction = Amount::parse("-40");
    TFrmGraficoComparativo window(in);
    window.show();
    ASSERT_EQ(window.pie()->slices().size(), 2);
    EXPECT_DOUBLE_EQ(window.pie()->slices()[1]->value(), 0.0);
    EXPECT_EQ(window.titleLines()[2], "Total Corrigido  R$           960,00");
}

GraficoDaCorrecaoInput correction()
{
    GraficoDaCorrecaoInput in;
    in.origin = Date(1, 6, 1994);
    in.calculation = Date(31, 8, 1994);
    in.originSymbol = "CR$";
    in.calculationSymbol = "R$";
    in.original = Amount::parse("2750");
    in.principal = Amount::parse("1");
    in.corrected = Amount::parse("1,21");
    in.calculationLines = {
        "Cálculo da Correção Monetária não foi aplicado!",
        "IPC        em   Jun/1994           Soma Perc.    10,000000000 =  CR$       3.025,00",
        "CONVERSÃO  => Cruzeiro Real/2.750,0000 = Real                 =   R$           1,10",
        "Info: Índice lido                                                   R$           9,99",
        "IPC        em   Jul/1994           Soma Perc.    10,000000000 =   R$           1,21",
        "JUROS ORDINÁRIOS                                                =   R$           0,50",
        "TOTAL DO CÁLCULO =>                                           =   R$           1,71"};
    return in;
}

TEST(CorrectionChartWindow, LinesFollowTheMemoSkippingLinesWithoutAmounts)
{
    test::application();
    TFrmGraficoDaCorrecao window(correction());
    window.show();
    EXPECT_EQ(window.windowTitle(), "Gráfico da Correção Monetária");
    ASSERT_EQ(window.titleLines().size(), 3);
    EXPECT_EQ(window.titleLines()[0], "Período de 01/06/1994 até 31/08/1994");
    EXPECT_EQ(window.titleLines()[2], "[Juros, Multa e Honorários não embutidos no gráfico]");
    ASSERT_NE(window.SValorCorrigido(), nullptr);
    EXPECT_EQ(window.SValorCorrigido()->objectName(), "SValorCorrigido");
    // The start, June and July: the not-applied line, the conversion, the
    // progress line and the interest and total lines give no point.
    const QList<QPointF> corrected = window.SValorCorrigido()->points();
    ASSERT_EQ(corrected.size(), 3);
    EXPECT_DOUBLE_EQ(corrected[0].y(), 2750.0);
    EXPECT_DOUBLE_EQ(corrected[1].y(), 3025.0);
    EXPECT_DOUBLE_EQ(corrected[2].y(), 1.21);
    EXPECT_EQ(window.correctedLabels(), QStringList({"01/06/1994", "  Jun/1994", "  Jul/1994"}));
    const QList<QPointF> principal = window.SValorPrincipal()->points();
    ASSERT_GE(principal.size(), 4);
    EXPECT_DOUBLE_EQ(principal.back().y(), 1.1);
}

TEST(CorrectionChartWindow, PrintOpensThePreviewAndReturnCloses)
{
    test::application();
    test::DialogScript script;
    QString previewTitle;
    script.onDialog([&](QDialog& dialog) {
        if (qobject_cast<QPrintPreviewDialog*>(&dialog)) previewTitle = dialog.windowTitle();
    });
    TFrmGraficoDaCorrecao window(correction());
    window.show();
    QTest::mouseClick(window.btImprimir, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 1);
    EXPECT_EQ(previewTitle, "Visualização - Gráfico da Correção Monetária");
    QTest::mouseClick(window.btRetornar, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    TFrmGraficoComparativo totalsWindow(totals());
    totalsWindow.show();
    QTest::mouseClick(totalsWindow.btImprimir, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 2);
}

}  // namespace
}  // namespace quintara
