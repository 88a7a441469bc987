// The totals and fees windows over a worksheet session: the labels of the
// worked example with costs, what the chart buttons and the report receive,
// recomputation when a chart or the preview closes (and not on a plain
// window activation), and the fees confirmed into cells and records.
#include <gtest/gtest.h>

#include <QChart>
#include <QLabel>
#include <QPieSeries>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/app_fixture.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_honorarios.h"
#include "app/worksheet/frm_totais_planilha.h"
#include "app/worksheet/totals_dialogs.h"
#include "app/worksheet/worksheet_session.h"
#include "data/case_costs.h"
#include "data/case_register.h"
#include "data/court_costs.h"
#include "data/format_text.h"
#include "engine/text_columns.h"
#include "ui/amount_edit.h"
#include "worksheet/worksheet_items.h"

namespace quintara {
namespace {

constexpr const char* kCase = "0001234";

class TotalsWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        session_ = std::make_unique<WorksheetSession>(*dm_);
        session_->caseNumber = kCase;
        session_->calculationDate = "30/11/2026";
        session_->header.LinhaProtocolo = "<não protocolado>";
        addCostGroup(*dm_, "Z", "DIVERSOS");
        addCostItem(*dm_, "Z", "0001", "CERTIDÃO", Amount::parse("12,5"));
    }
    void row(int r, const char* kind, const char* principal, const char* correction, const char* fees,
             const char* total)
    {
        auto cell = [](const char* text) { return formatText("%19.2f", {Amount::parse(text)}); };
        WorksheetGrid& g = session_->grid;
        g.ensureRow(r);
        g.setCell(r, colNumber, itemNumberText(r));
        g.setCell(r, colOriginDate, "15/03/1994");
        g.setCell(r, colDescription, "Item " + std::to_string(r));
        g.setCell(r, colOriginalAmount, cell("10"));
        g.setCell(r, colDebtOrPayment, kind);
        g.setCell(r, colPrincipal, cell(principal));
        g.setCell(r, colCorrection, cell(correction));
        for (int c : {colOrdinaryInterest, colCompensatoryInterest, colFine}) g.setCell(r, c, cell("0"));
        g.setCell(r, colTotal, cell(total));
        g.setCell(r, colFees, formatText("%15.2f", {Amount::parse(fees)}));
        g.setCell(r, colFeeRate, "  0,00");
        g.setCell(r, colMonthMode, "CHEIO");
        g.setCell(r, colIndexQuantity, "0");
        g.setCell(r, colIndexValue, "0");
    }
    // The worked example: a debt, an amortisation and a pending debt.
    void example()
    {
        row(1, "DÍVIDA", "100", "50", "15", "150");
        row(2, "AMORT.", "40", "0", "4", "40");
        row(3, "DÍVIDA", "0", "0", "0", "0");
        session_->grid.setCell(3, colMark, "$");
    }
    void addCost()
    {
        addCaseCost(*dm_, kCase, costItems(*dm_, "Z", CostItemOrder::ByCode).front(), Date::today());
    }
    void store(int r)
    {
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("");
        items.append();
        GravaItem(session_->grid, r, kCase, items);
        items.post();
    }
    static void settle() { QApplication::processEvents(); }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<WorksheetSession> session_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(TotalsWindows, ShowsTheWorkedExampleWithCostsAndTheCaption)
{
    example();
    addCost();
    TFrmTotaisPlanilha window(*session_);
    window.show();
    settle();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Totais Planilha (Processo nº0001234)"));
    EXPECT_EQ(window.lbSItens->text(), QStringLiteral("001"));
    EXPECT_EQ(window.lbSSubTotal->text(), QStringLiteral("150,00"));
    EXPECT_EQ(window.lbSHonorarios->text(), QStringLiteral("15,00"));
    EXPECT_EQ(window.lbSTotal->text(), QStringLiteral("165,00"));
    EXPECT_EQ(window.lbDItens->text(), QStringLiteral("001"));
    EXPECT_EQ(window.lbDHonorarios->text(), QStringLiteral("0,00"));
    EXPECT_EQ(window.lbDTotal->text(), QStringLiteral("40,00"));
    EXPECT_EQ(window.lbTotCustas->text(), QStringLiteral("12,50"));
    EXPECT_EQ(window.lbTotalGeral->text(), QStringLiteral("137,50"));
    EXPECT_EQ(window.cDataCalculo->text(), QStringLiteral("30/11/2026"));
    EXPECT_EQ(window.StatusBar1->text(), QStringLiteral("Concluído!"));
}

TEST_F(TotalsWindows, EmptyWorksheetShowsZeroItemsAndTheCostsAsBalance)
{
    addCost();
    TFrmTotaisPlanilha window(*session_);
    window.show();
    settle();
    EXPECT_EQ(window.lbSItens->text(), QStringLiteral("000"));
    EXPECT_EQ(window.lbDTotal->text(), QStringLiteral("0,00"));
    EXPECT_EQ(window.lbTotalGeral->text(), window.lbTotCustas->text());
}

TEST_F(TotalsWindows, ChartAndPreviewRecomputeWhenTheyCloseButPlainActivationDoesNot)
{
    example();
    TFrmTotaisPlanilha window(*session_);
    std::vector<TotalsChartRequest> charts;
    window.setChartOpener([&](const TotalsChartRequest& request, QWidget*) {
        charts.push_back(request);
        addCost();  // a cost counted while the chart is open shows once it closes
    });
    std::vector<std::string> printed;
    window.setReportViewer([&](const reports::PageModel& model, QWidget*) {
        printed = model.pages.front().textsInReadingOrder();
        session_->grid.setCell(3, colMark, "");  // item 3 calculated meanwhile
    });
    window.show();
    settle();
    EXPECT_EQ(window.lbTotalGeral->text(), QStringLiteral("125,00"));

    QTest::mouseClick(window.sbGraficoDivida, Qt::LeftButton);
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].input.principal.toText(), "100,00");
    EXPECT_EQ(charts[0].input.fees.toText(), "15,00");
    EXPECT_TRUE(charts[0].input.original.isZero());
    EXPECT_TRUE(charts[0].input.originSymbol.empty());
    EXPECT_EQ(charts[0].titleLines,
              (std::vector<std::string>{"Processo nº0001234 [Dívida]", "Data do Cálculo = 30/11/2026"}));
    EXPECT_EQ(window.lbTotCustas->text(), QStringLiteral("12,50"));
    QTest::mouseClick(window.sbGraficoAmortizacao, Qt::LeftButton);
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[1].titleLines.front(), "Processo nº0001234 [Amortização]");
    EXPECT_TRUE(charts[1].input.fees.isZero());
    EXPECT_EQ(window.lbTotCustas->text(), QStringLiteral("25,00"));

    // The pending item 3 is printed in the debt list, though not counted.
    QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
    ASSERT_FALSE(printed.empty());
    EXPECT_NE(std::find_if(printed.begin(), printed.end(),
                           [](const std::string& t) { return t.rfind("003 15/03/1994 Item 3", 0) == 0; }),
              printed.end());
    EXPECT_EQ(window.lbSItens->text(), QStringLiteral("002"));

    // Coming back from another program is no activation.
    session_->grid.setCell(1, colMark, "$");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    settle();
    EXPECT_EQ(window.lbSItens->text(), QStringLiteral("002"));
}

TEST_F(TotalsWindows, ChartButtonOpensThePieOfTheGroupTitledWithCaseAndDate)
{
    example();
    test::DialogScript script;
    QString title;
    int slices = -1;
    script.onDialog([&](QDialog& dialog) {
        if (auto* chart = qobject_cast<TFrmGraficoComparativo*>(&dialog)) {
            title = chart->chart()->title();
            slices = static_cast<int>(chart->pie()->count());
            chart->btRetornar->click();
            return;
        }
        settle();
        QTest::mouseClick(dynamic_cast<TFrmTotaisPlanilha&>(dialog).sbGraficoDivida, Qt::LeftButton);
        dialog.reject();
    });
    openTotals(*session_, nullptr);
    EXPECT_EQ(script.shown(), 2);
    EXPECT_TRUE(title.contains(QStringLiteral("Processo&nbsp;nº0001234&nbsp;[Dívida]")))
        << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("Data&nbsp;do&nbsp;Cálculo&nbsp;=&nbsp;30/11/2026")));
    EXPECT_EQ(slices, 3);  // principal, correction and fees
}

TEST_F(TotalsWindows, FeesOfEmptyWorksheetCannotBeConfirmed)
{
    test::DialogScript script;
    bool checked = false;
    script.onDialog([&](QDialog& dialog) {
        auto& fees = dynamic_cast<TFrmHonorarios&>(dialog);
        settle();
        EXPECT_EQ(fees.windowTitle(), QStringLiteral("Honorários"));
        EXPECT_FALSE(fees.btOk->isEnabled());
        EXPECT_EQ(fees.StatusBar1->text(), QStringLiteral("Total de Itens na planilha = 0"));
        QTest::keyClick(fees.honorarios, Qt::Key_Return);
        checked = true;
    });
    openFees(*session_, nullptr);
    EXPECT_TRUE(checked);
    EXPECT_EQ(script.shown(), 1);
}

TEST_F(TotalsWindows, ConfirmedFeesMarkEveryItemAndAreStoredRounded)
{
    row(1, "DÍVIDA", "1000", "234,56", "0", "1234,56");
    row(2, "AMORT.", "0", "0", "0", "0");
    session_->grid.setCell(2, colMark, "$");
    store(1);
    store(2);
    test::DialogScript script;
    script.onDialog([&](QDialog& dialog) {
        auto& fees = dynamic_cast<TFrmHonorarios&>(dialog);
        settle();
        EXPECT_EQ(fees.StatusBar1->text(), QStringLiteral("Total de Itens na planilha = 2"));
        fees.honorarios->clear();
        QTest::keyClicks(fees.honorarios, QStringLiteral("10,004"));
        QTest::mouseClick(fees.btOk, Qt::LeftButton);
    });
    openFees(*session_, nullptr);
    const WorksheetGrid& g = session_->grid;
    EXPECT_EQ(g.cell(1, colMark), "$");
    EXPECT_EQ(g.cell(1, colFeeRate), "10,00");
    EXPECT_EQ(trimBlanks(g.cell(1, colFees)), "123,46");
    EXPECT_EQ(g.cell(2, colMark), "$");
    foxpro::Table& items = dm_->ItensProcesso();
    items.setTag("item");
    ASSERT_TRUE(items.seek({kCase, "001"}));
    EXPECT_EQ(Amount::fromDouble(items.getNumber("HONOPER")).toText(4), "10,0000");
    EXPECT_EQ(Amount::fromDouble(items.getNumber("HONOVAL")).toText(4), "123,4560");
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(TotalsWindows, OpenTotalsShowsTheWindowModally)
{
    example();
    test::DialogScript script;
    QString balance;
    script.onDialog([&](QDialog& dialog) {
        settle();
        balance = dynamic_cast<TFrmTotaisPlanilha&>(dialog).lbTotalGeral->text();
        dialog.reject();
    });
    openTotals(*session_, nullptr);
    EXPECT_EQ(balance, QStringLiteral("125,00"));
}

}  // namespace
}  // namespace quintara
