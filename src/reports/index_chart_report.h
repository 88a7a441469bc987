// The printed index chart (TFrmPGraficoIndice): the values of one index, or
// of two compared, drawn as lines (with the area under them filled in the
// "3D" view), with the period, the descriptions and the history texts.
#pragma once

#include <string>
#include <vector>

#include "data/date.h"
#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct ChartPoint {
    Date date;
    double value = 0;
};

struct ChartSeries {
    std::string title;
    Rgb color;
    std::vector<ChartPoint> points;  // in date order
};

struct IndexChartPrint {
    std::string caption;              // the first code, or "<first> X <second>"
    std::string period;               // "<de> até <até>"
    std::string description;          // TBCM_DESC of the first index (" X " the second's)
    std::vector<std::string> memo;    // the codes with their history texts
    std::vector<ChartSeries> series;  // one or two
    bool filled = true;               // "3D": the area under each line filled
    std::string printedAt;            // "dd/mm/yyyy hh:mm:ss"; empty = now
};

PageModel indexChartReport(const IndexChartPrint& print);

}  // namespace quintara::reports
