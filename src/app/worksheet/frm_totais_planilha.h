// TFrmTotaisPlanilha: the totals of the open worksheet. Sums the calculated
// debts and amortisations of the grid, adds the case's costs and shows the
// balance; opens the totals chart of either group and prints the totals
// report. Everything is computed again each time the window is shown and
// whenever a chart or the report preview it opened closes.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "data/case_costs.h"
#include "data/case_register.h"
#include "engine/chart_data.h"
#include "reports/page_model.h"
#include "reports/worksheet_totals_report.h"
#include "worksheet/worksheet_totals.h"

class QLabel;
class QPushButton;

namespace quintara {

struct WorksheetSession;

// What the chart buttons hand to the totals chart: the six amounts of one
// group and the chart's two title lines.
struct TotalsChartRequest {
    TotalsChartInput input;
    std::vector<std::string> titleLines;
};

class TFrmTotaisPlanilha : public QDialog {
    Q_OBJECT
public:
    using ChartOpener = std::function<void(const TotalsChartRequest&, QWidget* parent)>;
    using ReportViewer = std::function<void(const reports::PageModel&, QWidget* parent)>;

    TFrmTotaisPlanilha(WorksheetSession& session, QWidget* parent = nullptr);

    // Shows the totals chart modally (the comparative chart window by
    // default); returns when it closes.
    void setChartOpener(ChartOpener opener) { openChart_ = std::move(opener); }
    // Shows the report preview modally (the print preview by default).
    void setReportViewer(ReportViewer viewer) { viewReport_ = std::move(viewer); }

    const WorksheetTotals& totals() const { return totals_; }
    // The report as "&Imprimir" prints it, from the grid as it is now.
    reports::WorksheetTotalsReport reportData() const;
    // The request of a chart button: debts or amortisations.
    TotalsChartRequest chartRequest(bool debts) const;

    // Debt panel (lbS...) and amortisation panel (lbD...).
    QLabel* lbSItens = nullptr;
    QLabel* lbSPrincipal = nullptr;
    QLabel* lbSCorrecaoMonetaria = nullptr;
    QLabel* lbSJurosOrdinarios = nullptr;
    QLabel* lbSJurosCompensatorios = nullptr;
    QLabel* lbSMulta = nullptr;
    QLabel* lbSSubTotal = nullptr;
    QLabel* lbSHonorarios = nullptr;
    QLabel* lbSTotal = nullptr;
    QLabel* lbDItens = nullptr;
    QLabel* lbDPrincipal = nullptr;
    QLabel* lbDCorrecaoMonetaria = nullptr;
    QLabel* lbDJurosOrdinarios = nullptr;
    QLabel* lbDJurosCompensatorios = nullptr;
    QLabel* lbDMulta = nullptr;
    QLabel* lbDSubtotal = nullptr;
    QLabel* lbDHonorarios = nullptr;
    QLabel* lbDTotal = nullptr;
    QLabel* lbTotCustas = nullptr;
    QLabel* lbTotalGeral = nullptr;
    QLabel* cDataCalculo = nullptr;
    QPushButton* sbGraficoDivida = nullptr;
    QPushButton* sbGraficoAmortizacao = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* btSair = nullptr;
    QLabel* StatusBar1 = nullptr;  // the status text panel

public slots:
    void FormActivate();
    void sbGraficoDividaClick();
    void sbGraficoAmortizacaoClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void showTotals();
    void openChart(bool debts);

    WorksheetSession& session_;
    WorksheetTotals totals_;
    std::vector<CaseCost> costs_;  // the costs lines the report prints
    std::vector<CaseName> names_;
    std::string caseNumber_;
    std::string calculationDate_;
    ChartOpener openChart_;
    ReportViewer viewReport_;
    bool activating_ = false;
};

}  // namespace quintara
