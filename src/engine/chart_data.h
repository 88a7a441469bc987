// The data given to the two correction charts: the totals pie (parts of the
// total, with its title lines) and the correction lines, which follow the
// amount through the calculation lines of one calculation.
#pragma once

#include <string>
#include <vector>

#include "data/amount.h"
#include "data/date.h"

namespace quintara {

struct PieSlice {
    std::string label;
    Amount value;
};

struct TotalsChartInput {
    Date origin;
    Date calculation;
    std::string originSymbol;
    std::string calculationSymbol;
    Amount original, principal, correction, ordinary, compensatory, fine, fees;
};

struct TotalsChart {
    std::vector<std::string> titleLines;
    std::vector<PieSlice> slices;
    std::string axisTitle = "Gráfico do Resultado";
};

TotalsChart totalsChart(const TotalsChartInput& input);

struct ChartPoint {
    std::string label;
    Amount value;
};

struct LineSeries {
    std::string name;
    std::vector<ChartPoint> points;
};

struct CorrectionChartInput {
    Date origin;
    Date calculation;
    std::string originSymbol;
    std::string calculationSymbol;
    Amount original, principal, corrected;
    std::vector<std::string> calculationLines;
};

struct CorrectionChart {
    std::vector<std::string> titleLines;
    LineSeries corrected{"SValorCorrigido", {}};
    LineSeries principal{"SValorPrincipal", {}};
};

// A line whose amount (columns 69-83) cannot be read gives no point.
CorrectionChart correctionChart(const CorrectionChartInput& input);

}  // namespace quintara
