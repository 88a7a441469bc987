// The totals chart of the worksheet totals: the comparative chart window
// over one group's amounts, titled with the case and the calculation date.
#pragma once

#include <QWidget>

namespace quintara {

struct TotalsChartRequest;

// Shows the chart modally; returns when it closes.
void openTotalsChart(const TotalsChartRequest& request, QWidget* parent);

}  // namespace quintara
