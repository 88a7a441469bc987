// Builds the Qt chart of one index's values, optionally with a second index
// for comparison, for the index-chart window and for its printed report.
// "3D" draws each line with the area under it filled; "Simples" plain lines.
#pragma once

#include <QColor>
#include <QString>
#include <vector>

#include "data/data_module.h"

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace quintara {

struct IndexChartSeries {
    QString title;
    std::vector<IndexValueRow> rows;
    QColor color;
};

// Replaces the chart's series and axes. pointsPerPage < the row count shows
// only the first pointsPerPage values of the first series.
void fillIndexChart(QChart& chart, const IndexChartSeries& first, const IndexChartSeries* second, bool filled,
                    int pointsPerPage);

}  // namespace quintara
