// The consortium and Price calculator windows, driven as a person drives
// them: typed fields, the calculate buttons, the refusals shown through the
// prompter with the focus on the field, and reports that print the inputs of
// the calculation they show.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "../app_fixture.h"
#include "app/calculators/frm_consorcio.h"
#include "app/calculators/frm_price.h"
#include "reports/consortium_report.h"
#include "reports/price_report.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

using ui::ScriptedPrompter;

void type(QWidget* field, const QString& text)
{
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// Shows the window as the active one, so that focus moves as on a desktop.
void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void setCount(QSpinBox* box, int value)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
}

class CalculatorWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir);
        dm = DataModule::openFolder(dir.path());
    }
    test::DataDirectory dir;
    std::unique_ptr<DataModule> dm;
    ScriptedPrompter prompter;
    ui::PrompterScope scope{prompter};
};

void fillPlan(TFrmConsorcio& w)
{
    type(w.ValordoBem, QStringLiteral("12000"));
    setCount(w.ParcelasPlano, 24);
    type(w.TAxaAdministrativa, QStringLiteral("10"));
    type(w.VencimentoParcela1, QStringLiteral("31012023"));
    type(w.DatadoCalculo, QStringLiteral("30032023"));
}

TEST_F(CalculatorWindows, ConsortiumShowsInstalmentOverdueDatesAndTotals)
{
    TFrmConsorcio w(*dm);
    showActive(w);
    fillPlan(w);
    type(w.JurosAno, QStringLiteral("12"));
    type(w.Multa, QStringLiteral("2"));
    QTest::mouseClick(w.btCalcular, Qt::LeftButton);

    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(w.lbValorCadaParcela->text(), QStringLiteral("  R$   550,00"));
    EXPECT_EQ(w.lbQuantidadeVencidas->text(), QStringLiteral("( 2)"));
    EXPECT_EQ(w.lbQuantAVencer->text(), QStringLiteral("(22)"));
    EXPECT_EQ(w.lbTotalMulta->text(), QStringLiteral("  R$       22,00"));
    ASSERT_EQ(w.ListaVencidas->count(), 2);
    EXPECT_EQ(w.ListaVencidas->item(1)->text(), QStringLiteral("28/02/2023"));

    // The report keeps the inputs of that calculation, not fields changed since.
    type(w.NomeConsorciado, QStringLiteral("Outro Nome"));
    const reports::ConsortiumReportData report = w.reportData();
    EXPECT_EQ(report.nomeConsorciado, "");
    EXPECT_EQ(report.valorCadaParcela, "  R$   550,00");
    const reports::PageModel model = reports::consortiumReport(report);
    ASSERT_FALSE(model.pages.empty());
    EXPECT_TRUE(model.pages[0].hasText("Demonstrativo do Cálculo de Consórcio"));
    EXPECT_TRUE(model.pages[0].hasText("Cálculo realizado em 30/03/2023"));
    EXPECT_TRUE(model.pages[0].hasText("Parcelas Vencidas ( 2)"));
}

TEST_F(CalculatorWindows, ConsortiumRefusalKeepsThePreviousResultsAndFocusesTheField)
{
    TFrmConsorcio w(*dm);
    showActive(w);
    fillPlan(w);
    QTest::mouseClick(w.btCalcular, Qt::LeftButton);
    const QString shown = w.lbValorCadaParcela->text();

    setCount(w.ParcelasPagas, 24);
    QTest::mouseClick(w.btCalcular, Qt::LeftButton);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, QStringLiteral("Alerta !"));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Nº de pacelas pagas inválido!"));
    EXPECT_EQ(w.focusWidget(), w.ParcelasPagas);
    EXPECT_EQ(w.lbValorCadaParcela->text(), shown);

    // A half-typed date is refused, never read as some other date.
    setCount(w.ParcelasPagas, 0);
    w.VencimentoParcela1->setText(QStringLiteral("31/0"));
    QTest::mouseClick(w.btCalcular, Qt::LeftButton);
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Data do Calculo ou data do vencimento da 1ª parcela inválida!"));
    EXPECT_EQ(w.focusWidget(), w.VencimentoParcela1);
}

TEST_F(CalculatorWindows, ConsortiumKeepsEntriesWhenActivatedAgain)
{
    TFrmConsorcio w(*dm);
    showActive(w);
    fillPlan(w);
    w.FormActivate();
    EXPECT_EQ(w.ValordoBem->amount(), Amount::parse("12000"));
    EXPECT_EQ(w.TAxaAdministrativa->text(), QStringLiteral("10,000000")) << "shown with six decimals once typed";
}

TEST_F(CalculatorWindows, PriceWritesThePaymentSentenceAndPrintsTheRunShown)
{
    TFrmPrice w(*dm);
    showActive(w);
    EXPECT_FALSE(w.BtImprimir->isEnabled()) << "nothing to print before a calculation";
    EXPECT_EQ(w.edSigla->text(), QStringLiteral("R$"));
    type(w.valor, QStringLiteral("10000"));
    type(w.prazo, QStringLiteral("1"));
    type(w.juroano, QStringLiteral("12"));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    EXPECT_TRUE(w.Mresultado->toPlainText().contains(QStringLiteral("será de R$888,48")));
    EXPECT_TRUE(w.Mresultado->toPlainText().contains(QStringLiteral("(dez mil Reais)")));
    ASSERT_TRUE(w.reportData().has_value());
    EXPECT_TRUE(w.BtImprimir->isEnabled());

    type(w.juroano, QStringLiteral("24"));
    EXPECT_EQ(w.reportData()->rate, "%12") << "the report prints the calculation shown";
    const reports::PageModel model = reports::priceReport(*w.reportData());
    ASSERT_FALSE(model.pages.empty());
    EXPECT_TRUE(model.pages[0].hasText("Tabela \"Price\""));
    EXPECT_TRUE(model.pages[0].hasText("R$ 888,48            "));

    w.juroano->clear();
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Taxa de Juros inválida !"));
    EXPECT_EQ(w.focusWidget(), w.juroano);
    type(w.juroano, QStringLiteral("12"));
    type(w.prazo, QStringLiteral("0"));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Prazo inválido !"));
    EXPECT_EQ(w.focusWidget(), w.prazo);
}

}  // namespace
}  // namespace quintara
