// The item detail window over a worksheet row and its memo file: the labels
// from the row, memo lines without progress and error lines, the sequence
// list, the charts of the item, and the report filled for it.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "../app_fixture.h"
#include "app/worksheet/frm_destacar_item.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"
#include "app/worksheet/item_detail_report.h"
#include "engine/memo_file.h"

namespace quintara {
namespace {

class ItemDetailWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir);
        dm = DataModule::openFolder(dir.path());
        session = std::make_unique<WorksheetSession>(*dm);
        session->caseNumber = "00001/2024 ";
        session->header.LinhaAbertura = "02/01/2024 ás 09:30 Usr:Maria";
        const std::vector<std::pair<int, std::string>> cells = {{colNumber, "001"},
                                                                {colDescription, "Aluguel de março"},
                                                                {colOriginDate, "15/03/2023"},
                                                                {colOriginalAmount, "           1000,00"},
                                                                {colPrincipal, "1000,00"},
                                                                {colFormText, "INPC"},
                                                                {colMonthMode, "CHEIO"},
                                                                {colCorrection, "50,00"},
                                                                {colOrdinaryRate, "12"},
                                                                {colOrdinaryInterest, "120,00"},
                                                                {colCompensatoryRate, "0"},
                                                                {colCompensatoryInterest, "0,00"},
                                                                {colFineRate, "2"},
                                                                {colFine, "23,40"},
                                                                {colFineOnInterest, "SIM"},
                                                                {colTotal, "1193,40"},
                                                                {colDebtOrPayment, "AMORT."},
                                                                {colCalculationDate, "15/03/2024"},
                                                                {colConverter, "SIM"},
                                                                {colOriginCurrency, "R$"},
                                                                {colOrdinaryFormula, "1"},
                                                                {colCompensatoryFormula, "0"},
                                                                {colOrdinaryStart, "15/03/2023"},
                                                                {colCompensatoryStart, "15/03/2023"},
                                                                {colFeeRate, "10"},
                                                                {colFees, "119,34"}};
        for (const auto& [column, text] : cells) session->grid.setCell(1, column, text);
        writeMemoFile(dm->memoFilePath(session->caseNumber, 1),
                      {"Info: Verificando sequência original.",
                       "INPC       em   Mar/2023           Soma Perc.     1,000000000 =   R$       1.010,00",
                       "Erro !!!: Valor do índice não encontrado",
                       "Resultado  em 15/03/2024                                      =   R$       1.050,00",
                       "Info: Cálculo finalizado !", "SEQUENCIA", "INPC      01/03/202301/03/2024", ""});
    }
    test::DataDirectory dir;
    std::unique_ptr<DataModule> dm;
    std::unique_ptr<WorksheetSession> session;
    ui::ScriptedPrompter prompter;
    ui::PrompterScope scope{prompter};
};

TEST_F(ItemDetailWindow, ShowsTheRowTheReadableMemoAndTheSequence)
{
    TFrmDestacarItem window(*session, 1);
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "Processo nº.00001/2024  Item nº 001");
    EXPECT_EQ(window.Descricao->text(), "Aluguel de março");
    EXPECT_EQ(window.ValorOriginal->text(), "R$           1000,00");
    EXPECT_EQ(window.JurosOrdinarios->text(), "12,000000 - [COMPOSTO] - Valor    R$         120,00");
    EXPECT_EQ(window.Multa->text(), " 2,000000    R$          23,40 (Incidiu sobre o valor dos Juros)");
    EXPECT_EQ(window.Honorarios->text(), " 10,00");
    EXPECT_EQ(window.ValorTotal->text(), "   R$       1.193,40");
    EXPECT_EQ(window.IndiceCheio->text(), "SIM");
    EXPECT_EQ(window.TotalizarComo->text(), "Totalizar como Dedução da Dívida");
    EXPECT_EQ(window.DatadoCalculoCap->text(), "Data do Cálculo = 15/03/2024");
    const QString memo = window.RichEdit1->toPlainText();
    EXPECT_EQ(memo.count('\n'), 1);
    EXPECT_FALSE(memo.contains("Info"));
    EXPECT_FALSE(memo.contains("Erro"));
    EXPECT_TRUE(memo.startsWith("INPC       em   Mar/2023"));
    ASSERT_EQ(window.ListBox1->count(), 1);
    EXPECT_EQ(window.ListBox1->item(0)->text(), "INPC        01/03/2023 até 01/03/2024");
}

TEST_F(ItemDetailWindow, FreeRowOpensEmptyAndOpensNothing)
{
    TFrmDestacarItem window(*session, 2);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Dados do Item");
    EXPECT_TRUE(window.Descricao->text().isEmpty());
    EXPECT_EQ(window.TotalizarComo->text(), "Totalizar como Dívida");
    EXPECT_TRUE(window.RichEdit1->toPlainText().isEmpty());
    test::DialogScript script;
    QTest::mouseClick(window.btGraficoComparativo, Qt::LeftButton);
    QTest::mouseClick(window.BtGraficoCorrecao, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 0);
}

TEST_F(ItemDetailWindow, ChartsCarryTheItemAndAnUncalculatedItemHasNone)
{
    test::DialogScript script;
    QStringList totalsTitle;
    int correctedPoints = 0;
    script.onDialog([&](QDialog& dialog) {
        if (auto* chart = qobject_cast<TFrmGraficoComparativo*>(&dialog)) totalsTitle = chart->titleLines();
        if (auto* chart = qobject_cast<TFrmGraficoDaCorrecao*>(&dialog))
            correctedPoints = static_cast<int>(chart->correctedLabels().size());
    });
    {
        TFrmDestacarItem window(*session, 1);
        window.show();
        QTest::mouseClick(window.btGraficoComparativo, Qt::LeftButton);
        QTest::mouseClick(window.BtGraficoCorrecao, Qt::LeftButton);
    }
    EXPECT_EQ(script.shown(), 2);
    ASSERT_EQ(totalsTitle.size(), 5);
    EXPECT_EQ(totalsTitle[3], "Honorários       R$           119,34");
    EXPECT_EQ(correctedPoints, 2);  // the origin and the March step; the result line has no point

    session->grid.setCell(1, colCalculationDate, "");
    TFrmDestacarItem uncalculated(*session, 1);
    uncalculated.show();
    QTest::mouseClick(uncalculated.btGraficoComparativo, Qt::LeftButton);
    QTest::mouseClick(uncalculated.BtGraficoCorrecao, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 2);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(ItemDetailWindow, ReportCarriesTheCaseTheFeesAndTheOriginLine)
{
    TFrmDestacarItem window(*session, 1);
    window.show();
    const reports::CalculationReportData r = itemReportData(*session, 1, window.detail());
    EXPECT_EQ(r.titleLabel, "Processo");
    EXPECT_EQ(r.caseLine, "Processo nº.00001/2024  - Abertura = 02/01/2024");
    EXPECT_EQ(r.valorOriginal, "  R$       1.000,00");
    EXPECT_EQ(r.subTotal, "  R$       1.193,40");
    EXPECT_EQ(r.total, "  R$       1.312,74");
    EXPECT_EQ(r.multaSobre, "[Sobre Valor Corrigido + Juros]");
    EXPECT_GT(r.feesShownWhenAboveZero, 0.0);
    EXPECT_EQ(r.indices, std::vector<std::string>{"INPC        01/03/2023 até 01/03/2024"});
    EXPECT_FALSE(r.valorPorExtenso.empty());
    const std::vector<std::string> lines = reports::calculationReportLines(r);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("VALOR ORIGINAL =>", 0), 0u);

    // On request the report ends with where the values of its indices came from.
    EXPECT_TRUE(window.reportData().appendixLines.empty());
    test::clickBox(window.cbFontes);
    const reports::CalculationReportData withSources = window.reportData();
    EXPECT_EQ(withSources.appendixTitle, "Fontes dos índices");
    ASSERT_FALSE(withSources.appendixLines.empty());
    EXPECT_NE(withSources.appendixLines.front().find("INPC"), std::string::npos);

    session->grid.setCell(1, colFeeRate, "");
    EXPECT_EQ(itemReportData(*session, 1, window.detail()).feesShownWhenAboveZero, 0.0);
}

}  // namespace
}  // namespace quintara
