#include "app/worksheet/totals_chart.h"

#include "app/modal_runner.h"
#include "app/worksheet/chart_text.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_totais_planilha.h"

namespace quintara {

namespace {

// The group totals have no period or currencies, so the chart's own title
// stays empty; the case and the calculation date take its place once the
// chart has been filled.
class GroupTotalsChart : public TFrmGraficoComparativo {
public:
    GroupTotalsChart(const TotalsChartRequest& request, QWidget* parent)
        : TFrmGraficoComparativo(request.input, parent), lines_(toQStringList(request.titleLines))
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        TFrmGraficoComparativo::showEvent(event);
        if (titleLines().isEmpty()) setTitleLines(*chart(), lines_);
    }

private:
    QStringList lines_;
};

}  // namespace

void openTotalsChart(const TotalsChartRequest& request, QWidget* parent)
{
    GroupTotalsChart chart(request, parent);
    runModal(chart);
}

}  // namespace quintara
