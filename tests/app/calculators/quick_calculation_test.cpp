// The quick calculation's results window over a real data directory: runs on
// the picked date replacing each other, the branch without correction, a
// failed stage leaving nothing to chart or print, and the charts and report
// of the kept run.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "../app_fixture.h"
#include "app/calculators/frm_calc_exe.h"
#include "app/calculators/frm_fastcalc.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"
#include "reports/calculation_report.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

class QuickCalculationWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir);
        dm = DataModule::openFolder(dir.path());
        for (int month = 1; month <= 12; ++month)
            test::addValue(*dm, "INPC", QString::asprintf("01/%02d/2023", month).toStdString(), 1.0);
        in.origin = Date(15, 1, 2023);
        in.amount = Amount::parse("1000");
        in.amountInWords = "um mil reais";
        in.description = "Nota promissória";
        in.formCode = "001";
        in.formText = "INPC";
        in.originCurrency = "(Real) R$";
        in.ordinaryStart = in.compensatoryStart = in.origin;
    }
    void calculateTo(TFrmCalcExe& window, QDate date)
    {
        window.DatadoCalculo->setDate(date);
        QTest::mouseClick(window.btInterromper, Qt::LeftButton);
    }
    test::DataDirectory dir;
    std::unique_ptr<DataModule> dm;
    ui::ScriptedPrompter prompter;
    ui::PrompterScope scope{prompter};
    QuickInput in;
};

TEST_F(QuickCalculationWindow, OpensOnTodayWithTheInputSummary)
{
    TFrmCalcExe window(*dm, in);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Processar Cálculo");
    EXPECT_EQ(window.DatadoCalculo->date(), QDate::currentDate());
    const QString panel = window.RichEdit->toPlainText();
    EXPECT_TRUE(panel.startsWith("DADOS PARA O CÁLCULO:\n\nNota promissória\nForma de Correção:\nINPC\n"));
    EXPECT_FALSE(window.lastRun().has_value());
}

TEST_F(QuickCalculationWindow, SecondRunOnAnotherDateReplacesTheFirst)
{
    TFrmCalcExe window(*dm, in);
    window.show();
    calculateTo(window, QDate(2023, 6, 15));
    ASSERT_TRUE(window.lastRun().has_value()) << window.RichEdit->toPlainText().toStdString();
    EXPECT_EQ(window.statusText(), "Cálculo finalizado !");
    EXPECT_EQ(window.ProgressBar1->value(), 100);
    const Amount june = window.lastRun()->result.results.corrected;
    const QString firstPanel = window.RichEdit->toPlainText();

    calculateTo(window, QDate(2023, 10, 15));
    ASSERT_TRUE(window.lastRun().has_value());
    EXPECT_EQ(window.lastRun()->calculationDate, Date(15, 10, 2023));
    EXPECT_GT(window.lastRun()->result.results.corrected, june);
    const QString panel = window.RichEdit->toPlainText();
    EXPECT_NE(panel, firstPanel);
    EXPECT_EQ(panel.count("DADOS PARA O CÁLCULO:"), 1);
    EXPECT_EQ(panel.count("TOTAL DO CÁLCULO =>"), 1);
    EXPECT_EQ(window.btInterromper->text(), "&Calcular");

    // The report prints the kept run: its date, never the first one's.
    const std::optional<reports::CalculationReportData> report = window.reportData();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->dataCalculo, "15/10/2023");
    EXPECT_EQ(report->titleLabel, "Fast Calc");
    EXPECT_EQ(report->feesShownWhenAboveZero, 0.0);
    EXPECT_EQ(report->subTotal, report->total);
    ASSERT_FALSE(report->indices.empty());
    EXPECT_NE(report->indices[0].find("  até "), std::string::npos);
    const std::vector<std::string> lines = reports::calculationReportLines(*report);
    EXPECT_EQ(lines[0].rfind("VALOR ORIGINAL =>", 0), 0u);
    EXPECT_NE(lines[0].find("R$       1.000,00"), std::string::npos);
}

TEST_F(QuickCalculationWindow, WithoutCorrectionInterestIsOnTheOriginalAmount)
{
    in.correctionApplied = false;
    in.formText.clear();
    in.ordinaryRate = Decimal::parse("12");
    TFrmCalcExe window(*dm, in);
    window.show();
    EXPECT_TRUE(window.RichEdit->toPlainText().contains("Correção Monetária não será aplicada!"));
    calculateTo(window, QDate(2024, 1, 15));
    ASSERT_TRUE(window.lastRun().has_value());
    const QuickResult& r = window.lastRun()->result;
    ASSERT_FALSE(r.calculationLines.empty());
    EXPECT_EQ(r.calculationLines[0].rfind("Cálculo da Correção Monetária não foi aplicado!", 0), 0u);
    EXPECT_EQ(r.results.corrected, Amount::parse("1000"));
    EXPECT_GT(r.results.ordinary, Amount::parse("100"));
    EXPECT_TRUE(window.RichEdit->toPlainText().contains("Juros Ordinários"));

    // The correction chart skips the line without an amount and still draws.
    test::DialogScript script;
    int points = -1;
    script.onDialog([&](QDialog& dialog) {
        if (auto* chart = qobject_cast<TFrmGraficoDaCorrecao*>(&dialog))
            points = static_cast<int>(chart->correctedLabels().size());
    });
    QTest::mouseClick(window.BtGraficoCorrecao, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 1);
    EXPECT_GE(points, 1);
}

TEST_F(QuickCalculationWindow, FailedStageLeavesNothingToChartOrPrint)
{
    in.formCode = "999";
    in.formText = "XYZ";
    TFrmCalcExe window(*dm, in);
    window.show();
    calculateTo(window, QDate(2023, 6, 15));
    EXPECT_TRUE(window.RichEdit->toPlainText().contains("Erro !!!. "));
    EXPECT_EQ(window.statusText(), "Cálculo finalizado !");
    EXPECT_FALSE(window.lastRun().has_value());
    EXPECT_FALSE(window.reportData().has_value());
    test::DialogScript script;
    QTest::mouseClick(window.btGraficoComparativo, Qt::LeftButton);
    QTest::mouseClick(window.BtGraficoCorrecao, Qt::LeftButton);
    QTest::mouseClick(window.BtImprimir, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 0);
}

TEST_F(QuickCalculationWindow, TotalsChartShowsTheKeptRunWithoutFees)
{
    TFrmCalcExe window(*dm, in);
    window.show();
    calculateTo(window, QDate(2023, 6, 15));
    ASSERT_TRUE(window.lastRun().has_value());
    window.DatadoCalculo->setDate(QDate(2024, 6, 15));  // changed, not run: the chart keeps the run's date
    test::DialogScript script;
    QStringList title;
    script.onDialog([&](QDialog& dialog) {
        if (auto* chart = qobject_cast<TFrmGraficoComparativo*>(&dialog)) title = chart->titleLines();
    });
    QTest::mouseClick(window.btGraficoComparativo, Qt::LeftButton);
    ASSERT_EQ(title.size(), 3);
    EXPECT_EQ(title[0], "Período de 15/01/2023 até 15/06/2023");
    QTest::mouseClick(window.btSair, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.lastRun().has_value());
}

void type(QWidget* field, const QString& text)
{
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

TEST_F(QuickCalculationWindow, EntryWindowHandsTheTypedItemToTheResultsWindow)
{
    test::DialogScript script;
    std::optional<QuickInput> handed;
    script.onDialog([&](QDialog& dialog) {
        if (auto* results = qobject_cast<TFrmCalcExe*>(&dialog)) {
            QTest::mouseClick(results->btInterromper, Qt::LeftButton);
            if (results->lastRun()) handed = results->lastRun()->input;
        }
    });
    TFrmFastcalc entry(*dm);
    entry.show();
    entry.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
    EXPECT_EQ(entry.windowTitle(), "Fast Calc");
    EXPECT_EQ(entry.NumItPlanilha->text(), "F");
    EXPECT_EQ(entry.btInserir->text(), "Executar Cálculo");
    EXPECT_TRUE(entry.cbFazCorrecao->isChecked());
    EXPECT_TRUE(entry.cbFazCorrecao->isEnabled());
    EXPECT_TRUE(entry.cbFazCorrecao->isVisible());

    // An incomplete origin date: the press is ignored.
    type(entry.dataOrigem, QStringLiteral("1501"));
    QTest::mouseClick(entry.btInserir, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 0);

    type(entry.dataOrigem, QStringLiteral("15012023"));
    type(entry.valororiginal, QStringLiteral("2500"));
    type(entry.jurosOrdinarios, QStringLiteral("6"));
    test::clickBox(entry.cbFazCorrecao);
    QTest::mouseClick(entry.btInserir, Qt::LeftButton);
    EXPECT_EQ(script.shown(), 1);
    EXPECT_TRUE(entry.isVisible());  // the entry window stays open
    ASSERT_TRUE(handed.has_value());
    EXPECT_EQ(handed->origin, Date(15, 1, 2023));
    EXPECT_EQ(handed->amount, Amount::parse("2500"));
    EXPECT_FALSE(handed->correctionApplied);
    EXPECT_TRUE(handed->formText.empty());
    EXPECT_EQ(handed->ordinaryStart, Date(15, 1, 2023));
    EXPECT_FALSE(handed->amountInWords.empty());
}

TEST_F(QuickCalculationWindow, ChoosingAFormShowsItsNotes)
{
    TFrmFastcalc entry(*dm);
    entry.show();
    entry.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
    entry.FormaDeCorrecao->setFocus();
    for (int i = 0; i < 20 && entry.FormaDeCorrecao->currentData().toString() != "006"; ++i)
        QTest::keyClick(entry.FormaDeCorrecao, Qt::Key_Down);
    ASSERT_EQ(entry.FormaDeCorrecao->currentData().toString(), "006");
    EXPECT_TRUE(entry.lbHistoricoForma->isVisible());
    EXPECT_TRUE(entry.lbHistoricoForma->text().contains("Emenda Constitucional"));
    EXPECT_TRUE(entry.lbHistoricoForma->text().contains("não acrescente juros"));

    // A form without notes hides the panel, and the form chosen is still the one calculated.
    while (entry.FormaDeCorrecao->currentIndex() > 0) QTest::keyClick(entry.FormaDeCorrecao, Qt::Key_Up);
    EXPECT_EQ(entry.FormaDeCorrecao->currentData().toString(), "001");
    EXPECT_EQ(entry.CodigoForma(), "001");
    EXPECT_EQ(entry.lbHistoricoForma->isVisible(), !entry.lbHistoricoForma->text().isEmpty());
}

}  // namespace
}  // namespace quintara
